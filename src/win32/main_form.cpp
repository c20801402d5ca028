#include "main_form.h"

#include <commctrl.h>

#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

#include "base/wide_text.h"
#include "exception_box.h"
#include "main_menu_win32.h"
#include "win32_ui.h"

namespace tarvoline {

namespace {

constexpr int kDesignClientWidth = 740;
constexpr int kDesignClientHeight = 697;
constexpr int kDesignMinWidth = 700;
constexpr int kDesignMinHeight = 600;
constexpr int kDesignFontHeight = 13;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC windowProc) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(instance, TMainForm::kClassName, &windowClass))
        return;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = TMainForm::kClassName;
    if (!RegisterClassExW(&windowClass))
        throw std::runtime_error("RegisterClassExW failed");
}

} // namespace

TMainForm::~TMainForm() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

int TMainForm::Scale(int designPixels) const {
    return MulDiv(designPixels, dpi_, 96);
}

void TMainForm::Create(HINSTANCE instance, int showCommand) {
    dpi_ = ScreenDpi();
    RegisterWindowClass(instance, &TMainForm::WindowProc);

    UniqueMenu menuBar = BuildMenuBar(MainMenuItems());
    accelerators_ = BuildAccelerators(MainMenuItems());

    // The design size is the client area, the status bar included.
    RECT frame{0, 0, Scale(kDesignClientWidth), Scale(kDesignClientHeight)};
    AdjustWindowRectEx(&frame, kStyle, TRUE, kExStyle);
    const std::wstring caption = ToWide(kApplicationTitle);
    const HWND hwnd =
        CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, menuBar.get(), instance, this);
    if (!hwnd) {
        if (createError_)
            std::rethrow_exception(std::exchange(createError_, nullptr));
        throw std::runtime_error("CreateWindowExW failed");
    }
    menuBar.release(); // the window destroys its menu

    FitIntoWorkArea();
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
}

void TMainForm::FormCreate() {
    const std::wstring fontName = ToWide("ＭＳ Ｐゴシック");
    font_.reset(CreateFontW(-Scale(kDesignFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            fontName.c_str()));

    // No size grip: the status bar shows one simple panel only.
    stbStatus_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_, nullptr,
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
    if (!stbStatus_)
        throw std::runtime_error("status bar creation failed");
    SendMessageW(stbStatus_, SB_SIMPLE, TRUE, 0);
}

void TMainForm::FitIntoWorkArea() {
    // CW_USEDEFAULT may put a window this tall partly below a small screen.
    RECT window;
    GetWindowRect(hwnd_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    LONG left = window.left;
    LONG top = window.top;
    if (window.right > work.right)
        left = work.right - (window.right - window.left);
    if (window.bottom > work.bottom)
        top = work.bottom - (window.bottom - window.top);
    if (left < work.left)
        left = work.left;
    if (top < work.top)
        top = work.top;
    if (left != window.left || top != window.top) {
        SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TMainForm::SetStatusText(std::string_view text) {
    if (!stbStatus_)
        return;
    const std::wstring wide = ToWide(text);
    SendMessageW(stbStatus_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TMainForm::MenuClick(MenuCommand command) {
    switch (command) {
    case MenuCommand::Exit:
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void TMainForm::MenuSelect(WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0) { // the menu closed
        SetStatusText("");
        return;
    }
    // For a popup the low word is a position, not a command id; menus have no hints.
    if (flags & (MF_POPUP | MF_SEPARATOR)) {
        SetStatusText("");
        return;
    }
    SetStatusText(MenuHint(LOWORD(wParam)));
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        FormCreate();
        return 0;
    case WM_SIZE:
        if (stbStatus_)
            SendMessageW(stbStatus_, WM_SIZE, 0, 0);
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize.x = Scale(kDesignMinWidth);
        limits->ptMinTrackSize.y = Scale(kDesignMinHeight);
        return 0;
    }
    case WM_COMMAND:
        // Menu items and accelerators; control notifications come with a window handle.
        if (lParam == 0)
            MenuClick(static_cast<MenuCommand>(LOWORD(wParam)));
        return 0;
    case WM_MENUSELECT:
        MenuSelect(wParam, lParam);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        const HWND hwnd = std::exchange(hwnd_, nullptr);
        stbStatus_ = nullptr;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        form = static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    if (!form)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (...) {
        if (message == WM_CREATE) {
            // Stop the creation; Create reports the error rather than leave a half-built window.
            form->createError_ = std::current_exception();
            return -1;
        }
        ShowCurrentException(hwnd);
        return 0;
    }
}

} // namespace tarvoline
