#include "dialogs/dlg_common.h"

namespace tarvoline {

TdlgCommon::TdlgCommon(std::string caption) : Form(std::move(caption)) {
    btnCancel.OnClick = [this] { btnCancelClick(); };
    btnHelp.OnClick = [this] { btnHelpClick(); };
}

void TdlgCommon::btnHelpClick() {
    if (ShowHelp)
        ShowHelp(HelpContext);
}

} // namespace tarvoline
