// The masked input dialog as a real modal window: a helper thread finds it, looks at it, types through
// WM_SETTEXT (which gives the edit's change notification, as typing does) and presses a button.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "text_input_dialog.h"

namespace tarvoline {
namespace {

std::wstring WindowTextW(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

std::string WindowTextA(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, 512);
    return buffer;
}

// The dialog once it is shown: the dialog manager shows it only after WM_INITDIALOG has filled it in.
HWND WaitForDialog() {
    for (int i = 0; i < 500; ++i) {
        const HWND dialog = FindWindowW(L"#32770", L"入力ダイアログ");
        if (dialog && IsWindowVisible(dialog))
            return dialog;
        Sleep(10);
    }
    return nullptr;
}

// Runs the dialog on this thread while script drives it from another; the script gets the dialog, or
// nullptr when it never came up.
MessageResult RunDialog(const std::string& prompt, std::string& text, const std::function<void(HWND)>& script) {
    std::thread driver([&] {
        const HWND dialog = WaitForDialog();
        script(dialog);
        // Never leave a modal window behind, whatever the script did.
        if (dialog && IsWindow(dialog))
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    const MessageResult result = ShowTextInputDialog(nullptr, prompt, text);
    driver.join();
    return result;
}

void Press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

TEST(TextInputDialog, ShowsPromptMaskedEditAndButtons) {
    const std::string prompt = "ファイルはパスワード保護されています。パスワードを入力してください。";
    std::string text = "preset";
    bool seen = false;
    RunDialog(prompt, text, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(WindowTextA(GetDlgItem(dialog, kTextInputPrompt)), prompt);
        const HWND edit = GetDlgItem(dialog, kTextInputEdit);
        EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD);
        EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), '*');
        EXPECT_EQ(WindowTextA(edit), "preset");
        EXPECT_EQ(WindowTextW(GetDlgItem(dialog, IDOK)), L"OK(&O)");
        EXPECT_EQ(WindowTextW(GetDlgItem(dialog, IDCANCEL)), L"キャンセル(&C)");
        EXPECT_TRUE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU);
        Press(dialog, IDCANCEL);
    });
    EXPECT_TRUE(seen);
}

TEST(TextInputDialog, OkReturnsTheTypedText) {
    std::string text;
    const MessageResult result = RunDialog("確認のためパスワードを再度入力してください。", text, [](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        SendMessageA(GetDlgItem(dialog, kTextInputEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("秘密pw"));
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, MessageResult::Ok);
    EXPECT_EQ(text, "秘密pw");
}

TEST(TextInputDialog, OkFollowsTheEditFromTheFirstChangeOn) {
    std::string text;
    const MessageResult result = RunDialog("prompt", text, [](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        const HWND ok = GetDlgItem(dialog, IDOK);
        const HWND edit = GetDlgItem(dialog, kTextInputEdit);
        EXPECT_TRUE(IsWindowEnabled(ok)) << "enabled until the first change, though empty";
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
        EXPECT_TRUE(IsWindowEnabled(ok));
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        EXPECT_FALSE(IsWindowEnabled(ok));
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("y"));
        EXPECT_TRUE(IsWindowEnabled(ok));
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, MessageResult::Ok);
    EXPECT_EQ(text, "y");
}

TEST(TextInputDialog, OkRightAwayReturnsOkWithAnEmptyText) {
    std::string text;
    const MessageResult result = RunDialog("prompt", text, [](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, MessageResult::Ok);
    EXPECT_EQ(text, "");
}

TEST(TextInputDialog, CancelStillHandsBackWhatWasTyped) {
    std::string text;
    const MessageResult result = RunDialog("prompt", text, [](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        SendMessageA(GetDlgItem(dialog, kTextInputEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, MessageResult::Cancel);
    EXPECT_EQ(text, "typed");
}

} // namespace
} // namespace tarvoline
