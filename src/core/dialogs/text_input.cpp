#include "dialogs/text_input.h"

#include "common/messages.h"

namespace tarvoline {

TdlgTextInput::TdlgTextInput(std::string prompt, std::string initialText)
    : TdlgCommon("入力ダイアログ"), prompt_(std::move(prompt)), initialText_(std::move(initialText)) {
    btnHelp.SetVisible(false);
    btnOk.OnClick = [this] { btnOkClick(); };
    edtTextInput.OnChange = [this] { edtTextInputChange(); };
}

void TdlgTextInput::FormShow() {
    lblMsg.SetText(prompt_);
    edtTextInput.SetText(initialText_);
    edtTextInput.SetPasswordChar('*');
    edtTextInput.SetFocus();
}

void TdlgTextInput::edtTextInputChange() {
    btnOk.SetEnabled(!edtTextInput.Text().empty());
}

MessageResult PromptPassword(const std::string& prompt, std::string& text) {
    Ui* ui = MessageUi();
    if (!ui)
        return MessageResult::Cancel;
    return ui->PromptPassword(prompt, text);
}

} // namespace tarvoline
