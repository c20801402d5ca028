#include "text_input_dialog.h"

#include "dialogs/text_input.h"
#include "forms/form_binder.h"

namespace tarvoline {

MessageResult ShowTextInputDialog(HWND owner, const std::string& prompt, std::string& text) {
    TdlgTextInput form(prompt, text);
    FormLook look;
    look.fontFace = L"ＭＳ Ｐゴシック";
    look.fontPixels = 12;
    FormBinder binder(form,
                      {{"lblMsg", kTextInputPrompt},
                       {"edtTextInput", kTextInputEdit},
                       {"btnOk", IDOK},
                       {"btnCancel", IDCANCEL},
                       {"btnHelp", IDC_COMMON_HELP}},
                      look);
    const int result = binder.ShowModal(owner, IDD_TEXT_INPUT);
    text = form.edtTextInput.Text();
    return result == mrOk ? MessageResult::Ok : MessageResult::Cancel;
}

} // namespace tarvoline
