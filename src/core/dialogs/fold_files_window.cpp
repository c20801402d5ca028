#include "dialogs/fold_files_window.h"

#include <algorithm>

#include "app/settings_store.h"
#include "common/ansi_text.h"
#include "common/messages.h"
#include "common/wait_cursor.h"
#include "dialogs/folder_files.h"
#include "list/file_kind.h"
#include "list/filelist.h"

namespace tarvoline {

namespace {

constexpr char kPlacementKey[] = "MAIN";
constexpr char kPlacementSubKey[] = "WindowStateFoldFiles";
constexpr std::size_t kMaxCaptionCharacters = 9999;

// The part of path after the folder's length, cut at whole characters.
std::string RelativeCaption(const std::string& path, std::size_t folderLength) {
    if (folderLength >= path.size())
        return {};
    const std::string_view rest = std::string_view(path).substr(folderLength);
    std::size_t end = 0;
    for (std::size_t count = 0; end < rest.size() && count < kMaxCaptionCharacters; ++count)
        end += CharLengthAt(rest, end);
    return std::string(rest.substr(0, std::min(end, rest.size())));
}

} // namespace

TfrmFoldFiles::TfrmFoldFiles(const FoldFilesServices& services, PlacementWindow& window, std::string folderPath,
                             FolderWindowMode mode)
    : Form("フォルダ内ファイル一覧"), services_(services), window_(window), folderPath_(std::move(folderPath)),
      mode_(mode) {
    btnClose.OnClick = [this] { btnCloseClick(); };
    tmrTimer.OnTimer = [this] { tmrTimerTimer(); };
}

void TfrmFoldFiles::FormShow() {
    services_.reg.LoadWindowPlacement(window_, kPlacementKey, kPlacementSubKey);
    edtPath.SetText(folderPath_);
    tmrTimer.SetEnabled(true);
}

void TfrmFoldFiles::FormClose() {
    services_.reg.SaveWindowPlacement(window_, kPlacementKey, kPlacementSubKey);
}

void TfrmFoldFiles::tmrTimerTimer() {
    tmrTimer.SetEnabled(false);
    ListFolderFiles();
    if (mode_ == FolderWindowMode::BrowseFolder)
        return;
    if (ModalResult() != mrNone) {
        result_ = kPrintStopped;
        return;
    }
    btnClose.SetText(LoadMessageText(15010));
    btnClose.SetEnabled(true);
    result_ = PrintFolderFiles();
    if (ModalResult() == mrNone)
        Close(mrOk);
}

void TfrmFoldFiles::btnCloseClick() {
    // The whole run stops, not only this folder.
    if (printing_)
        abortRequested = true;
    Close(mrOk);
}

void TfrmFoldFiles::ListFolderFiles() {
    c_waitcursor waitCursor;
    std::vector<std::string> found;
    // The setting as it is now: the options may have changed it since the run began.
    if (services_.collector.CollectFolderFiles(folderPath_, found, services_.reg.FolderSubfolderDefault) != mrOk) {
        Close(mrCancel);
        return;
    }
    std::vector<RowListControl::Row> rows;
    rows.reserve(found.size());
    for (const std::string& path : found)
        rows.push_back({RelativeCaption(path, folderPath_.size()), IconIndexOf(services_.classifier.FileKindOf(path))});
    lblFileNum.SetText(std::to_string(found.size()) + LoadMessageText(15011));
    std::stable_sort(rows.begin(), rows.end(), [this](const RowListControl::Row& a, const RowListControl::Row& b) {
        return lstFilesCompare(a, b) < 0;
    });
    lstFiles.SetRows(rows);
}

int TfrmFoldFiles::lstFilesCompare(const RowListControl::Row& a, const RowListControl::Row& b) const {
    return ComparePaths(FullPath(a.caption), FullPath(b.caption));
}

std::string TfrmFoldFiles::RowFullPath(int row) const {
    return FullPath(lstFiles.RowAt(row).caption);
}

int TfrmFoldFiles::PrintFolderFiles() {
    printing_ = true;
    int result = kPrintDone;
    const auto closed = [this] { return ModalResult() != mrNone; };
    for (int row = 0; row < lstFiles.RowCount(); ++row) {
        if (closed()) {
            result = kPrintStopped;
            break;
        }
        const std::string path = RowFullPath(row);
        lstFiles.SetRowIcon(row, IconPrinting);
        lstFiles.MakeRowVisible(row);
        // Files of a folder entry have no settings of their own: all pages, no password, the default
        // Excel range, one job per book.
        if (services_.printer.PrintEntry(path, "", "", ExcelRangeMode::None, std::nullopt, false) != kPrintDone)
            result = kPrintFailed;
        if (!PauseAfterFile(services_.clock, closed))
            result = kPrintStopped;
        lstFiles.SetRowIcon(row, IconIndexOf(services_.classifier.FileKindOf(path)));
    }
    printing_ = false;
    return result;
}

int FoldFilesWindow::ShowFolderFiles(const std::string& path, FolderWindowMode mode) {
    TfrmFoldFiles form(services_, display_.Placement(), path, mode);
    if (!display_.ShowModal(form)) {
        // A folder that was never listed must not count as printed.
        ShowInternalError("ShowFolderFiles", static_cast<std::int32_t>(mode), 0);
        return mode == FolderWindowMode::PrintFolder ? kPrintFailed : 0;
    }
    return form.Result();
}

} // namespace tarvoline
