#include "forms/folder_dialogs.h"

#include "dialogs/add_fold_dialog.h"
#include "dialogs/get_files_dialog.h"
#include "forms/folder_form_ids.h"
#include "forms/form_binder.h"

namespace tarvoline {

namespace {

FormLook CommonDialogLook() {
    FormLook look;
    look.fontFace = L"ＭＳ Ｐゴシック";
    look.fontPixels = 12;
    return look;
}

} // namespace

int ShowAddFoldDialog(HWND owner, TdlgAddFold& form) {
    FormBinder binder(form,
                      {{"lblFolds", IDC_ADDFOLD_LABEL},
                       {"lbxFolds", IDC_ADDFOLD_LIST},
                       {"grbAddFoldOpt", IDC_ADDFOLD_GROUP},
                       {"rdoAddFoldFold", IDC_ADDFOLD_RDO_FOLD},
                       {"rdoAddFoldFiles", IDC_ADDFOLD_RDO_FILES},
                       {"chkAddFoldRecur", IDC_ADDFOLD_CHK_RECUR},
                       {"btnOk", IDOK},
                       {"btnCancel", IDCANCEL},
                       {"btnHelp", IDC_ADDFOLD_HELP}},
                      CommonDialogLook());
    return binder.ShowModal(owner, IDD_ADD_FOLD);
}

int ShowGetFilesRecurDialog(HWND owner, TdlgGetFilesRecur& form) {
    FormBinder binder(form,
                      {{"lblNumFiles", IDC_GETFILES_LABEL},
                       {"edtNumFiles", IDC_GETFILES_COUNT},
                       {"memFile", IDC_GETFILES_MEMO},
                       {"btnOk", IDOK},
                       {"btnCancel", IDCANCEL},
                       {"btnHelp", IDC_GETFILES_HELP}},
                      CommonDialogLook());
    return binder.ShowModal(owner, IDD_GET_FILES_RECUR);
}

} // namespace tarvoline
