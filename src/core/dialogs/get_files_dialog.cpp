#include "dialogs/get_files_dialog.h"

#include "common/messages.h"
#include "list/folder_collection.h"

namespace tarvoline {

TdlgGetFilesRecur::TdlgGetFilesRecur(FolderEnumerator& enumerator, FileClassifier& classifier,
                                     std::vector<std::string> folders, std::vector<std::string>& out, bool recursive)
    : TdlgCommon("ファイル情報取得中..."), enumerator_(enumerator), classifier_(classifier),
      folders_(std::move(folders)), out_(out), recursive_(recursive) {
    btnOk.SetVisible(false);
    btnHelp.SetVisible(false);
    btnCancel.OnClick = [this] { btnCancelClick(); };
    tmrTimer.OnTimer = [this] { tmrTimerTimer(); };
}

std::vector<Control*> TdlgGetFilesRecur::Controls() {
    std::vector<Control*> controls = TdlgCommon::Controls();
    controls.insert(controls.end(), {&lblNumFiles, &edtNumFiles, &memFile, &tmrTimer});
    return controls;
}

void TdlgGetFilesRecur::tmrTimerTimer() {
    tmrTimer.SetEnabled(false);
    // The window shows its state only when it handles messages: the texts follow the walk there and at
    // its end, not on every document (which made a big walk many times slower).
    std::size_t found = 0;
    std::string last;
    const auto showProgress = [&] {
        if (found == 0)
            return;
        edtNumFiles.SetText(std::to_string(found));
        memFile.SetText(last);
    };
    CollectionProgress progress;
    progress.found = [&](std::size_t count, const std::string& path) {
        found = count;
        last = path;
    };
    // The only place where a click on Cancel can arrive during the walk.
    progress.cancelRequested = [&] {
        showProgress();
        PumpMessages();
        return cancelled_;
    };
    for (const std::string& folder : folders_) {
        if (cancelled_)
            break;
        CollectFolder(enumerator_, classifier_, folder, recursive_, out_, progress);
    }
    showProgress();
    Close(cancelled_ ? mrCancel : mrOk);
}

} // namespace tarvoline
