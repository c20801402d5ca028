// The main window bound to the core form: real child controls and list view, kept in step both ways.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "app/main_form.h"
#include "base/wide_text.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_automation.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_crypto.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_main_form.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_spooler.h"
#include "fakes/fake_ui.h"
#include "fakes/main_form_fakes.h"
#include "fakes/memory_file_system.h"
#include "fakes/scripted_printer_watch.h"
#include "main_window.h"
#include "message_loop.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

int Dpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, 1024);
    return buffer;
}

class MainWindowFormTest : public ::testing::Test, protected testing::MainFormFakes {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        SetMessageUi(&ui);
        files.files["C:\\docs\\a.doc"] = "x";
        files.files["C:\\docs\\b.doc"] = "x";
        files.folders = {"C:\\docs"};
        spooler.printers = {"Printer A", "Printer B"};
        spooler.defaultPrinter = "Printer B";
        window.Create(GetModuleHandleW(nullptr), SW_HIDE);
        form = std::make_unique<TMainForm>(Services(files, window, window, dialogs));
        window.Attach(*form);
        ShowWindow(window.Handle(), SW_SHOW);
    }
    void TearDown() override {
        if (window.Handle())
            DestroyWindow(window.Handle());
        form.reset();
        SetMessageUi(nullptr);
        SetPrintLog(nullptr);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    HWND Child(const char* name) {
        const HWND child = window.ControlHandle(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    int ListCount() { return static_cast<int>(SendMessageW(window.ListHandle(), LVM_GETITEMCOUNT, 0, 0)); }

    FakeUi ui;
    MemoryFileSystem files;
    FakeMainDialogs dialogs;
    MainWindow window;
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainWindowFormTest, ControlsShowTheFormsCaptionsAndState) {
    EXPECT_EQ(TextOf(Child("btnPrint")), L"印刷開始(&P)");
    EXPECT_EQ(TextOf(Child("Label3")),
              L"（ファイルを追加するには、「ファイルを追加」ボタンを押すか又はファイルをドラッグ＆ドロップします）");
    EXPECT_EQ(TextOf(Child("edtPrtNum")), L"1");
    EXPECT_FALSE(IsWindowEnabled(Child("btnPrint"))) << "nothing checked";
    EXPECT_TRUE(IsWindowEnabled(Child("btnExit")));
    EXPECT_EQ(SendMessageW(Child("edtListPasswd"), EM_GETPASSWORDCHAR, 0, 0), L'*');

    form->FileList().AddFiles({"C:\\docs\\a.doc"}, true, c_filelist::kAppend);
    EXPECT_TRUE(IsWindowEnabled(Child("btnPrint")));
    form->memMemo.SetText("メモ");
    EXPECT_EQ(TextOf(Child("memMemo")), L"メモ");
}

TEST_F(MainWindowFormTest, TheUsersEditsReachTheFormAndItsRules) {
    SetWindowTextW(Child("edtPrtNum"), L"0");
    EXPECT_EQ(form->edtPrtNum.Text(), "1");
    EXPECT_EQ(TextOf(Child("edtPrtNum")), L"1");
    // The arrows write into the edit as well: up to 100, and 0 turns back into 1.
    const HWND arrows = FindWindowExW(window.Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows, UDM_GETBUDDY, 0, 0)), Child("edtPrtNum"));
    int low = -1, high = -1;
    SendMessageW(arrows, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    SendMessageW(arrows, UDM_SETPOS32, 0, 5);
    EXPECT_EQ(form->edtPrtNum.Text(), "5");
    SendMessageW(arrows, UDM_SETPOS32, 0, 0);
    EXPECT_EQ(form->edtPrtNum.Text(), "1");

    form->FileList().AddFiles({"C:\\docs\\a.doc"}, true, c_filelist::kAppend);
    form->FileList().Modified = false;
    // Typed text: a multi-line edit reports no change for WM_SETTEXT.
    SendMessageW(Child("memMemo"), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"週報"));
    EXPECT_EQ(form->memMemo.Text(), "週報");
    EXPECT_TRUE(form->FileList().Modified);

    EXPECT_FALSE(IsWindowEnabled(Child("edtListPasswd")));
    SendMessageW(Child("chkListPasswd"), BM_CLICK, 0, 0);
    EXPECT_TRUE(form->chkListPasswd.Checked());
    EXPECT_EQ(SendMessageW(Child("chkListPasswd"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(Child("edtListPasswd")));
}

TEST_F(MainWindowFormTest, PrinterBoxIsFilledAtShowAndTheChoiceIsStored) {
    form->Settings().DontShowAboutOnStartup = true;
    SendMessageW(window.Handle(), WM_APP + 1, 0, 0); // FormShow
    const HWND box = Child("cmbPrinters");
    EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), 1);
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(form->Settings().PrinterSelected, "Printer A");
}

TEST_F(MainWindowFormTest, ListViewFollowsTheModelAndSelectionComesBack) {
    form->FileList().AddFiles({"C:\\docs\\a.doc", "C:\\docs\\b.doc"}, true, c_filelist::kAppend);
    EXPECT_EQ(ListCount(), 2);
    EXPECT_TRUE(GetWindowLongPtrW(window.ListHandle(), GWL_STYLE) & LVS_OWNERDATA);
    const HWND header = reinterpret_cast<HWND>(SendMessageW(window.ListHandle(), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), kListColumnCount);
    for (int column = 0; column < kListColumnCount; ++column) {
        wchar_t title[64] = {};
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.pszText = title;
        info.cchTextMax = 64;
        SendMessageW(window.ListHandle(), LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(std::wstring(title), ToWide(LoadMessageText(kColumnTitleIds[static_cast<std::size_t>(column)])));
        EXPECT_EQ(info.cx, form->FileList().ColumnWidths()[static_cast<std::size_t>(column)] * Dpi() / 96);
    }

    wchar_t text[64] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(window.ListHandle(), LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"b.doc");

    LVITEMW selected{};
    selected.stateMask = LVIS_SELECTED;
    selected.state = LVIS_SELECTED;
    SendMessageW(window.ListHandle(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));
    EXPECT_TRUE(form->FileList().IsSelected(1));
    EXPECT_TRUE(IsWindowEnabled(Child("btnDelFile")));

    SendMessageW(Child("btnDelFile"), BM_CLICK, 0, 0);
    EXPECT_EQ(ListCount(), 1);
    EXPECT_EQ(form->FileList().RowCount(), 1);
}

TEST_F(MainWindowFormTest, CloseAsksAboutAModifiedListAndCancelKeepsTheWindow) {
    form->FileList().AddFiles({"C:\\docs\\a.doc"}, true, c_filelist::kAppend);
    ui.answers = {MessageResult::Cancel};
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window.Handle()));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "リストは変更されています。保存しますか？ ");
}

TEST_F(MainWindowFormTest, DestroyStoresTheColumnWidthsAndSavesTheSettings) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    SendMessageW(window.ListHandle(), LVM_SETCOLUMNWIDTH, 1, MulDiv(250, dpi, 96));
    DestroyWindow(window.Handle());
    EXPECT_EQ(form->Settings().ColWidth[1], 250);
    TMainForm again(Services(files, window, window, dialogs));
    EXPECT_EQ(again.Settings().ColWidth[1], 250);
}

TEST_F(MainWindowFormTest, TheFileMenuShowsTheRecentFilesAndOpensThem) {
    form->Settings().AddRecentFile("C:\\lists\\b.lst");
    form->Settings().AddRecentFile("C:\\lists\\表.lst");
    const HMENU file = GetSubMenu(GetMenu(window.Handle()), 0);
    const int before = GetMenuItemCount(file);
    for (int opened = 0; opened < 2; ++opened) { // a second opening replaces the items
        SendMessageW(window.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, FALSE));
        EXPECT_EQ(GetMenuItemCount(file), before + 3) << "two files and the closing separator";
    }
    wchar_t text[256] = {};
    GetMenuStringW(file, kRecentFileCommandBase, text, 256, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"&1 C:\\lists\\表.lst");
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(kRecentFileCommandBase + 1, 0), 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "ファイルが見つかりません。（File=C:\\lists\\b.lst）    ");
}

TEST_F(MainWindowFormTest, HintsComeFromTheControlsForToolTipsAndTheStatusBar) {
    ASSERT_NE(window.ToolTips(), nullptr);
    EXPECT_GE(SendMessageW(window.ToolTips(), TTM_GETTOOLCOUNT, 0, 0), 20);
    NMTTDISPINFOW request{};
    request.hdr.hwndFrom = window.ToolTips();
    request.hdr.idFrom = reinterpret_cast<UINT_PTR>(Child("btnExit"));
    request.hdr.code = TTN_GETDISPINFOW;
    request.uFlags = TTF_IDISHWND;
    SendMessageW(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    ASSERT_NE(request.lpszText, nullptr);
    EXPECT_STREQ(request.lpszText, L"プログラムを終了します。");
    wchar_t status[256] = {};
    for (const WPARAM part : {WPARAM{SB_SIMPLEID}, WPARAM{0}}) {
        SendMessageW(window.StatusBar(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(status));
        if (status[0])
            break;
    }
    EXPECT_STREQ(status, L"プログラムを終了します。");
}

TEST_F(MainWindowFormTest, DraggingSelectedRowsMovesThem) {
    files.files["C:\\docs\\c.doc"] = "x";
    form->FileList().AddFiles({"C:\\docs\\a.doc", "C:\\docs\\b.doc", "C:\\docs\\c.doc"}, true, c_filelist::kAppend);
    form->FileList().SetSelected(0, true);
    form->FileList().Modified = false;
    RECT last{};
    last.left = LVIR_BOUNDS;
    SendMessageW(window.ListHandle(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
    POINT below{last.left + 20, last.bottom + 10}; // under the last row: to the end
    MapWindowPoints(window.ListHandle(), window.Handle(), &below, 1);

    NMLISTVIEW begin{};
    begin.hdr.hwndFrom = window.ListHandle();
    begin.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window.ListHandle()));
    begin.hdr.code = LVN_BEGINDRAG;
    begin.iItem = 0;
    SendMessageW(window.Handle(), WM_NOTIFY, begin.hdr.idFrom, reinterpret_cast<LPARAM>(&begin));
    EXPECT_TRUE(form->FileList().DragInProgress);
    SendMessageW(window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(below.x, below.y));
    SendMessageW(window.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(below.x, below.y));

    EXPECT_FALSE(form->FileList().DragInProgress);
    EXPECT_EQ(form->FileList().EntryPath(2), "C:\\docs\\a.doc");
    EXPECT_TRUE(form->FileList().IsSelected(2));
    EXPECT_TRUE(form->FileList().Modified);
    EXPECT_EQ(SendMessageW(window.ListHandle(), LVM_GETITEMSTATE, 2, LVIS_SELECTED) & LVIS_SELECTED,
              static_cast<LRESULT>(LVIS_SELECTED));
}

TEST_F(MainWindowFormTest, EnterPressesThePrintButtonOnlyWhenItIsEnabled) {
    const auto pressEnter = [this] {
        SetFocus(window.ListHandle());
        for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
            MSG key{window.ListHandle(), message, VK_RETURN, 1, 0, {}};
            DispatchWindowMessage(key, window.Handle(), window.Accelerators());
        }
    };
    form->FileList().AddFiles({"C:\\docs\\a.doc"}, false, c_filelist::kAppend);
    pressEnter();
    EXPECT_TRUE(ui.boxes.empty()) << "nothing checked, nothing printed";

    form->FileList().SetChecked(0, true);
    pressEnter();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "印刷が終了しました。");
    EXPECT_EQ(automation.journal.front(), "create Word.Application -> #1");
}

// A dialog shown while long work pumps messages (as the folder windows are) keeps Enter for itself.
TEST_F(MainWindowFormTest, EnterInADialogOverTheWindowPressesTheDialogsDefaultButton) {
    const HWND dialog = CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, window.Handle(),
                                        nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    const HWND button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 10, 80, 24,
                                        dialog, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    static int okCommands = 0;
    okCommands = 0;
    SetWindowLongPtrW(dialog, DWLP_DLGPROC,
                      reinterpret_cast<LONG_PTR>(+[](HWND, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
                          if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
                              ++okCommands;
                          return FALSE;
                      }));
    form->FileList().AddFiles({"C:\\docs\\a.doc"}, false, c_filelist::kAppend);
    form->FileList().SetChecked(0, true);
    SetFocus(button);
    for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        MSG key{button, message, VK_RETURN, 1, 0, {}};
        DispatchWindowMessage(key, window.Handle(), window.Accelerators());
    }
    EXPECT_EQ(okCommands, 1);
    EXPECT_TRUE(ui.boxes.empty()) << "Enter reached the main window's print button";
    DestroyWindow(dialog);
}

TEST_F(MainWindowFormTest, TheBatchTimerRunsTheBatchStepOnce) {
    form->tmrBatch.SetEnabled(true);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 3000 && form->tmrBatch.Enabled()) {
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        } else {
            Sleep(10);
        }
    }
    EXPECT_FALSE(form->tmrBatch.Enabled());
    EXPECT_GE(GetTickCount() - start, 900u);
    EXPECT_TRUE(form->PrintLog().HasLines()) << "the run logged its start and end";
}

} // namespace
} // namespace tarvoline
