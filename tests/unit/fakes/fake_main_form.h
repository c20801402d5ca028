#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/settings_windows.h"
#include "fakes/fake_placement_window.h"

namespace tarvoline::testing {

// The real window around the main form: records what the form asks of it.
class FakeMainWindow : public MainFormWindow {
public:
    void CloseWindow() override { ++closeRequests; }
    void SetCaption(const std::string& text) override { caption = text; }
    void FocusList() override { ++listFocused; }
    std::optional<std::string> DocumentsFolder() override { return documents; }
    std::string CurrentDirectory() override { return currentDirectory; }
    void AddToRecentDocuments(const std::string& path) override { recentDocuments.push_back(path); }

    int closeRequests = 0;
    std::string caption;
    int listFocused = 0;
    std::optional<std::string> documents = std::string("C:\\Users\\u\\Documents");
    std::string currentDirectory = "C:\\work";
    std::vector<std::string> recentDocuments;
};

// Answers file dialogs from a script (no answer = cancelled) and records every window opened.
class FakeMainDialogs : public MainFormDialogs {
public:
    std::vector<std::string> RunFileDialog(const FileDialogSetup& dialog) override {
        fileDialogs.push_back(dialog);
        events.push_back("dialog:" + dialog.name);
        if (fileAnswers.empty())
            return {};
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    void ShowOptions() override { events.push_back("options"); }
    void ShowPrintLog() override { events.push_back("printlog"); }
    void ShowAbout(bool atStartup) override { events.push_back(atStartup ? "about:startup" : "about"); }
    void ShowHelp(int context) override { events.push_back("help:" + std::to_string(context)); }
    void AddFoldersWithDialog() override { events.push_back("addfolders"); }
    bool ShowEntryDetail(int row) override {
        events.push_back("detail:" + std::to_string(row));
        return true;
    }
    void ShowFolderFiles(const std::string& folderPath) override { events.push_back("folder:" + folderPath); }
    int PrintFolderEntry(const std::string& folderPath) override {
        events.push_back("printfolder:" + folderPath);
        return 0;
    }

    std::deque<std::vector<std::string>> fileAnswers;
    std::vector<FileDialogSetup> fileDialogs;
    std::vector<std::string> events;
};

} // namespace tarvoline::testing
