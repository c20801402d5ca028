// The password key-in for real: c_pushbutton's worker scans the desktop of Wine, finds our prompt
// stand-in in another process, types the password and confirms it.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "common/encoding.h"
#include "common/print_log.h"
#include "platform/clock.h"
#include "platform/win32_desktop_windows.h"
#include "platform/win32_file_system.h"
#include "print/pushbutton.h"
#include "standin_process.h"

namespace tarvoline {
namespace {

using testing::ChildProcess;
using testing::ReadWholeFile;
using testing::StandinPath;

std::string TempPath(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

// Handles this thread's window messages while waiting, as the window thread does during a print.
void PumpFor(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

std::optional<std::string> WaitForJournal(const std::string& path, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        if (auto text = ReadWholeFile(path); text && !text->empty() && text->back() == '\n') return text;
        if (GetTickCount64() >= end) return std::nullopt;
        PumpFor(100);
    }
}

class KeyInWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrintLog(&log);
        token = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    }
    void TearDown() override { SetPrintLog(nullptr); }

    bool StartPrompt(ChildProcess& prompt, const std::string& journal, const std::string& editClass,
                     const std::string& button, int delay) {
        DeleteFileA(journal.c_str());
        const std::string title = "パスワード - 文書 " + token;
        return prompt.Start(StandinPath("tarvoline-prompt.exe"),
                            "--journal \"" + journal + "\" --title \"" + title + "\" --edit-class \"" + editClass +
                                "\" --button \"" + button + "\" --delay " + std::to_string(delay) +
                                " --timeout 30000");
    }

    bool WaitForTitle(const std::string& title, DWORD milliseconds) {
        const ULONGLONG end = GetTickCount64() + milliseconds;
        while (GetTickCount64() < end) {
            for (const WindowId window : desktop.TopLevelWindows()) {
                if (!desktop.BelongsToThisProcess(window) && desktop.Title(window) == title) return true;
            }
            PumpFor(100);
        }
        return false;
    }

    SystemClock clock;
    Win32FileSystem files;
    c_print_log log{clock, files};
    Win32DesktopWindows desktop;
    std::string token;
};

TEST_F(KeyInWin32Test, ThePromptOfTheApplicationReceivesThePasswordAndIsConfirmed) {
    struct Case {
        const char* editClass;   // the class the application's prompt has
        const char* keyInClass;  // the class text the handler gives
        const char* button;
        const char* confirmedBy;
    };
    const Case cases[] = {
        {"RichEdit20W", "RichEdit", "OK", "button"},
        // No "OK" on the button: the edit box gets the Enter key.
        {"EDTBX", "EDTBX", "開く(&O)", "enter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.editClass);
        const std::string journal = TempPath("tarvoline-keyin-" + token + c.editClass + ".txt");
        c_pushbutton keyIn(desktop, clock);
        keyIn.Start("パスワード", "OK", c.keyInClass, "秘密 表ソ");
        // The application shows its prompt after the key-in started, as Office does while opening.
        ChildProcess prompt;
        ASSERT_TRUE(StartPrompt(prompt, journal, c.editClass, c.button, 1500));
        const auto answer = WaitForJournal(journal, 30000);
        keyIn.Stop();
        ASSERT_TRUE(answer.has_value()) << "the prompt was never answered";
        EXPECT_EQ(*answer, std::string(c.confirmedBy) + "\t" + AnsiToUtf8("秘密 表ソ") + "\n");
        EXPECT_EQ(prompt.Wait(10000), std::optional<DWORD>(0));
        DeleteFileA(journal.c_str());
    }
}

TEST_F(KeyInWin32Test, WindowsOfThisProgramAndPromptsOpenBeforeTheStartAreLeftAlone) {
    // A prompt that was already open before the key-in started (a browser's login page, say).
    const std::string journal = TempPath("tarvoline-keyin-before-" + token + ".txt");
    ChildProcess earlier;
    ASSERT_TRUE(StartPrompt(earlier, journal, "Edit", "OK", 0));
    ASSERT_TRUE(WaitForTitle("パスワード - 文書 " + token, 30000)) << "the earlier prompt never opened";

    c_pushbutton keyIn(desktop, clock);
    keyIn.Start("パスワード", "OK", "Edit", "secret");
    // A window of this program with the same title and an edit box, made after the start.
    HWND own = CreateWindowExW(0, L"STATIC", L"パスワード - own window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                               200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(own, nullptr);
    HWND ownEdit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24, own, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(ownEdit, nullptr);
    PumpFor(4500);
    keyIn.Stop();

    wchar_t text[64] = {};
    GetWindowTextW(ownEdit, text, 64);
    EXPECT_STREQ(text, L"");
    EXPECT_FALSE(ReadWholeFile(journal).has_value()) << "the earlier prompt was answered";
    EXPECT_FALSE(earlier.Wait(0).has_value()) << "the earlier prompt should still be open";
    DestroyWindow(own);
}

TEST_F(KeyInWin32Test, StopRightAfterStartReturnsWithinAboutASecond) {
    c_pushbutton keyIn(desktop, clock);
    keyIn.Start("パスワード", "OK", "RichEdit", "pw");
    const ULONGLONG before = GetTickCount64();
    keyIn.Stop();
    const ULONGLONG took = GetTickCount64() - before;
    EXPECT_LT(took, 1600u);
    RecordProperty("stop_ms", static_cast<int>(took));
}

} // namespace
} // namespace tarvoline
