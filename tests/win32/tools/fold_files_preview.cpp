// Opens the folder contents window on a sample folder tree, for screenshots and the end-to-end check:
//   fold_files_preview browse|print
// print: the fourth file's stand-in handler keeps printing until the run is stopped, after writing the
// screen position of the stop button into fold_files_preview.marker beside the program ("x y").
// The exit code is the window's result (0 browse; print: 0, 1 stopped, 2 failed), 9 for a wrong argument.
// Settings live in a registry in memory, so the Wine prefix is left as it was.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "direct_folder_collector.h"
#include "fakes/fake_placement_window.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_ui.h"
#include "forms/dialogs.h"
#include "forms/fold_files_dialog.h"
#include "forms/foldfiles_form_ids.h"
#include "main_window.h"
#include "message_loop.h"
#include "platform/clock.h"

using namespace tarvoline;

namespace {

class PumpingUi : public testing::FakeUi {
public:
    void ProcessPendingMessages() override { ProcessPendingWindowMessages(nullptr, nullptr); }
};

class SlowHandler : public PrintHandler {
public:
    explicit SlowHandler(std::string marker) : marker_(std::move(marker)) {}
    bool Print(const PrintRequest&) override {
        if (++count_ != 4)
            return true;
        const HWND window = FindWindowW(L"#32770", L"フォルダ内ファイル一覧");
        RECT button{};
        GetWindowRect(GetDlgItem(window, IDC_FF_CLOSE), &button);
        if (FILE* file = std::fopen(marker_.c_str(), "wb")) {
            std::fprintf(file, "%ld %ld\n", (button.left + button.right) / 2, (button.top + button.bottom) / 2);
            std::fclose(file);
        }
        const DWORD until = GetTickCount() + 60000;
        while (!abortRequested && GetTickCount() < until) {
            PumpMessages();
            Sleep(20);
        }
        return true;
    }

private:
    std::string marker_;
    int count_ = 0;
};

void MakeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

} // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    if (argc != 2)
        return 9;
    const std::string which = argv[1];
    if (which != "browse" && which != "print")
        return 9;

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "帳票サンプル\\";
    const std::vector<std::string> folders = {root, root + "月次\\"};
    const std::vector<std::string> names = {"議事録（第３回）.docx",
                                            "売上集計表.xlsx",
                                            "提案書.pptx",
                                            "readme.txt",
                                            "見積書.pdf",
                                            "Agenda.doc",
                                            "予算.xls",
                                            "月次\\月次報告.docx",
                                            "月次\\在庫一覧.xlsx",
                                            "月次\\配置図.vsdx",
                                            "月次\\請求書.pdf",
                                            "月次\\説明資料.ppt",
                                            "月次\\notes.bin",
                                            "月次\\チェックリスト.rtf"};
    for (const std::string& folder : folders)
        CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& name : names)
        MakeFile(root + name);

    PumpingUi ui;
    SetMessageUi(&ui);
    testing::FakeRegistry registry;
    testing::FakePlacementWindow mainWindow;
    c_reg reg(registry, mainWindow);
    testing::DirectFolderCollector collector;
    const std::string marker = ProgramFolder() + "\\fold_files_preview.marker";
    DeleteFileA(marker.c_str());
    SlowHandler handler(marker);
    PrintHandlers handlers{&handler, &handler, &handler, &handler, &handler, &handler};
    EntryPrinter printer(collector.kinds, handlers);
    SystemClock clock;
    const FoldFilesServices services{reg, collector, collector.kinds, printer, clock};
    const HIMAGELIST icons = BuildRowIconList();
    const int result =
        ShowFolderFilesWindow(nullptr, icons, services, root,
                              which == "print" ? FolderWindowMode::PrintFolder : FolderWindowMode::BrowseFolder);
    ImageList_Destroy(icons);
    SetMessageUi(nullptr);

    for (auto name = names.rbegin(); name != names.rend(); ++name)
        DeleteFileA((root + *name).c_str());
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        RemoveDirectoryA(folder->c_str());
    return result;
}
