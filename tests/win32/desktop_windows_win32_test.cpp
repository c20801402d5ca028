// The key-in's view of the desktop, on real windows of another process: our prompt stand-in shows a
// password prompt with an edit box of a chosen window class and a confirm button one level down, and
// journals how it was answered.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/encoding.h"
#include "platform/win32_desktop_windows.h"
#include "standin_process.h"

namespace tarvoline {
namespace {

using testing::ChildProcess;
using testing::ReadWholeFile;
using testing::StandinPath;

HWND Handle(WindowId window) {
    return reinterpret_cast<HWND>(window);
}

std::string UniqueToken() {
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
}

std::string TempPath(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

class DesktopWindowsWin32Test : public ::testing::Test {
protected:
    // The first top-level window whose title is exactly the given one, looked for until the time is up.
    std::optional<WindowId> FindTopLevel(const std::string& title, DWORD milliseconds) {
        const DWORD start = GetTickCount();
        for (;;) {
            for (const WindowId window : desktop.TopLevelWindows())
                if (desktop.Title(window) == title)
                    return window;
            if (GetTickCount() - start >= milliseconds)
                return std::nullopt;
            Sleep(100);
        }
    }

    bool StartPrompt(ChildProcess& prompt, const std::string& journal, const std::string& title,
                     const std::string& editClass, const std::string& button, int delay = 0) {
        DeleteFileA(journal.c_str());
        const std::string arguments = "--journal \"" + journal + "\" --title \"" + title + "\" --edit-class \"" +
                                      editClass + "\" --button \"" + button + "\" --delay " + std::to_string(delay) +
                                      " --timeout 60000";
        return prompt.Start(StandinPath("tarvoline-prompt.exe"), arguments);
    }

    Win32DesktopWindows desktop;
};

TEST_F(DesktopWindowsWin32Test, APromptOfAnotherProcessIsFoundFilledInAndConfirmed) {
    struct Case {
        std::string editClass;
        std::string button;
        bool byButton;
        std::string text;
    };
    const Case cases[] = {
        {"RichEdit20W", "OK", true, "秘密の表ソ123"},
        {"EDTBX", "OK", true, "pass word"},
        {"Edit", "OK", true, ""},
        // No "OK" on the button: the prompt is answered with the Enter key in the edit box.
        {"RICHEDIT", "開く(&O)", false, "鍵 予能"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.editClass);
        const std::string token = UniqueToken();
        const std::string title = "パスワードの入力 - Test " + token;
        const std::string journal = TempPath("tarvoline-prompt-" + token + ".txt");
        ChildProcess prompt;
        ASSERT_TRUE(StartPrompt(prompt, journal, title, c.editClass, c.button)) << StandinPath("tarvoline-prompt.exe");

        const auto window = FindTopLevel(title, 20000);
        ASSERT_TRUE(window.has_value()) << "no window titled " << AnsiToUtf8(title);
        EXPECT_FALSE(desktop.BelongsToThisProcess(*window));

        std::vector<WindowId> edits;
        std::vector<WindowId> buttons;
        for (const WindowId child : desktop.Descendants(*window)) {
            if (desktop.ClassName(child) == c.editClass)
                edits.push_back(child);
            if (desktop.Title(child) == c.button)
                buttons.push_back(child);
        }
        ASSERT_EQ(edits.size(), 1u);
        ASSERT_EQ(buttons.size(), 1u);
        EXPECT_EQ(desktop.ClassName(buttons[0]), "Button");
        // The button sits in a panel, not directly in the prompt window.
        EXPECT_NE(GetParent(Handle(buttons[0])), Handle(*window));
        EXPECT_FALSE(desktop.BelongsToThisProcess(buttons[0]));

        desktop.SetText(edits[0], c.text);
        if (c.byButton)
            desktop.ClickButton(buttons[0]);
        else
            desktop.PressEnter(edits[0]);

        EXPECT_EQ(prompt.Wait(10000), std::optional<DWORD>(0)) << "the prompt was not answered";
        const auto written = ReadWholeFile(journal);
        ASSERT_TRUE(written.has_value());
        EXPECT_EQ(*written, std::string(c.byButton ? "button" : "enter") + "\t" + AnsiToUtf8(c.text) + "\n");
        DeleteFileA(journal.c_str());
    }
}

TEST_F(DesktopWindowsWin32Test, APromptThatOpensLateIsFoundOnceItIsThere) {
    const std::string token = UniqueToken();
    const std::string title = "パスワード - late " + token;
    const std::string journal = TempPath("tarvoline-prompt-" + token + ".txt");
    ChildProcess prompt;
    ASSERT_TRUE(StartPrompt(prompt, journal, title, "RichEdit20W", "OK", 3000));

    EXPECT_FALSE(FindTopLevel(title, 1000).has_value());
    const auto window = FindTopLevel(title, 20000);
    ASSERT_TRUE(window.has_value());
    for (const WindowId child : desktop.Descendants(*window))
        if (desktop.Title(child) == "OK")
            desktop.ClickButton(child);
    EXPECT_EQ(prompt.Wait(10000), std::optional<DWORD>(0));
    EXPECT_EQ(ReadWholeFile(journal).value_or("<none>"), "button\t\n");
    DeleteFileA(journal.c_str());
}

TEST_F(DesktopWindowsWin32Test, WindowsOfThisProcessAreKnownAsOurs) {
    const std::string title = "パスワード - own " + UniqueToken();
    const HWND own = CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(own, nullptr);
    const HWND inner = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 50, 50, own, nullptr, nullptr, nullptr);
    const HWND innermost = CreateWindowExA(0, "EDIT", "OK", WS_CHILD, 0, 0, 20, 20, inner, nullptr, nullptr, nullptr);
    ASSERT_NE(innermost, nullptr);

    const std::vector<WindowId> topLevel = desktop.TopLevelWindows();
    const WindowId ownId = reinterpret_cast<WindowId>(own);
    EXPECT_NE(std::find(topLevel.begin(), topLevel.end(), ownId), topLevel.end());
    EXPECT_EQ(std::find(topLevel.begin(), topLevel.end(), reinterpret_cast<WindowId>(inner)), topLevel.end());
    EXPECT_TRUE(desktop.BelongsToThisProcess(ownId));
    EXPECT_EQ(desktop.Title(ownId), title);
    EXPECT_EQ(desktop.ClassName(ownId), "Static");
    EXPECT_EQ(desktop.Descendants(ownId),
              (std::vector<WindowId>{reinterpret_cast<WindowId>(inner), reinterpret_cast<WindowId>(innermost)}));
    EXPECT_TRUE(desktop.Descendants(reinterpret_cast<WindowId>(innermost)).empty());

    // Texts are read through 1,000-byte buffers.
    desktop.SetText(ownId, std::string(1500, 'A'));
    EXPECT_EQ(desktop.Title(ownId), std::string(999, 'A'));
    DestroyWindow(own);
}

} // namespace
} // namespace tarvoline
