#pragma once
// The base of the small modal dialogs: OK, Cancel and Help along the bottom and a help context.
#include <string>
#include <vector>

#include "app/form.h"

namespace tarvoline {

class TdlgCommon : public Form {
public:
    explicit TdlgCommon(std::string caption);

    // The base has no OK result of its own: a dialog that closes on OK sets it.
    Control btnOk{"btnOk", "OK(&O)"};
    Control btnCancel{"btnCancel", "キャンセル(&C)"};
    Control btnHelp{"btnHelp", "ヘルプ(&H)"};
    int HelpContext = 0;

    std::vector<Control*> Controls() override { return {&btnOk, &btnCancel, &btnHelp}; }

    void btnCancelClick() { Close(mrCancel); }
    void btnHelpClick();
};

} // namespace tarvoline
