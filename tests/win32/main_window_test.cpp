#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/messages.h"
#include "main_window.h"
#include "message_loop.h"
#include "win32_ui.h"

namespace tarvoline {
namespace {

int Scaled(int designPixels) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(designPixels, dpi, 96);
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        form.Create(GetModuleHandleW(nullptr), SW_SHOW);
        ASSERT_NE(form.Handle(), nullptr);
        SetMessageUi(&ui);
    }
    void TearDown() override {
        SetMessageUi(nullptr);
        if (form.Handle())
            DestroyWindow(form.Handle());
        // The window's WM_DESTROY ends "the program": keep that quit message away from the next test.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // The simple text: Wine reports it as the first panel's text, Windows for SB_SIMPLEID.
    std::wstring StatusText() {
        for (const WPARAM part : {WPARAM{SB_SIMPLEID}, WPARAM{0}}) {
            wchar_t buffer[512] = {};
            SendMessageW(form.StatusBar(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buffer));
            if (buffer[0] != 0)
                return buffer;
        }
        return {};
    }

    MainWindow form;
    Win32Ui ui{form};
};

TEST_F(MainWindowTest, WindowHasTheDesignSizeCaptionMenuAndFont) {
    EXPECT_EQ(WindowText(form.Handle()), L"Tarvoline");
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, Scaled(740));
    EXPECT_EQ(client.bottom, Scaled(697));

    MINMAXINFO limits{};
    SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, Scaled(700));
    EXPECT_EQ(limits.ptMinTrackSize.y, Scaled(600));

    const HMENU menu = GetMenu(form.Handle());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 3);

    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(form.Font(), sizeof(font), &font));
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(font.lfHeight, -Scaled(13));
}

TEST_F(MainWindowTest, StatusBarIsOneSimplePanelWithoutSizeGrip) {
    ASSERT_NE(form.StatusBar(), nullptr);
    EXPECT_TRUE(SendMessageW(form.StatusBar(), SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(GetWindowLongPtrW(form.StatusBar(), GWL_STYLE) & SBARS_SIZEGRIP, 0);
    RECT client, bar;
    GetClientRect(form.Handle(), &client);
    GetWindowRect(form.StatusBar(), &bar);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.right - bar.left, client.right);
}

TEST_F(MainWindowTest, StatusTextGoesThroughTheMessageOperationsAsUtf16) {
    SetStatusText("ファイル印刷中： C:\\表\\a.doc");
    EXPECT_EQ(StatusText(), L"ファイル印刷中： C:\\表\\a.doc");
    SetStatusMessage(0);
    EXPECT_EQ(StatusText(), L"");
}

TEST_F(MainWindowTest, HighlightedMenuItemsShowTheirHints) {
    const HMENU menu = GetMenu(form.Handle());
    const struct {
        WORD item;
        WORD flags;
        LPARAM menu;
        const wchar_t* status;
    } cases[] = {
        {static_cast<WORD>(MenuCommand::ListNew), MF_HILITE, reinterpret_cast<LPARAM>(menu),
         L"印刷ファイルリストをクリアし、新規作成します。"},
        {static_cast<WORD>(MenuCommand::TextSave), MF_HILITE, reinterpret_cast<LPARAM>(menu),
         L"印刷対象ファイル名(フルパス）をテキストファイルへ保存します。"},
        {static_cast<WORD>(MenuCommand::Print), MF_HILITE, reinterpret_cast<LPARAM>(menu), L""},
        {0, MF_POPUP | MF_HILITE, reinterpret_cast<LPARAM>(menu), L""},
        {static_cast<WORD>(MenuCommand::Exit), MF_HILITE, reinterpret_cast<LPARAM>(menu), L"終了します"},
        {0, 0xFFFF, 0, L""}, // the menu closed
    };
    for (const auto& c : cases) {
        SetStatusText("before");
        SendMessageW(form.Handle(), WM_MENUSELECT, MAKEWPARAM(c.item, c.flags), c.menu);
        EXPECT_EQ(StatusText(), c.status) << c.item;
    }
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndQuitStaysPostedForTheMainLoop) {
    const HWND hwnd = form.Handle();
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(MenuCommand::Exit), 0), 0);
    EXPECT_TRUE(IsWindow(hwnd)); // the close is posted, not done inside the command
    ui.ProcessPendingMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(form.Handle(), nullptr);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

TEST_F(MainWindowTest, OtherCommandsLeaveTheWindowOpen) {
    for (const auto command : {MenuCommand::ListNew, MenuCommand::Print, MenuCommand::SelAll, MenuCommand::About}) {
        SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
    }
    ui.ProcessPendingMessages();
    EXPECT_TRUE(IsWindow(form.Handle()));
}

// What the box looked like, read from inside its modal loop by a timer.
struct SeenBox {
    bool found = false;
    std::wstring caption;
    std::vector<std::wstring> texts;
    std::vector<int> buttons;
    bool visibleIcon = false;
    HWND owner = nullptr;
};
SeenBox g_seen;
int g_answer = 0; // a button id, or 0 to close the box with WM_CLOSE

BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
    wchar_t className[64] = {};
    GetClassNameW(hwnd, className, 64);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM) {
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if (_wcsicmp(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0) {
        g_seen.visibleIcon = true;
    }
    if (_wcsicmp(className, L"Button") == 0 && IsWindowVisible(child)) {
        g_seen.buttons.push_back(GetDlgCtrlID(child));
    }
    const std::wstring text = WindowText(child);
    if (!text.empty())
        g_seen.texts.push_back(text);
    return TRUE;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box)
        return;
    KillTimer(nullptr, timer);
    g_seen.found = true;
    g_seen.caption = WindowText(box);
    g_seen.owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(box, ReadChild, 0);
    if (g_answer == 0) {
        PostMessageW(box, WM_CLOSE, 0, 0);
    } else {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(g_answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, g_answer)));
    }
}

TEST_F(MainWindowTest, MessageBoxesHaveTheTitleNoIconTheButtonsAndReturnTheAnswer) {
    const struct {
        MessageButtons buttons;
        int answer;
        std::vector<int> shown;
        MessageResult result;
    } cases[] = {
        {MessageButtons::Ok, IDOK, {IDOK}, MessageResult::Ok},
        {MessageButtons::Ok, 0, {IDOK}, MessageResult::Ok},
        {MessageButtons::OkCancel, IDCANCEL, {IDOK, IDCANCEL}, MessageResult::Cancel},
        {MessageButtons::OkCancel, 0, {IDOK, IDCANCEL}, MessageResult::Cancel},
        {MessageButtons::YesNoCancel, IDYES, {IDYES, IDNO, IDCANCEL}, MessageResult::Yes},
        {MessageButtons::YesNoCancel, IDNO, {IDYES, IDNO, IDCANCEL}, MessageResult::No},
        {MessageButtons::YesNoCancel, 0, {IDYES, IDNO, IDCANCEL}, MessageResult::Cancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.buttons) * 100 + c.answer);
        ShowWindow(form.Handle(), SW_HIDE);
        g_seen = {};
        g_answer = c.answer;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerBox);
        const MessageResult result = ui.ShowMessageBox("リストは変更されています。保存しますか？ ", c.buttons);
        KillTimer(nullptr, timer);

        ASSERT_TRUE(g_seen.found);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(g_seen.caption, L"Tarvoline");
        EXPECT_NE(std::find(g_seen.texts.begin(), g_seen.texts.end(), L"リストは変更されています。保存しますか？ "),
                  g_seen.texts.end());
        EXPECT_FALSE(g_seen.visibleIcon);
        std::vector<int> shown = g_seen.buttons;
        std::sort(shown.begin(), shown.end());
        std::vector<int> expected = c.shown;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(g_seen.owner, form.Handle());
        EXPECT_TRUE(IsWindowVisible(form.Handle())); // brought back before the box
    }
}

} // namespace
} // namespace tarvoline
