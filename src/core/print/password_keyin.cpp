#include "print/password_keyin.h"

#include "common/messages.h"

namespace tarvoline {

KeyInScope::KeyInScope(PasswordKeyIn& keyIn, const std::string& password, const std::string& editClassText)
    : keyIn_(keyIn), started_(!password.empty()) {
    if (started_)
        keyIn_.Start(LoadMessageText(15021), LoadMessageText(15022), editClassText, password);
}

KeyInScope::~KeyInScope() {
    if (started_)
        keyIn_.Stop();
}

} // namespace tarvoline
