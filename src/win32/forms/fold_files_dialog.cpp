#include "forms/fold_files_dialog.h"

#include "forms/foldfiles_form_ids.h"
#include "forms/form_binder.h"

namespace tarvoline {

bool Win32FoldFilesDisplay::ShowModal(TfrmFoldFiles& form) {
    FormLook look;
    look.clientWidth = 560;
    look.clientHeight = 380;
    look.minClientWidth = 500;
    look.minClientHeight = 300;
    look.fontFace = L"ＭＳ Ｐゴシック";
    look.fontPixels = 12;
    look.controls = {{"edtPath", nullptr, 0, akLeft | akTop | akRight},
                     {"lblFileNum", nullptr, 0, akLeft | akTop, true},
                     {"lstFiles", nullptr, 0, akLeft | akTop | akRight | akBottom, false, rowIcons_},
                     {"btnClose", nullptr, 0, akBottom}};
    FormBinder binder(form,
                      {{"Label1", IDC_FF_PATH_LABEL},
                       {"edtPath", IDC_FF_PATH},
                       {"Label2", IDC_FF_FILES_LABEL},
                       {"lblFileNum", IDC_FF_FILE_COUNT},
                       {"lstFiles", IDC_FF_FILES},
                       {"btnClose", IDC_FF_CLOSE}},
                      look);
    bool created = false;
    binder.OnCreated = [this, &created](HWND window) {
        placement_.Attach(window);
        created = true;
    };
    binder.ShowModal(owner_, IDD_FOLD_FILES);
    placement_.Attach(nullptr);
    return created;
}

int ShowFolderFilesWindow(HWND owner, HIMAGELIST rowIcons, const FoldFilesServices& services,
                          const std::string& folderPath, FolderWindowMode mode) {
    Win32FoldFilesDisplay display(owner, rowIcons);
    return FoldFilesWindow(services, display).ShowFolderFiles(folderPath, mode);
}

} // namespace tarvoline
