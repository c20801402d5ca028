#pragma once
// The folder contents window as a real modal window over the main window.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "dialogs/fold_files_window.h"
#include "forms/window_placement.h"

namespace tarvoline {

class Win32FoldFilesDisplay final : public FoldFilesDisplay {
public:
    // rowIcons: the main window's row icons, shared, not copied.
    Win32FoldFilesDisplay(HWND owner, HIMAGELIST rowIcons) : owner_(owner), rowIcons_(rowIcons) {}
    PlacementWindow& Placement() override { return placement_; }
    bool ShowModal(TfrmFoldFiles& form) override;

private:
    HWND owner_;
    HIMAGELIST rowIcons_;
    WindowPlacement placement_;
};

// "フォルダ内ファイル一覧" for the folder path: 0 when browsing, the print loop's result when printing.
int ShowFolderFilesWindow(HWND owner, HIMAGELIST rowIcons, const FoldFilesServices& services,
                          const std::string& folderPath, FolderWindowMode mode);

} // namespace tarvoline
