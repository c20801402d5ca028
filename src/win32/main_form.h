#pragma once
#include <windows.h>

#include <exception>
#include <string_view>

#include "app/main_menu.h"
#include "base/unique_handle.h"

namespace tarvoline {

// The main window: menu bar, shortcuts and the status bar stbStatus so far.
class TMainForm {
public:
    static constexpr wchar_t kClassName[] = L"TMainForm";

    TMainForm() = default;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;
    ~TMainForm();

    // Creates the window and shows it; throws when the system refuses.
    void Create(HINSTANCE instance, int showCommand);

    HWND Handle() const { return hwnd_; }
    HWND StatusBar() const { return stbStatus_; }
    HACCEL Accelerators() const { return accelerators_.get(); }
    // The font of the window's controls ("ＭＳ Ｐゴシック", 13 pixels at design size).
    HFONT Font() const { return static_cast<HFONT>(font_.get()); }

    // Puts code page 932 text into the status bar's simple panel.
    void SetStatusText(std::string_view text);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void FormCreate();
    void MenuClick(MenuCommand command);
    void MenuSelect(WPARAM wParam, LPARAM lParam);
    void FitIntoWorkArea();
    // Design pixels at 96 dots per inch -> pixels at the screen's resolution.
    int Scale(int designPixels) const;

    HWND hwnd_ = nullptr;
    HWND stbStatus_ = nullptr;
    UniqueAccelerators accelerators_;
    UniqueGdiObject font_;
    int dpi_ = 96;
    std::exception_ptr createError_;
};

} // namespace tarvoline
