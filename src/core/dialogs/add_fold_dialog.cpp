#include "dialogs/add_fold_dialog.h"

#include "common/messages.h"

namespace tarvoline {

TdlgAddFold::TdlgAddFold(std::vector<std::string> folders, FolderAddMode mode, bool& addFolderRecur)
    : TdlgCommon("フォルダ追加方法選択"), folders_(std::move(folders)), mode_(mode), addFolderRecur_(addFolderRecur) {
    btnHelp.SetVisible(false);
    btnOk.OnClick = [this] { btnOkClick(); };
}

std::vector<Control*> TdlgAddFold::Controls() {
    std::vector<Control*> controls = TdlgCommon::Controls();
    controls.insert(controls.end(),
                    {&lblFolds, &lbxFolds, &grbAddFoldOpt, &rdoAddFoldFold, &rdoAddFoldFiles, &chkAddFoldRecur});
    return controls;
}

void TdlgAddFold::FormShow() {
    lbxFolds.SetItems(folders_);
    chkAddFoldRecur.SetChecked(addFolderRecur_);
    switch (mode_) {
    case FolderAddMode::FolderEntry:
        rdoAddFoldFold.SetChecked(true);
        break;
    case FolderAddMode::Files:
        rdoAddFoldFiles.SetChecked(true);
        chkAddFoldRecur.SetChecked(false);
        break;
    case FolderAddMode::FilesRecursive:
        rdoAddFoldFiles.SetChecked(true);
        chkAddFoldRecur.SetChecked(true);
        break;
    case FolderAddMode::NotChosen:
        break;
    }
}

void TdlgAddFold::btnOkClick() {
    if (!rdoAddFoldFold.Checked() && !rdoAddFoldFiles.Checked()) {
        ShowMessageId(13050);
        return;
    }
    if (rdoAddFoldFold.Checked()) mode_ = FolderAddMode::FolderEntry;
    else mode_ = chkAddFoldRecur.Checked() ? FolderAddMode::FilesRecursive : FolderAddMode::Files;
    // The subfolder choice is kept even when the folders become entries of their own.
    addFolderRecur_ = chkAddFoldRecur.Checked();
    Close(mrOk);
}

} // namespace tarvoline
