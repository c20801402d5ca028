#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "dialogs/fold_files_window.h"
#include "folder_collector_win32.h"
#include "platform/clock.h"

namespace tarvoline {

class FileSystem;
class FolderFileCollector;
class MainWindow;

// The windows the main window opens: the system's file and folder dialogs, help, the options, print log
// and About windows, the entry detail dialog, the folder adding windows and the folder contents window.
class Win32MainFormDialogs final : public MainFormDialogs {
public:
    Win32MainFormDialogs(MainWindow& window, FileSystem& fileSystem) : window_(window), fileSystem_(fileSystem) {}
    // The form whose settings, list and log the windows show; it is created after this object.
    void SetMainForm(TMainForm* form) { form_ = form; }
    // Replaces the folder walk with its progress window (tests walk without a window).
    void SetFolderFileCollector(FolderFileCollector* collector) { collector_ = collector; }

    std::vector<std::string> RunFileDialog(const FileDialogSetup& dialog) override;
    void ShowOptions() override;
    void ShowPrintLog() override;
    void ShowAbout(bool atStartup) override;
    void ShowHelp(int context) override;
    std::vector<std::string> PickFolders(const std::string& initialFolder) override;
    int ShowAddFoldDialog(TdlgAddFold& dialog) override;
    FolderFileCollector& FolderCollector() override;
    bool ShowEntryDetail(int row) override;
    void ShowFolderFiles(const std::string& folderPath) override;
    int PrintFolderEntry(const std::string& folderPath) override;

private:
    int ShowFolderWindow(const std::string& folderPath, FolderWindowMode mode);

    MainWindow& window_;
    FileSystem& fileSystem_;
    TMainForm* form_ = nullptr;
    FolderFileCollector* collector_ = nullptr;
    std::unique_ptr<Win32FolderFileCollector> folderCollector_;
    SystemClock folderPauseClock_;
};

// The paths an open dialog returned in its buffer: one full path, or a folder followed by file names.
std::vector<std::wstring> SplitDialogSelection(const wchar_t* buffer);

} // namespace tarvoline
