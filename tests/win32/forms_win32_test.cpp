// The form binder on a real modal dialog: a helper thread finds it and acts as the user through the real
// controls (WM_SETTEXT, BM_CLICK, selection notifications) while the core form's state and handlers are
// checked; the form's own handlers make program changes that must reach the controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/form.h"
#include "forms/form_binder.h"
#include "forms_win32_test_ids.h"

namespace tarvoline {
namespace {

std::wstring TextOf(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

class TestForm : public Form {
public:
    TestForm() : Form("結合テスト") {
        edtName.OnChange = [this] { changes.push_back(edtName.Text()); };
        chkFlag.OnClick = [this] { clicks.push_back("chkFlag"); };
        rdoB.OnClick = [this] { clicks.push_back("rdoB"); };
        cmbKind.OnChange = [this] { clicks.push_back("cmbKind " + std::to_string(cmbKind.ItemIndex())); };
        lstItems.OnChange = [this] { clicks.push_back("lstItems " + std::to_string(lstItems.ItemIndex())); };
        clxSheets.OnClickCheck = [this] {
            clicks.push_back(std::string("clxSheets ") + (clxSheets.ItemChecked(0) ? "1" : "0") +
                             (clxSheets.ItemChecked(1) ? "1" : "0"));
        };
        btnGo.OnClick = [this] {
            // Program changes from inside a handler, as forms make them.
            lblInfo.SetText("実行しました");
            edtName.SetText("表示");
            edtName.SetEnabled(false);
            chkFlag.SetChecked(false);
            cmbKind.SetItems({"甲", "乙"});
            cmbKind.SetItemIndex(1);
            btnGo.SetVisible(false);
            clxSheets.SetItemChecked(1, false);
        };
        btnOk.OnClick = [this] { Close(mrOk); };
        btnCancel.OnClick = [this] { Close(mrCancel); };
    }
    std::vector<Control*> Controls() override {
        return {&edtName,   &chkFlag, &rdoA,  &rdoB,  &cmbKind,  &lstItems,
                &clxSheets, &lblInfo, &btnGo, &btnOk, &btnCancel};
    }
    void FormShow() override {
        ++shown;
        edtName.SetText("初期値");
        chkFlag.SetChecked(true);
        rdoA.SetChecked(true);
        cmbKind.SetItems({"Ｗｏｒｄ", "Ｅｘｃｅｌ", "ＰＤＦ"});
        cmbKind.SetItemIndex(2);
        lstItems.SetItems({"一", "二", "三"});
        lstItems.SetItemIndex(0);
        lblInfo.SetText("ラベル");
        clxSheets.SetItems({"Sheet1", "集計"});
        clxSheets.SetItemChecked(1, true);
    }
    void FormClose() override { ++closed; }

    EditControl edtName{"edtName", "", "名前のヒント"};
    CheckControl chkFlag{"chkFlag", "旗を立てる", "旗のヒント"};
    CheckControl rdoA{"rdoA", "甲"};
    CheckControl rdoB{"rdoB", "乙"};
    ListControl cmbKind{"cmbKind"};
    ListControl lstItems{"lstItems"};
    ListControl clxSheets{"clxSheets"};
    Control lblInfo{"lblInfo"};
    Control btnGo{"btnGo", "実行(&G)"};
    Control btnOk{"btnOk", "OK"};
    Control btnCancel{"btnCancel", "キャンセル"};

    std::vector<std::string> changes;
    std::vector<std::string> clicks;
    int shown = 0;
    int closed = 0;
};

std::vector<ControlId> TestIds() {
    return {
        {"edtName", IDC_T_EDIT},  {"chkFlag", IDC_T_CHECK}, {"rdoA", IDC_T_RADIO_A},        {"rdoB", IDC_T_RADIO_B},
        {"cmbKind", IDC_T_COMBO}, {"lstItems", IDC_T_LIST}, {"clxSheets", IDC_T_CHECKLIST}, {"lblInfo", IDC_T_LABEL},
        {"btnGo", IDC_T_GO},      {"btnOk", IDOK},          {"btnCancel", IDC_T_CANCEL}};
}

HWND WaitForWindow(const wchar_t* caption) {
    for (int i = 0; i < 500; ++i) {
        if (const HWND window = FindWindowW(L"#32770", caption); window && IsWindowVisible(window))
            return window;
        Sleep(10);
    }
    return nullptr;
}

// Shows the form on this thread while script plays the user from another; the dialog is always closed.
int RunForm(TestForm& form, const FormLook& look, HWND owner, const std::function<void(HWND)>& script) {
    FormBinder binder(form, TestIds(), look);
    std::thread driver([&] {
        const HWND dialog = WaitForWindow(L"結合テスト");
        script(dialog);
        if (dialog && IsWindow(dialog))
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_T_CANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_T_CANCEL)));
    });
    const int result = binder.ShowModal(owner, IDD_BINDER_TEST);
    driver.join();
    return result;
}

TEST(FormBinder, TheWindowShowsTheFormsStateAfterFormShow) {
    TestForm form;
    RunForm(form, {}, nullptr, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(TextOf(dialog), L"結合テスト");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_T_EDIT)), L"初期値");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_T_CHECK)), L"旗を立てる");
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_T_CHECK, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_T_RADIO_A, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_T_COMBO, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_T_COMBO, CB_GETCURSEL, 0, 0), 2);
        wchar_t item[32] = {};
        SendDlgItemMessageW(dialog, IDC_T_COMBO, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, L"Ｗｏｒｄ");
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_T_LIST, LB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_T_LABEL)), L"ラベル");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_T_GO)), L"実行(&G)");
        const HWND sheets = GetDlgItem(dialog, IDC_T_CHECKLIST);
        EXPECT_EQ(SendMessageW(sheets, LVM_GETITEMCOUNT, 0, 0), 2);
        EXPECT_EQ(ListView_GetCheckState(sheets, 0), 0u);
        EXPECT_NE(ListView_GetCheckState(sheets, 1), 0u);
        wchar_t name[32] = {};
        LVITEMW row{};
        row.iSubItem = 0;
        row.pszText = name;
        row.cchTextMax = 32;
        SendMessageW(sheets, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&row));
        EXPECT_STREQ(name, L"集計");
    });
    EXPECT_EQ(form.shown, 1);
    EXPECT_TRUE(form.changes.empty()) << "setting the initial text is no user change";
}

TEST(FormBinder, UserEditsReachTheFormBeforeItsHandler) {
    TestForm form;
    std::vector<std::string> changesSeen;
    RunForm(form, {}, nullptr, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        SendDlgItemMessageW(dialog, IDC_T_EDIT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"利用者の入力"));
        SendDlgItemMessageW(dialog, IDC_T_CHECK, BM_CLICK, 0, 0);
        SendDlgItemMessageW(dialog, IDC_T_RADIO_B, BM_CLICK, 0, 0);
        // Selecting by message gives no notification; the control would send this one.
        SendDlgItemMessageW(dialog, IDC_T_COMBO, CB_SETCURSEL, 1, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_T_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_T_COMBO)));
        SendDlgItemMessageW(dialog, IDC_T_LIST, LB_SETCURSEL, 2, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_T_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_T_LIST)));
        // A check mark set on the list view notifies its parent as a click on the box does.
        ListView_SetCheckState(GetDlgItem(dialog, IDC_T_CHECKLIST), 0, TRUE);
    });
    EXPECT_EQ(form.edtName.Text(), "利用者の入力");
    ASSERT_FALSE(form.changes.empty());
    EXPECT_EQ(form.changes.back(), "利用者の入力") << "the handler saw the stored text";
    EXPECT_FALSE(form.chkFlag.Checked());
    EXPECT_TRUE(form.rdoB.Checked());
    EXPECT_FALSE(form.rdoA.Checked()) << "the neighbour the system unchecked is stored too";
    EXPECT_EQ(form.cmbKind.ItemIndex(), 1);
    EXPECT_EQ(form.lstItems.ItemIndex(), 2);
    EXPECT_TRUE(form.clxSheets.ItemChecked(0));
    EXPECT_EQ(form.clicks, (std::vector<std::string>{"chkFlag", "rdoB", "cmbKind 1", "lstItems 2", "clxSheets 11"}));
}

TEST(FormBinder, ProgramChangesInAHandlerReachTheControls) {
    TestForm form;
    RunForm(form, {}, nullptr, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        SendDlgItemMessageW(dialog, IDC_T_GO, BM_CLICK, 0, 0);
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_T_LABEL)), L"実行しました");
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_T_EDIT)), L"表示");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_T_EDIT)));
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_T_CHECK, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_T_COMBO, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_T_COMBO, CB_GETCURSEL, 0, 0), 1);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_T_GO)));
        EXPECT_EQ(ListView_GetCheckState(GetDlgItem(dialog, IDC_T_CHECKLIST), 1), 0u);
    });
    EXPECT_FALSE(form.clxSheets.ItemChecked(1));
    EXPECT_TRUE(form.changes.empty()) << "the program's own text change did not come back as the user's";
    EXPECT_TRUE(form.clicks.empty()) << "nor the program's own check marks";
}

TEST(FormBinder, ModalResultsAndTheCloseBox) {
    struct Case {
        const char* what;
        std::function<void(HWND)> act;
        int result;
    };
    const std::vector<Case> cases = {
        {"OK button", [](HWND d) { SendDlgItemMessageW(d, IDOK, BM_CLICK, 0, 0); }, mrOk},
        {"Enter", [](HWND d) { PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }, mrOk},
        {"close box", [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); }, mrCancel},
        {"Esc is not bound, then Cancel",
         [](HWND d) {
             SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
             EXPECT_TRUE(IsWindow(d)) << "still open after Esc";
             SendDlgItemMessageW(d, IDC_T_CANCEL, BM_CLICK, 0, 0);
         },
         mrCancel},
    };
    for (const Case& c : cases) {
        TestForm form;
        const int result = RunForm(form, {}, nullptr, [&](HWND dialog) {
            ASSERT_NE(dialog, nullptr);
            c.act(dialog);
            for (int i = 0; i < 200 && IsWindow(dialog); ++i)
                Sleep(10);
            EXPECT_FALSE(IsWindow(dialog)) << c.what;
        });
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(form.closed, 1) << c.what;
    }
}

TEST(FormBinder, FixedClientSizeCentredOnTheWorkArea) {
    TestForm form;
    FormLook look;
    look.clientWidth = 333;
    look.clientHeight = 222;
    RunForm(form, look, nullptr, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 333);
        EXPECT_EQ(client.bottom, 222);
        RECT frame{}, work{};
        GetWindowRect(dialog, &frame);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 1);
        EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 1);
    });
}

TEST(FormBinder, HintsAreToolTipsAndGoToTheOwnersStatusBar) {
    InitCommonControls();
    // The real pointer stays off the dialog, so only this test's pointer messages show hints.
    SetCursorPos(0, 0);
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 600, 500, 300, 200, nullptr,
                                       nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    const HWND statusBar =
        CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, owner, nullptr, nullptr, nullptr);
    ASSERT_NE(statusBar, nullptr);
    SendMessageW(statusBar, SB_SIMPLE, TRUE, 0);
    TestForm form;
    RunForm(form, {}, owner, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        const HWND check = GetDlgItem(dialog, IDC_T_CHECK);
        SendMessageW(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(check), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(FindWindowExW(owner, nullptr, STATUSCLASSNAMEW, nullptr), statusBar);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
        // The simple text: Wine reports it as the first panel's text, Windows for SB_SIMPLEID.
        std::wstring text;
        for (const WPARAM part : {WPARAM{SB_SIMPLEID}, WPARAM{0}}) {
            wchar_t buffer[128] = {};
            SendMessageW(statusBar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buffer));
            if (buffer[0] != 0 && text.empty())
                text = buffer;
        }
        EXPECT_EQ(text, L"旗のヒント");

        std::pair<HWND, HWND> search(dialog, nullptr);
        EnumThreadWindows(
            GetWindowThreadProcessId(dialog, nullptr),
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<std::pair<HWND, HWND>*>(param);
                wchar_t className[64] = {};
                GetClassNameW(window, className, 64);
                if (_wcsicmp(className, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == s->first) {
                    s->second = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        ASSERT_NE(search.second, nullptr) << "no tool tip window";
        wchar_t tip[128] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, IDC_T_EDIT));
        tool.lpszText = tip;
        SendMessageW(search.second, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(tip, L"名前のヒント");
    });
    DestroyWindow(owner);
}

// A form whose timer ticks three times, then stops itself and closes the window.
class TimedForm : public TestForm {
public:
    TimedForm() {
        tmrTick.OnTimer = [this] {
            events.push_back("tick");
            if (++ticks == 3) {
                tmrTick.SetEnabled(false);
                Close(mrOk);
            }
        };
    }
    std::vector<Control*> Controls() override {
        std::vector<Control*> controls = TestForm::Controls();
        controls.push_back(&tmrTick);
        controls.push_back(&tmrIdle);
        return controls;
    }
    void FormShow() override {
        TestForm::FormShow();
        events.push_back("show");
    }
    void FormActivate() override { events.push_back("activate"); }

    TimerControl tmrTick{"tmrTick", 50, true};
    TimerControl tmrIdle{"tmrIdle", 10, false};
    int ticks = 0;
    std::vector<std::string> events;
};

TEST(FormBinder, TimersRunWhileEnabledAndActivationFollowsFormShow) {
    TimedForm form;
    bool idleTicked = false;
    form.tmrIdle.OnTimer = [&] { idleTicked = true; };
    const int result = RunForm(form, {}, nullptr, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        for (int i = 0; i < 300 && IsWindow(dialog); ++i)
            Sleep(10);
        EXPECT_FALSE(IsWindow(dialog)) << "the timer never closed the window";
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(form.ticks, 3) << "a timer switched off in its handler must not tick again";
    EXPECT_FALSE(idleTicked) << "a disabled timer ticked";
    ASSERT_GE(form.events.size(), 2u);
    EXPECT_EQ(form.events[0], "show");
    EXPECT_EQ(form.events[1], "activate");
}

} // namespace
} // namespace tarvoline
