#include "app/options_dialog.h"

#include "app/settings_store.h"

namespace tarvoline {

TdlgOptions::TdlgOptions(c_reg& reg, std::function<void()> refreshPasswordColumn)
    : Form("オプション"), reg_(reg), refreshPasswordColumn_(std::move(refreshPasswordColumn)) {
    btnOk.OnClick = [this] { btnOkClick(); };
    btnCancel.OnClick = [this] { Close(mrCancel); };
    btnHelp.OnClick = [this] { btnHelpClick(); };
    // The radio buttons of one group exclude each other also when the program sets them.
    rdoExrngBook.OnClick = [this] {
        if (rdoExrngBook.Checked())
            rdoExrngActiveSheet.SetChecked(false);
    };
    rdoExrngActiveSheet.OnClick = [this] {
        if (rdoExrngActiveSheet.Checked())
            rdoExrngBook.SetChecked(false);
    };
}

std::vector<Control*> TdlgOptions::Controls() {
    return {&grbExcel,      &rdoExrngBook,  &rdoExrngActiveSheet, &grbFold, &chkFoldSub, &grpPass,
            &chkPasswdShow, &grpAllowOther, &chkAllowOther,       &Memo1,   &btnOk,      &btnCancel,
            &btnHelp};
}

void TdlgOptions::FormShow() {
    rdoExrngBook.SetChecked(reg_.ExcelRangeDefault == 1);
    rdoExrngActiveSheet.SetChecked(reg_.ExcelRangeDefault == 2);
    chkFoldSub.SetChecked(reg_.FolderSubfolderDefault);
    chkPasswdShow.SetChecked(reg_.ShowPasswordOnList);
    chkAllowOther.SetChecked(reg_.AllowOther);
}

void TdlgOptions::btnOkClick() {
    if (rdoExrngBook.Checked())
        reg_.ExcelRangeDefault = 1;
    else if (rdoExrngActiveSheet.Checked())
        reg_.ExcelRangeDefault = 2;
    reg_.FolderSubfolderDefault = chkFoldSub.Checked();
    reg_.ShowPasswordOnList = chkPasswdShow.Checked();
    reg_.AllowOther = chkAllowOther.Checked();
    if (refreshPasswordColumn_)
        refreshPasswordColumn_();
    Close(mrOk);
}

void TdlgOptions::btnHelpClick() {
    if (ShowHelp)
        ShowHelp(kHelpContext);
}

} // namespace tarvoline
