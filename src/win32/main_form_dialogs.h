#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_form.h"

namespace tarvoline {

class MainWindow;

// The windows the main window opens. The file dialogs and help are the system's own; the options,
// print log, About, entry detail and folder windows are not built yet: their commands do nothing, a
// folder entry fails to print with an internal error rather than pass for printed.
class Win32MainFormDialogs final : public MainFormDialogs {
public:
    Win32MainFormDialogs(MainWindow& window, std::string programPath)
        : window_(window), programPath_(std::move(programPath)) {}

    std::vector<std::string> RunFileDialog(const FileDialogSetup& dialog) override;
    void ShowOptions() override {}
    void ShowPrintLog() override {}
    void ShowAbout(bool) override {}
    // The HTML Help file beside the program, opened at a context number.
    void ShowHelp(int context) override;
    void AddFoldersWithDialog() override {}
    bool ShowEntryDetail(int) override { return false; }
    void ShowFolderFiles(const std::string&) override {}
    int PrintFolderEntry(const std::string& folderPath) override;

private:
    MainWindow& window_;
    std::string programPath_;
};

// The paths an open dialog returned in its buffer: one full path, or a folder followed by file names.
std::vector<std::wstring> SplitDialogSelection(const wchar_t* buffer);

} // namespace tarvoline
