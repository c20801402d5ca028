#pragma once
// The masked one-line input dialog, through which the list password is asked.
#include <string>
#include <vector>

#include "dialogs/dlg_common.h"
#include "platform/ui.h"

namespace tarvoline {

class TdlgTextInput : public TdlgCommon {
public:
    TdlgTextInput(std::string prompt, std::string initialText);

    Control lblMsg{"lblMsg"};
    EditControl edtTextInput{"edtTextInput"};

    std::vector<Control*> Controls() override { return {&lblMsg, &edtTextInput, &btnOk, &btnCancel, &btnHelp}; }

    void FormShow() override;
    // OK is enabled exactly while the edit holds text, from the first change on.
    void edtTextInputChange();
    void btnOkClick() { Close(mrOk); }

private:
    std::string prompt_;
    std::string initialText_;
};

// Shows the dialog owned by the main window with the prompt and text as the initial answer; text is set to
// the edit's content, also when the dialog was cancelled. Returns Ok or Cancel (Cancel when no window
// system is installed, text unchanged).
MessageResult PromptPassword(const std::string& prompt, std::string& text);

} // namespace tarvoline
