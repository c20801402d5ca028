#include "dialogs/text_input.h"

#include "common/messages.h"

namespace tarvoline {

MessageResult PromptPassword(const std::string& prompt, std::string& text) {
    Ui* ui = MessageUi();
    if (!ui)
        return MessageResult::Cancel;
    return ui->PromptPassword(prompt, text);
}

} // namespace tarvoline
