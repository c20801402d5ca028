#pragma once
// Playing the user on a modal window from a helper thread while the test's thread shows it.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace tarvoline::testing {

inline std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

inline HWND WaitForWindow(const wchar_t* caption) {
    for (int i = 0; i < 500; ++i) {
        if (const HWND window = FindWindowW(L"#32770", caption); window && IsWindowVisible(window))
            return window;
        Sleep(10);
    }
    return nullptr;
}

inline void WaitGone(HWND window) {
    for (int i = 0; i < 200 && IsWindow(window); ++i)
        Sleep(10);
}

inline bool Checked(HWND dialog, int id) {
    return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Runs show on this thread while script acts on the window with that caption; closes it in any case.
inline void Drive(const wchar_t* caption, const std::function<void()>& show, const std::function<void(HWND)>& script,
                  int closeId = IDCANCEL) {
    std::thread driver([&] {
        const HWND window = WaitForWindow(caption);
        script(window);
        if (window && IsWindow(window))
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(closeId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, closeId)));
    });
    show();
    driver.join();
}

} // namespace tarvoline::testing
