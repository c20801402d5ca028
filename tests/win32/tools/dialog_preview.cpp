// Opens one of the small windows with sample data, for screenshots and the end-to-end check:
//   dialog_preview options|printlog|about|textinput|help
// The exit code is the window's modal result (1 OK, 2 Cancel; 0 for the print log), 9 for a wrong argument.
// Settings live in a registry in memory, so the Wine prefix is left as it was.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>

#include "app/settings_store.h"
#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_placement_window.h"
#include "fakes/fake_registry.h"
#include "fakes/memory_file_system.h"
#include "forms/dialogs.h"
#include "forms/help.h"
#include "platform/win32_file_system.h"
#include "text_input_dialog.h"

using namespace tarvoline;

int main(int argc, char** argv) {
    InitCommonControls();
    if (argc != 2)
        return 9;
    testing::FakeRegistry registry;
    testing::FakePlacementWindow mainWindow;
    c_reg reg(registry, mainWindow);
    const std::string which = argv[1];
    if (which == "options") {
        reg.ExcelRangeDefault = 2;
        reg.FolderSubfolderDefault = true;
        return ShowOptionsDialog(nullptr, reg, [] {});
    }
    if (which == "printlog") {
        testing::FakeClock clock;
        testing::MemoryFileSystem files;
        c_print_log log(clock, files);
        log.AddLine("ファイルリスト印刷開始：C:\\帳票\\月次報告.lst");
        log.AddLine("印刷開始：C:\\帳票\\売上集計表.xlsx");
        log.AddLine("印刷終了：C:\\帳票\\売上集計表.xlsx");
        log.AddLine("印刷開始：C:\\帳票\\議事録（第３回）.docx");
        log.AddLine("印刷終了：C:\\帳票\\議事録（第３回）.docx");
        log.AddLine("ファイルリスト印刷完了");
        log.AddLine("印刷を完了しました。");
        ShowPrintLogWindow(nullptr, reg, log);
        return 0;
    }
    if (which == "about") {
        Win32FileSystem fileSystem;
        ShowAboutDialog(nullptr, reg, fileSystem);
        return 1;
    }
    if (which == "textinput") {
        std::string text = "secret";
        return static_cast<int>(
            ShowTextInputDialog(nullptr, "ファイルはパスワード保護されています。パスワードを入力してください。", text));
    }
    if (which == "help") {
        // Opens the help file at the options topic and keeps the window up for a moment.
        ShowHelp(nullptr, 50);
        const DWORD until = GetTickCount() + 3000;
        MSG message;
        while (GetTickCount() < until) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(20);
        }
        return 0;
    }
    return 9;
}
