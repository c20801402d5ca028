// Stands in for an office application's password prompt, so the key-in can be tested on real windows
// of another process. It shows a top-level window with an edit box of the window class named on the
// command line (an EDIT under that name) and, one level further down, a confirm button, and writes
// how the prompt was confirmed and what the edit box held to a journal file, then ends.
//
//   tarvoline-prompt --journal FILE [--title TEXT] [--edit-class NAME] [--button CAPTION]
//                    [--delay MS] [--timeout MS]
//
// Journal: one UTF-8 line "button<TAB>text", "enter<TAB>text" (Enter pressed in the edit box) or
// "cancel<TAB>text". Exit code 0 when confirmed, 2 when nobody answered within the timeout, 1 on a
// bad command line.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "standin_files.h"

namespace {

using tarvoline::standin::ToUtf8;

constexpr int kEditId = 100;
constexpr UINT kConfirmedByEnter = WM_APP + 1;
constexpr UINT_PTR kTimeoutTimer = 1;

struct Options {
    std::wstring journal;
    std::wstring title = L"パスワードの入力 - Test";
    std::wstring editClass = L"RichEdit20W";
    std::wstring button = L"OK";
    DWORD delay = 0;
    DWORD timeout = 120000;
};

Options options;
WNDPROC editProc = nullptr;
HWND edit = nullptr;
bool answered = false;

bool ParseOptions() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr)
        return false;
    bool ok = true;
    for (int i = 1; i < count && ok; ++i) {
        const std::wstring name = args[i];
        if (i + 1 >= count) {
            ok = false;
            break;
        }
        const std::wstring value = args[++i];
        if (name == L"--journal")
            options.journal = value;
        else if (name == L"--title")
            options.title = value;
        else if (name == L"--edit-class")
            options.editClass = value;
        else if (name == L"--button")
            options.button = value;
        else if (name == L"--delay")
            options.delay = wcstoul(value.c_str(), nullptr, 10);
        else if (name == L"--timeout")
            options.timeout = wcstoul(value.c_str(), nullptr, 10);
        else
            ok = false;
    }
    LocalFree(args);
    return ok && !options.journal.empty() && !options.editClass.empty();
}

std::wstring EditText() {
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(length + 1, L'\0');
    text.resize(GetWindowTextW(edit, text.data(), length + 1));
    return text;
}

// Written before the message that confirmed the prompt returns, so the sender can read it at once.
void Answer(HWND window, const wchar_t* how) {
    if (answered)
        return;
    answered = true;
    const std::string line = ToUtf8(std::wstring(how) + L"\t" + EditText() + L"\n");
    const HANDLE file =
        CreateFileW(options.journal.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
}

// The edit box: a plain EDIT that, like the prompts it stands in for, takes Enter as the answer.
LRESULT CALLBACK EditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        SendMessageW(GetAncestor(window, GA_ROOT), kConfirmedByEnter, 0, 0);
        return 0;
    }
    if (message == WM_CHAR && wParam == L'\r')
        return 0;
    return CallWindowProcW(editProc, window, message, wParam, lParam);
}

// Holds the buttons one level below the prompt window and passes their clicks up.
LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        return SendMessageW(GetParent(window), message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PromptWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK)
                Answer(window, L"button");
            else if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL)
                Answer(window, L"cancel");
            return 0;
        case kConfirmedByEnter:
            Answer(window, L"enter");
            return 0;
        case WM_TIMER:
            if (wParam == kTimeoutTimer)
                DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(answered ? 0 : 2);
            return 0;
        }
    } catch (...) {
        PostQuitMessage(3);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXW editClass{};
    editClass.cbSize = sizeof editClass;
    if (!GetClassInfoExW(nullptr, L"EDIT", &editClass))
        return false;
    editProc = editClass.lpfnWndProc;
    editClass.style &= ~CS_GLOBALCLASS;
    editClass.hInstance = instance;
    editClass.lpfnWndProc = EditWindowProc;
    editClass.lpszClassName = options.editClass.c_str();
    if (!RegisterClassExW(&editClass))
        return false;

    WNDCLASSEXW panel{};
    panel.cbSize = sizeof panel;
    panel.lpfnWndProc = PanelWindowProc;
    panel.hInstance = instance;
    panel.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    panel.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panel.lpszClassName = L"TarvolinePromptPanel";
    if (!RegisterClassExW(&panel))
        return false;

    WNDCLASSEXW prompt = panel;
    prompt.lpfnWndProc = PromptWindowProc;
    prompt.lpszClassName = L"TarvolinePrompt";
    return RegisterClassExW(&prompt) != 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!ParseOptions())
        return 1;
    // The window does not exist before the delay is over, as with a program that asks late.
    Sleep(options.delay);
    if (!RegisterClasses(instance))
        return 1;

    // Titled only once it is complete, so a scan for the title never finds a prompt still being built.
    const HWND window = CreateWindowExW(0, L"TarvolinePrompt", L"", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                        CW_USEDEFAULT, CW_USEDEFAULT, 380, 170, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    CreateWindowExW(0, L"STATIC", L"パスワードを入力してください:", WS_CHILD | WS_VISIBLE, 12, 12, 340, 20, window,
                    nullptr, instance, nullptr);
    edit = CreateWindowExW(WS_EX_CLIENTEDGE, options.editClass.c_str(), L"",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, 12, 36, 340, 24, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), instance, nullptr);
    const HWND panel = CreateWindowExW(0, L"TarvolinePromptPanel", L"", WS_CHILD | WS_VISIBLE, 12, 72, 340, 40, window,
                                       nullptr, instance, nullptr);
    CreateWindowExW(0, L"BUTTON", options.button.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 120, 6,
                    100, 28, panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"キャンセル", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 230, 6, 100, 28, panel,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), instance, nullptr);
    if (edit == nullptr)
        return 1;
    SetTimer(window, kTimeoutTimer, options.timeout, nullptr);
    SetWindowTextW(window, options.title.c_str());
    ShowWindow(window, SW_SHOW);
    SetFocus(edit);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
