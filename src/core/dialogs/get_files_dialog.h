#pragma once
// The progress window of the folder collection: walks the folders from its timer, shows how many
// documents it has found and the last one, and stops when its Cancel button is pressed.
#include <string>
#include <vector>

#include "dialogs/dlg_common.h"

namespace tarvoline {

class FileClassifier;
class FolderEnumerator;

class TdlgGetFilesRecur : public TdlgCommon {
public:
    // out receives the documents found, also those found before a cancel; the caller decides what to keep.
    TdlgGetFilesRecur(FolderEnumerator& enumerator, FileClassifier& classifier, std::vector<std::string> folders,
                      std::vector<std::string>& out, bool recursive);

    Control lblNumFiles{"lblNumFiles", "ファイル数："};
    Control edtNumFiles{"edtNumFiles"};
    Control memFile{"memFile"};
    static constexpr int kTimerInterval = 100;
    TimerControl tmrTimer{"tmrTimer", kTimerInterval, true};

    std::vector<Control*> Controls() override;
    void tmrTimerTimer();
    // Only asks the walk to stop; the walk closes the window when it has unwound.
    void btnCancelClick() { cancelled_ = true; }
    void CloseBoxClick() override { btnCancelClick(); }

    bool Cancelled() const { return cancelled_; }

private:
    FolderEnumerator& enumerator_;
    FileClassifier& classifier_;
    std::vector<std::string> folders_;
    std::vector<std::string>& out_;
    bool recursive_;
    bool cancelled_ = false;
};

} // namespace tarvoline
