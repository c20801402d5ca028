#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_form.h"

namespace tarvoline {

class FileSystem;
class MainWindow;

// The windows the main window opens: the system's file dialogs, help, the entry detail dialog, and the
// options, print log and About windows. The folder windows are not built yet: their commands do nothing,
// and a folder entry fails to print with an internal error rather than pass for printed.
class Win32MainFormDialogs final : public MainFormDialogs {
public:
    Win32MainFormDialogs(MainWindow& window, FileSystem& fileSystem) : window_(window), fileSystem_(fileSystem) {}
    // The form whose settings, list and log the windows show; it is created after this object.
    void SetMainForm(TMainForm* form) { form_ = form; }

    std::vector<std::string> RunFileDialog(const FileDialogSetup& dialog) override;
    void ShowOptions() override;
    void ShowPrintLog() override;
    void ShowAbout(bool atStartup) override;
    void ShowHelp(int context) override;
    void AddFoldersWithDialog() override {}
    bool ShowEntryDetail(int row) override;
    void ShowFolderFiles(const std::string&) override {}
    int PrintFolderEntry(const std::string& folderPath) override;

private:
    MainWindow& window_;
    FileSystem& fileSystem_;
    TMainForm* form_ = nullptr;
};

// The paths an open dialog returned in its buffer: one full path, or a folder followed by file names.
std::vector<std::wstring> SplitDialogSelection(const wchar_t* buffer);

} // namespace tarvoline
