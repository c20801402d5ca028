#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "dialogs/fold_files_window.h"
#include "platform/clock.h"

namespace tarvoline {

class FileSystem;
class FolderFileCollector;
class MainWindow;

// The windows the main window opens: the system's file dialogs, help, and the options, print log and
// About windows. The entry detail window is not built yet: its command does nothing. The folder window
// needs the folder walk (SetFolderFileCollector); without it a folder entry fails to print with an
// internal error rather than pass for printed.
class Win32MainFormDialogs final : public MainFormDialogs {
public:
    Win32MainFormDialogs(MainWindow& window, FileSystem& fileSystem) : window_(window), fileSystem_(fileSystem) {}
    // The form whose settings, list and log the windows show; it is created after this object.
    void SetMainForm(TMainForm* form) { form_ = form; }
    // The folder walk with its progress window; until one is given, the folder window cannot open.
    void SetFolderFileCollector(FolderFileCollector* collector) { collector_ = collector; }

    std::vector<std::string> RunFileDialog(const FileDialogSetup& dialog) override;
    void ShowOptions() override;
    void ShowPrintLog() override;
    void ShowAbout(bool atStartup) override;
    void ShowHelp(int context) override;
    void AddFoldersWithDialog() override {}
    bool ShowEntryDetail(int) override { return false; }
    void ShowFolderFiles(const std::string& folderPath) override;
    int PrintFolderEntry(const std::string& folderPath) override;

private:
    int ShowFolderWindow(const std::string& folderPath, FolderWindowMode mode);

    MainWindow& window_;
    FileSystem& fileSystem_;
    TMainForm* form_ = nullptr;
    FolderFileCollector* collector_ = nullptr;
    SystemClock folderPauseClock_;
};

// The paths an open dialog returned in its buffer: one full path, or a folder followed by file names.
std::vector<std::wstring> SplitDialogSelection(const wchar_t* buffer);

} // namespace tarvoline
