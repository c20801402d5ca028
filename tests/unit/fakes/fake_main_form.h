#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/settings_windows.h"
#include "dialogs/get_files_dialog.h"
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

// The collection as the program runs it, with the progress window's logic but no window: its timer fires
// at once. onWalk runs when the walk starts, with the window (to press its Cancel, say).
class FakeFolderCollector : public FolderFileCollector {
public:
    int CollectFiles(const std::vector<std::string>& folders, std::vector<std::string>& out, bool recursive) override {
        calls.push_back({folders, recursive});
        TdlgGetFilesRecur dialog(*enumerator, *classifier, folders, out, recursive);
        dialog.FormShow();
        if (onWalk)
            onWalk(dialog);
        dialog.tmrTimer.OnTimer();
        return dialog.ModalResult();
    }
    struct Call {
        std::vector<std::string> folders;
        bool recursive;
    };
    FolderEnumerator* enumerator = nullptr;
    FileClassifier* classifier = nullptr;
    std::function<void(TdlgGetFilesRecur&)> onWalk;
    std::vector<Call> calls;
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
    std::vector<std::string> PickFolders(const std::string& initialFolder) override {
        events.push_back("pickfolders:" + initialFolder);
        if (folderAnswers.empty())
            return {};
        auto answer = folderAnswers.front();
        folderAnswers.pop_front();
        return answer;
    }
    // The add-mode dialog opens (FormShow) and is answered by the next scripted answer; none cancels it.
    int ShowAddFoldDialog(TdlgAddFold& dialog) override {
        events.push_back("addfold");
        dialog.FormShow();
        addFoldShown.push_back(dialog.rdoAddFoldFold.Checked()     ? FolderAddMode::FolderEntry
                               : !dialog.rdoAddFoldFiles.Checked() ? FolderAddMode::NotChosen
                               : dialog.chkAddFoldRecur.Checked()  ? FolderAddMode::FilesRecursive
                                                                   : FolderAddMode::Files);
        addFoldFolders.push_back(dialog.lbxFolds.Items());
        if (addFoldAnswers.empty()) {
            dialog.btnCancel.OnClick();
        } else {
            addFoldAnswers.front()(dialog);
            addFoldAnswers.pop_front();
        }
        return dialog.ModalResult();
    }
    FolderFileCollector& FolderCollector() override { return collector; }
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
    std::deque<std::vector<std::string>> folderAnswers;
    std::deque<std::function<void(TdlgAddFold&)>> addFoldAnswers;
    std::vector<FolderAddMode> addFoldShown; // the way each add-mode dialog opened with
    std::vector<std::vector<std::string>> addFoldFolders;
    FakeFolderCollector collector;
    std::vector<FileDialogSetup> fileDialogs;
    std::vector<std::string> events;
};

} // namespace tarvoline::testing
