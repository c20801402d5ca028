// The folder contents window as a real modal window on a real folder tree: its rows, icons, count and
// layout while browsing, its placement on the next opening, and its stop button while it prints. A
// helper thread plays the user through the real controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/main_form.h"
#include "app/settings_store.h"
#include "base/wide_text.h"
#include "common/messages.h"
#include "direct_folder_collector.h"
#include "fakes/fake_automation.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_crypto.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_placement_window.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_spooler.h"
#include "fakes/fake_ui.h"
#include "fakes/scripted_printer_watch.h"
#include "forms/fold_files_dialog.h"
#include "forms/foldfiles_form_ids.h"
#include "list/filelist.h"
#include "main_form_dialogs.h"
#include "main_window.h"
#include "message_loop.h"
#include "platform/clock.h"

namespace tarvoline {
namespace {

const std::string kPlacementKey = "HKCU\\Software\\Quendral\\Tarvoline\\V1\\MAIN\\WindowStateFoldFiles";
const wchar_t kCaption[] = L"フォルダ内ファイル一覧";

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (condition())
            return true;
        Sleep(10);
    }
    return condition();
}

HWND WaitForWindow() {
    HWND found = nullptr;
    WaitFor([&] {
        found = FindWindowW(L"#32770", kCaption);
        return found && IsWindowVisible(found);
    });
    return found;
}

struct ListRow {
    std::wstring text;
    int image = 0;
    bool operator==(const ListRow&) const = default;
};

std::vector<ListRow> RowsOf(HWND list) {
    std::vector<ListRow> rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[260] = {};
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = 260;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back({text, item.iImage});
    }
    return rows;
}

RECT ChildRect(HWND window, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void MakeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    CloseHandle(file);
}

// Boxes are recorded, not shown; the pumps handle this thread's real messages.
class PumpingUi : public testing::FakeUi {
public:
    void ProcessPendingMessages() override {
        FakeUi::ProcessPendingMessages();
        ProcessPendingWindowMessages(nullptr, nullptr);
    }
};

// Stands in for the document handlers and looks at the window while a file prints.
class WatchingHandler : public PrintHandler {
public:
    bool Print(const PrintRequest& request) override {
        printed.push_back(request.path);
        if (onPrint)
            onPrint();
        return true;
    }
    std::vector<std::string> printed;
    std::function<void()> onPrint;
};

class FoldFilesWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        SetMessageUi(&ui);
        abortRequested = false;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + "tarvoline-foldfiles-" + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((root_ + "Sub").c_str(), nullptr));
        for (const char* name : {"B.pdf", "a.doc", "c.xlsx", "notes.bin", "Sub\\図面.vsdx", "Sub\\A.pptx"}) {
            MakeFile(root_ + name);
            made_.push_back(root_ + name);
        }
    }
    void TearDown() override {
        for (const std::string& file : made_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA((root_ + "Sub").c_str());
        RemoveDirectoryA(root_.c_str());
        SetMessageUi(nullptr);
        abortRequested = false;
        ImageList_Destroy(icons_);
    }
    // Shows the window on this thread while script plays the user on another one.
    int ShowWhile(FolderWindowMode mode, const std::function<void(HWND)>& script) {
        int result = -1;
        std::thread user([&] {
            const HWND window = WaitForWindow();
            script(window);
            // Whatever the script left open is closed, so the test cannot hang.
            if (window && IsWindow(window))
                PostMessageW(window, WM_CLOSE, 0, 0);
        });
        result = ShowFolderFilesWindow(nullptr, icons_, services_, root_, mode);
        user.join();
        return result;
    }

    PumpingUi ui;
    testing::FakeRegistry registry;
    testing::FakePlacementWindow mainWindow;
    c_reg reg{registry, mainWindow};
    testing::DirectFolderCollector collector;
    WatchingHandler handler;
    PrintHandlers handlers{&handler, &handler, &handler, &handler, &handler, &handler};
    EntryPrinter printer{collector.kinds, handlers};
    SystemClock clock;
    FoldFilesServices services_{reg, collector, collector.kinds, printer, clock};
    HIMAGELIST icons_ = BuildRowIconList();
    std::string root_;
    std::vector<std::string> made_;
};

TEST_F(FoldFilesWin32Test, BrowsingShowsTheSortedDocumentsWithTheirIconsAndRemembersThePlacement) {
    const std::vector<ListRow> expected = {{L"a.doc", IconWord},
                                           {L"B.pdf", IconPdf},
                                           {L"c.xlsx", IconExcel},
                                           {L"Sub\\A.pptx", IconPowerPoint},
                                           {L"Sub\\図面.vsdx", IconVisio}};
    const int result = ShowWhile(FolderWindowMode::BrowseFolder, [&](HWND window) {
        ASSERT_NE(window, nullptr);
        const HWND list = GetDlgItem(window, IDC_FF_FILES);
        const HWND count = GetDlgItem(window, IDC_FF_FILE_COUNT);
        const HWND close = GetDlgItem(window, IDC_FF_CLOSE);
        ASSERT_TRUE(WaitFor([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0; }));
        EXPECT_EQ(RowsOf(list), expected);
        EXPECT_EQ(TextOf(count), L"5ファイル");
        EXPECT_EQ(TextOf(GetDlgItem(window, IDC_FF_PATH)), ToWide(root_));
        EXPECT_EQ(TextOf(close), L"閉じる");
        RECT listClient{};
        GetClientRect(list, &listClient);
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), listClient.right);

        // The main window's icons, one column without a header, no check boxes.
        EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0)), icons_);
        const LONG style = GetWindowLongW(list, GWL_STYLE);
        EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
        EXPECT_TRUE(style & LVS_NOCOLUMNHEADER);
        EXPECT_TRUE(style & LVS_SHAREIMAGELISTS);
        EXPECT_FALSE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(count, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_GE(font.lfWeight, FW_BOLD);

        // A sizable window with the system menu only, never below 500 x 300, the list filling it.
        const LONG frame = GetWindowLongW(window, GWL_STYLE);
        EXPECT_TRUE(frame & WS_SYSMENU);
        EXPECT_TRUE(frame & WS_THICKFRAME);
        EXPECT_FALSE(frame & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        RECT client{};
        SetWindowPos(window, nullptr, 10, 20, 100, 100, SWP_NOZORDER);
        GetClientRect(window, &client);
        EXPECT_GE(client.right, 500);
        EXPECT_GE(client.bottom, 300);
        SetWindowPos(window, nullptr, 10, 20, 700, 500, SWP_NOZORDER);
        GetClientRect(window, &client);
        const RECT listRect = ChildRect(window, list);
        const RECT buttonRect = ChildRect(window, close);
        EXPECT_LE(client.right - listRect.right, 10);
        EXPECT_LT(listRect.bottom, buttonRect.top);
        EXPECT_LE(client.bottom - buttonRect.bottom, 20);
        EXPECT_NEAR((buttonRect.left + buttonRect.right) / 2, client.right / 2, 1);
        GetClientRect(list, &listClient);
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), listClient.right);

        ShowWindow(window, SW_MAXIMIZE);
        SendMessageW(close, BM_CLICK, 0, 0);
        WaitFor([&] { return !IsWindow(window); });
        EXPECT_FALSE(IsWindow(window));
    });
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(abortRequested);
    EXPECT_TRUE(handler.printed.empty());
    ASSERT_NE(registry.Find(kPlacementKey, "Width"), nullptr);
    EXPECT_EQ(registry.Find(kPlacementKey, "Left")->number, 10u);
    EXPECT_EQ(registry.Find(kPlacementKey, "Width")->number, 700u) << "the restored size of a maximized window";
    EXPECT_EQ(registry.Find(kPlacementKey, "Maximized")->number, static_cast<std::uint32_t>(kWindowMaximized));

    ShowWhile(FolderWindowMode::BrowseFolder, [&](HWND window) {
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(IsZoomed(window));
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(window, &placement);
        EXPECT_EQ(placement.rcNormalPosition.left, 10);
        EXPECT_EQ(placement.rcNormalPosition.top, 20);
        EXPECT_EQ(placement.rcNormalPosition.right - placement.rcNormalPosition.left, 700);
    });
}

TEST_F(FoldFilesWin32Test, WhilePrintingTheButtonStopsTheWholeRun) {
    HWND window = nullptr;
    std::vector<std::wstring> buttonWhilePrinting;
    std::vector<std::vector<ListRow>> rowsWhilePrinting;
    handler.onPrint = [&] {
        window = FindWindowW(L"#32770", kCaption);
        buttonWhilePrinting.push_back(TextOf(GetDlgItem(window, IDC_FF_CLOSE)));
        rowsWhilePrinting.push_back(RowsOf(GetDlgItem(window, IDC_FF_FILES)));
        // A handler waits for its application while the window stays usable.
        const DWORD until = GetTickCount() + 10000;
        while (!abortRequested && GetTickCount() < until) {
            PumpMessages();
            Sleep(10);
        }
    };
    const int result = ShowWhile(FolderWindowMode::PrintFolder, [&](HWND shown) {
        ASSERT_NE(shown, nullptr);
        const HWND close = GetDlgItem(shown, IDC_FF_CLOSE);
        ASSERT_TRUE(WaitFor([&] { return TextOf(close) == L"印刷中止"; }));
        EXPECT_TRUE(IsWindowEnabled(close));
        PostMessageW(close, BM_CLICK, 0, 0);
        WaitFor([&] { return !IsWindow(shown); }, 10000);
    });
    EXPECT_EQ(result, kPrintStopped);
    EXPECT_TRUE(abortRequested);
    EXPECT_EQ(handler.printed, std::vector<std::string>{root_ + "a.doc"});
    EXPECT_EQ(buttonWhilePrinting, std::vector<std::wstring>{L"印刷中止"});
    ASSERT_EQ(rowsWhilePrinting.size(), 1u);
    EXPECT_EQ(rowsWhilePrinting[0].at(0), (ListRow{L"a.doc", IconPrinting}));
    EXPECT_EQ(rowsWhilePrinting[0].at(1), (ListRow{L"B.pdf", IconPdf}));
}

// The main window's two folder commands: the window with the main window's own icons, walking the folder
// behind the progress window unless a test gives its own walk.
class MainFormFolderCommandsTest : public FoldFilesWin32Test {
protected:
    void SetUp() override {
        FoldFilesWin32Test::SetUp();
        window.Create(GetModuleHandleW(nullptr), SW_HIDE);
        form = std::make_unique<TMainForm>(MainFormServices{registry,
                                                            files,
                                                            shell,
                                                            spooler,
                                                            automation,
                                                            watcher,
                                                            desktop,
                                                            fakeClock,
                                                            crypto,
                                                            window,
                                                            window,
                                                            dialogs,
                                                            "C:\\Tarvoline.exe",
                                                            {}});
        dialogs.SetMainForm(form.get());
        window.Attach(*form);
    }
    void TearDown() override {
        if (window.Handle())
            DestroyWindow(window.Handle());
        form.reset();
        SetPrintLog(nullptr);
        // The main window's end posts WM_QUIT, which would end the next test's modal window at once.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        FoldFilesWin32Test::TearDown();
    }

    Win32FileSystem files;
    testing::FakeShell shell;
    testing::FakeSpooler spooler;
    testing::FakeAutomation automation;
    testing::FakeClock fakeClock;
    testing::PrinterScript script;
    testing::ScriptedWatcher watcher{fakeClock, script};
    testing::FakeDesktop desktop{fakeClock};
    testing::FakeCrypto crypto;
    MainWindow window;
    Win32MainFormDialogs dialogs{window, files};
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormFolderCommandsTest, BeforeTheFormExistsBothCommandsFailWithAnInternalError) {
    dialogs.SetMainForm(nullptr);
    EXPECT_EQ(dialogs.PrintFolderEntry(root_), kPrintFailed);
    dialogs.ShowFolderFiles(root_);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_NE(ui.boxes[0].text.find("PrintFolderEntry"), std::string::npos);
    EXPECT_NE(ui.boxes[1].text.find("ShowFolderFiles"), std::string::npos);
    EXPECT_EQ(FindWindowW(L"#32770", kCaption), nullptr);
}

// Without a replacement the folder is walked by the real collection behind its progress window.
TEST_F(MainFormFolderCommandsTest, BrowsingWalksTheFolderWithTheProgressWindow) {
    std::size_t rowCount = 0;
    std::thread user([&] {
        const HWND shown = WaitForWindow();
        if (!shown)
            return;
        const HWND list = GetDlgItem(shown, IDC_FF_FILES);
        WaitFor([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0; });
        rowCount = RowsOf(list).size();
        PostMessageW(shown, WM_CLOSE, 0, 0);
    });
    dialogs.ShowFolderFiles(root_);
    user.join();
    EXPECT_EQ(rowCount, 5u);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainFormFolderCommandsTest, BrowsingAFolderRowShowsItsDocumentsWithTheMainWindowsIcons) {
    dialogs.SetFolderFileCollector(&collector);
    std::vector<ListRow> rows;
    HIMAGELIST shownIcons = nullptr;
    std::thread user([&] {
        const HWND shown = WaitForWindow();
        if (!shown)
            return;
        const HWND list = GetDlgItem(shown, IDC_FF_FILES);
        WaitFor([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0; });
        rows = RowsOf(list);
        shownIcons = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        PostMessageW(shown, WM_CLOSE, 0, 0);
    });
    dialogs.ShowFolderFiles(root_);
    user.join();
    EXPECT_EQ(rows.size(), 5u);
    EXPECT_EQ(shownIcons, window.RowIcons());
    EXPECT_NE(shownIcons, nullptr);
    EXPECT_TRUE(ui.boxes.empty());
}

} // namespace
} // namespace tarvoline
