// The entry detail and sheet dialogs as real modal windows over a real print list: a helper thread plays
// the user through the real controls and reads what is on the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/wide_text.h"
#include "common/messages.h"
#include "fakes/fake_classifier.h"
#include "fakes/fake_list_host.h"
#include "fakes/fake_shell.h"
#include "forms/entry_dialogs.h"
#include "forms/entry_form_ids.h"
#include "list/filelist.h"
#include "main_window.h"
#include "win32_ui.h"

namespace tarvoline {
namespace {

using Lines = std::vector<std::string>;

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A visible dialog of this process with that caption (other tests may show theirs on the same desktop).
HWND FindOwnDialog(const wchar_t* caption) {
    for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", caption); window;
         window = FindWindowExW(nullptr, window, L"#32770", caption)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

HWND WaitForWindow(const wchar_t* caption, int tenths = 100) {
    for (int i = 0; i < tenths * 10; ++i) {
        if (const HWND window = FindOwnDialog(caption))
            return window;
        Sleep(10);
    }
    return nullptr;
}

bool WaitGone(HWND window, int tenths = 30) {
    for (int i = 0; i < tenths * 10 && IsWindow(window); ++i)
        Sleep(10);
    return !IsWindow(window);
}

// Waits for the program's message box, returns its text and closes it with OK.
std::wstring AnswerMessageBox() {
    const HWND box = WaitForWindow(L"Tarvoline");
    if (!box)
        return L"(no box)";
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) == 0xFFFF)
            text = TextOf(child);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitGone(box);
    return text;
}

// A click as the user's: posted, so a box or dialog it opens does not block the player.
void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
void ClickNow(HWND dialog, int id) {
    SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}
void Type(HWND dialog, int id, const wchar_t* text) {
    SetDlgItemTextW(dialog, id, text);
}
bool Checked(HWND dialog, int id) {
    return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
bool Shown(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}
bool Usable(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

class FakeSheetSource : public SheetNameSource {
public:
    void ListSheetNames(const std::string& path, std::vector<std::string>& names) override {
        paths.push_back(path);
        // What the user sees while Excel reads the workbook.
        const HWND dialog = FindOwnDialog(L"Ｅｘｃｅｌシート選択");
        shownWhileReading = dialog && IsWindowVisible(dialog);
        if (dialog)
            messageWhileReading = TextOf(GetDlgItem(dialog, IDC_SHEETS_MSG));
        names = sheets;
    }
    Lines sheets;
    Lines paths;
    bool shownWhileReading = false;
    std::wstring messageWhileReading;
};

class EntryDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        SetMessageUi(&ui);
        list.SetHost(&host);
    }
    void TearDown() override { SetMessageUi(nullptr); }

    int AddEntry(const std::string& path, const EntrySettings& settings = {}) {
        list.AddFiles({path}, true, c_filelist::kAppend, settings.SeparateJobs, settings.Sheets, settings.ExcelRange,
                      settings.Password, settings.PageRange);
        return list.RowCount() - 1;
    }

    // Shows the detail dialog for row on this thread while script plays it; Cancel closes it if the script
    // left it open. Returns the modal result.
    int Play(int row, const std::function<void(HWND)>& script, HWND owner = nullptr) {
        std::thread player([&] {
            const HWND dialog = WaitForWindow(L"詳細設定");
            script(dialog);
            if (dialog && IsWindow(dialog)) {
                Click(dialog, IDCANCEL);
                WaitGone(dialog);
            }
        });
        const int result = ShowEntryDetailDialog(owner, list, row, sheets);
        player.join();
        return result;
    }

    MainWindow mainWindow; // never created: boxes go without an owner
    Win32Ui ui{mainWindow};
    testing::FakeClassifier classifier;
    testing::FakeShell shell;
    bool showPasswords = false;
    c_filelist list{classifier, shell, showPasswords};
    testing::FakeListHost host;
    FakeSheetSource sheets;
};

struct KindCase {
    const char* path;
    EntrySettings stored;
    std::vector<int> shown;
    std::vector<int> hidden;
    std::vector<int> usable;
    std::vector<int> unusable;
    std::function<void(HWND)> userInput;
    EntrySettings expected;
};

TEST_F(EntryDialogsTest, EachKindShowsItsControlsAndOkWritesTheEntry) {
    const KindCase cases[] = {
        {"C:\\文書\\議事録.docx",
         {},
         {IDC_DETAIL_EDT_PAGES, IDC_DETAIL_LBL_PAGES, IDC_DETAIL_RDO_ALL, IDC_DETAIL_RDO_RANGE, IDC_DETAIL_GRB_PASSWD},
         {IDC_DETAIL_EDT_SPAGE, IDC_DETAIL_EDT_EPAGE, IDC_DETAIL_LBL_SPAGE, IDC_DETAIL_LBL_PDF, IDC_DETAIL_GRB_EXCEL,
          IDC_DETAIL_RDO_BOOK, IDC_DETAIL_MEM_SHEETS, IDC_DETAIL_BTN_SHEETS, IDC_DETAIL_CHK_SEPJOB},
         {IDC_DETAIL_RDO_RANGE, IDC_DETAIL_CHK_PASSWD, IDC_DETAIL_EDT_PASSWD},
         {},
         [](HWND dialog) {
             EXPECT_TRUE(Checked(dialog, IDC_DETAIL_RDO_ALL));
             Type(dialog, IDC_DETAIL_EDT_PAGES, L"2-3");
             EXPECT_TRUE(Checked(dialog, IDC_DETAIL_RDO_RANGE)) << "typing a page picks the range";
             EXPECT_FALSE(Checked(dialog, IDC_DETAIL_RDO_ALL));
             Type(dialog, IDC_DETAIL_EDT_PASSWD, L"秘密");
             EXPECT_TRUE(Checked(dialog, IDC_DETAIL_CHK_PASSWD));
         },
         {"2-3", false, ExcelRangeMode::None, "秘密", {}}},
        {"C:\\文書\\売上.xlsx",
         {},
         {IDC_DETAIL_EDT_SPAGE, IDC_DETAIL_EDT_EPAGE, IDC_DETAIL_LBL_SPAGE, IDC_DETAIL_LBL_EPAGE, IDC_DETAIL_GRB_EXCEL,
          IDC_DETAIL_RDO_BOOK, IDC_DETAIL_RDO_SHEETS, IDC_DETAIL_MEM_SHEETS, IDC_DETAIL_CMB_COND, IDC_DETAIL_CHK_SEPJOB},
         {IDC_DETAIL_EDT_PAGES, IDC_DETAIL_LBL_PAGES, IDC_DETAIL_LBL_PDF},
         {IDC_DETAIL_CHK_PASSWD, IDC_DETAIL_RDO_RANGE},
         {IDC_DETAIL_BTN_SHEETS, IDC_DETAIL_EDT_COND, IDC_DETAIL_CMB_COND},
         [](HWND dialog) {
             for (int id : {IDC_DETAIL_RDO_BOOK, IDC_DETAIL_RDO_ACTIVE, IDC_DETAIL_RDO_COND, IDC_DETAIL_RDO_SHEETS})
                 EXPECT_FALSE(Checked(dialog, id)) << id;
             Type(dialog, IDC_DETAIL_EDT_SPAGE, L"3");
             ClickNow(dialog, IDC_DETAIL_RDO_COND);
             EXPECT_TRUE(Usable(dialog, IDC_DETAIL_EDT_COND));
             EXPECT_FALSE(Usable(dialog, IDC_DETAIL_BTN_SHEETS));
             Type(dialog, IDC_DETAIL_EDT_COND, L"集計");
             const HWND combo = GetDlgItem(dialog, IDC_DETAIL_CMB_COND);
             SendMessageW(combo, CB_SETCURSEL, 1, 0);
             SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_DETAIL_CMB_COND, CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(combo));
             ClickNow(dialog, IDC_DETAIL_CHK_SEPJOB);
         },
         {"3-", true, ExcelRangeMode::NameNotContains, "", {"集計"}}},
        {"C:\\文書\\手順.pdf",
         {"1-2", false, ExcelRangeMode::None, "", {}},
         {IDC_DETAIL_RDO_ALL, IDC_DETAIL_RDO_RANGE, IDC_DETAIL_LBL_PDF, IDC_DETAIL_CHK_PASSWD},
         {IDC_DETAIL_EDT_PAGES, IDC_DETAIL_LBL_PAGES, IDC_DETAIL_EDT_SPAGE, IDC_DETAIL_EDT_EPAGE, IDC_DETAIL_GRB_EXCEL,
          IDC_DETAIL_RDO_BOOK, IDC_DETAIL_MEM_SHEETS},
         {IDC_DETAIL_CHK_PASSWD, IDC_DETAIL_RDO_ALL},
         {IDC_DETAIL_RDO_RANGE},
         [](HWND dialog) { EXPECT_TRUE(Checked(dialog, IDC_DETAIL_RDO_RANGE)) << "the stored range"; },
         {"1-2", false, ExcelRangeMode::None, "", {}}},
        {"C:\\文書\\配置.vsdx",
         {"2-4", false, ExcelRangeMode::None, "old", {}},
         {IDC_DETAIL_EDT_SPAGE, IDC_DETAIL_EDT_EPAGE, IDC_DETAIL_GRB_PASSWD},
         {IDC_DETAIL_EDT_PAGES, IDC_DETAIL_LBL_PDF, IDC_DETAIL_GRB_EXCEL, IDC_DETAIL_RDO_BOOK, IDC_DETAIL_MEM_SHEETS},
         {IDC_DETAIL_RDO_RANGE},
         {IDC_DETAIL_GRB_PASSWD, IDC_DETAIL_CHK_PASSWD, IDC_DETAIL_EDT_PASSWD},
         [](HWND dialog) {
             EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_DETAIL_EDT_SPAGE)), L"2");
             EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_DETAIL_EDT_EPAGE)), L"4");
             EXPECT_FALSE(Checked(dialog, IDC_DETAIL_CHK_PASSWD));
         },
         {"2-4", false, ExcelRangeMode::None, "", {}}},
    };
    for (const KindCase& c : cases) {
        const int row = AddEntry(c.path, c.stored);
        const int result = Play(row, [&](HWND dialog) {
            ASSERT_NE(dialog, nullptr) << c.path;
            RECT client{};
            GetClientRect(dialog, &client);
            EXPECT_EQ(client.right, 495);
            EXPECT_EQ(client.bottom, 444);
            EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) & WS_THICKFRAME) << "fixed size";
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_DETAIL_FILE)), ToWide(c.path));
            for (int id : c.shown)
                EXPECT_TRUE(Shown(dialog, id)) << c.path << " shows " << id;
            for (int id : c.hidden)
                EXPECT_FALSE(Shown(dialog, id)) << c.path << " hides " << id;
            for (int id : c.usable)
                EXPECT_TRUE(Usable(dialog, id)) << c.path << " enables " << id;
            for (int id : c.unusable)
                EXPECT_FALSE(Usable(dialog, id)) << c.path << " disables " << id;
            c.userInput(dialog);
            Click(dialog, IDOK);
            EXPECT_TRUE(WaitGone(dialog)) << c.path;
        });
        EXPECT_EQ(result, 1) << c.path;
        const EntrySettings stored = list.GetEntrySettings(row);
        EXPECT_EQ(stored.PageRange, c.expected.PageRange) << c.path;
        EXPECT_EQ(stored.SeparateJobs, c.expected.SeparateJobs) << c.path;
        EXPECT_EQ(stored.ExcelRange, c.expected.ExcelRange) << c.path;
        EXPECT_EQ(stored.Password, c.expected.Password) << c.path;
        EXPECT_EQ(stored.Sheets, c.expected.Sheets) << c.path;
    }
}

TEST_F(EntryDialogsTest, MissingSheetsKeepTheDialogOpenWithItsInput) {
    const int row = AddEntry("C:\\文書\\売上.xlsx");
    std::wstring message;
    const int result = Play(row, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        Type(dialog, IDC_DETAIL_EDT_SPAGE, L"5");
        ClickNow(dialog, IDC_DETAIL_RDO_SHEETS);
        EXPECT_TRUE(Usable(dialog, IDC_DETAIL_BTN_SHEETS));
        Click(dialog, IDOK);
        message = AnswerMessageBox();
        Sleep(100);
        EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "the dialog stays";
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_DETAIL_EDT_SPAGE)), L"5");
        EXPECT_TRUE(Checked(dialog, IDC_DETAIL_RDO_SHEETS));
    });
    EXPECT_EQ(message, L"Excelのシートを選択してください。 ");
    EXPECT_EQ(result, 2);
    EXPECT_EQ(list.GetEntrySettings(row).PageRange, "");
    EXPECT_EQ(list.GetEntrySettings(row).ExcelRange, ExcelRangeMode::None);
}

// Whether a comes before b in the z-order of the top-level windows.
bool Above(HWND a, HWND b) {
    for (HWND window = GetWindow(a, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT))
        if (window == b)
            return true;
    return false;
}

TEST_F(EntryDialogsTest, AMessageOverTheDialogLeavesItInFrontOfTheMainWindow) {
    mainWindow.Create(GetModuleHandleW(nullptr), SW_SHOW);
    const int row = AddEntry("C:\\文書\\売上.xlsx");
    Play(
        row,
        [&](HWND dialog) {
            ASSERT_NE(dialog, nullptr);
            ClickNow(dialog, IDC_DETAIL_RDO_SHEETS);
            Click(dialog, IDOK);
            const HWND box = WaitForWindow(L"Tarvoline");
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(GetWindow(box, GW_OWNER), dialog) << "the box belongs to the dialog";
            EXPECT_TRUE(Above(dialog, mainWindow.Handle())) << "the dialog stays in front of the main window";
            EXPECT_FALSE(IsWindowEnabled(mainWindow.Handle()));
            AnswerMessageBox();
        },
        mainWindow.Handle());
    EXPECT_TRUE(IsWindowEnabled(mainWindow.Handle())) << "usable again after the dialog";
    DestroyWindow(mainWindow.Handle());
    // The main window's end posts the quit message, which would end the next test's dialogs at once.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

std::wstring ItemText(HWND listView, int index) {
    wchar_t buffer[256] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

bool ItemChecked(HWND listView, int index) {
    const auto state = SendMessageW(listView, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK);
    return static_cast<UINT>(state) == INDEXTOSTATEIMAGEMASK(2);
}

void CheckItem(HWND listView, int index) {
    LVITEMW state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
}

TEST_F(EntryDialogsTest, SheetDialogListsTheNamesAndOkFillsTheMemo) {
    const int row = AddEntry("C:\\文書\\売上.xlsx", {"", false, ExcelRangeMode::SelectedSheets, "", {"sheet2"}});
    sheets.sheets = {"Sheet1", "Sheet2", "月次"};
    const int result = Play(row, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_DETAIL_MEM_SHEETS)), L"sheet2");
        Click(dialog, IDC_DETAIL_BTN_SHEETS);
        const HWND sheetDialog = WaitForWindow(L"Ｅｘｃｅｌシート選択");
        ASSERT_NE(sheetDialog, nullptr);
        const HWND names = GetDlgItem(sheetDialog, IDC_SHEETS_LIST);
        for (int i = 0; i < 300 && SendMessageW(names, LVM_GETITEMCOUNT, 0, 0) < 3; ++i)
            Sleep(10);
        ASSERT_EQ(SendMessageW(names, LVM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_EQ(ItemText(names, 0), L"Sheet1");
        EXPECT_EQ(ItemText(names, 2), L"月次");
        EXPECT_FALSE(ItemChecked(names, 0));
        EXPECT_TRUE(ItemChecked(names, 1)) << "the memo's sheet2, ignoring case";
        EXPECT_EQ(TextOf(GetDlgItem(sheetDialog, IDC_SHEETS_MSG)), L"印刷するシート名をチェックしてください。");
        EXPECT_EQ(TextOf(GetDlgItem(sheetDialog, IDC_SHEETS_FILE)), L"C:\\文書\\売上.xlsx");
        CheckItem(names, 2);
        Click(sheetDialog, IDOK);
        ASSERT_TRUE(WaitGone(sheetDialog));
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_DETAIL_MEM_SHEETS)), L"Sheet2\r\n月次");
        EXPECT_TRUE(IsWindowEnabled(dialog)) << "the detail dialog is usable again";
        Click(dialog, IDOK);
        EXPECT_TRUE(WaitGone(dialog));
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(sheets.paths, (Lines{"C:\\文書\\売上.xlsx"}));
    EXPECT_TRUE(sheets.shownWhileReading) << "the dialog is on the screen before Excel starts";
    EXPECT_EQ(sheets.messageWhileReading, L"Ｅｘｃｅｌシート情報を取得中です．．．");
    EXPECT_EQ(list.GetEntrySettings(row).Sheets, (Lines{"Sheet2", "月次"}));
    EXPECT_EQ(list.GetEntrySettings(row).ExcelRange, ExcelRangeMode::SelectedSheets);
}

TEST_F(EntryDialogsTest, SheetDialogWithoutSheetsTellsSoAndClosesItself) {
    const int row = AddEntry("C:\\文書\\壊れた.xlsx", {"", false, ExcelRangeMode::SelectedSheets, "", {"A"}});
    std::wstring message;
    Play(row, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        Click(dialog, IDC_DETAIL_BTN_SHEETS);
        const HWND sheetDialog = WaitForWindow(L"Ｅｘｃｅｌシート選択");
        ASSERT_NE(sheetDialog, nullptr);
        message = AnswerMessageBox();
        EXPECT_TRUE(WaitGone(sheetDialog, 20)) << "closed by its timer";
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_DETAIL_MEM_SHEETS)), L"A");
    });
    EXPECT_EQ(message, L"シート情報が取得できませんでした。            ");
}

} // namespace
} // namespace tarvoline
