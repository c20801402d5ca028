#pragma once
#include <windows.h>

#include "app/settings_windows.h"

namespace tarvoline {

// The placement of a real window, for the settings store. The window may be given after creation.
class WindowPlacement final : public PlacementWindow {
public:
    explicit WindowPlacement(HWND window = nullptr) : window_(window) {}
    void Attach(HWND window) { window_ = window; }

    WindowRect NormalRect() const override;
    void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
    std::int32_t WindowState() const override;
    void SetWindowState(std::int32_t state) override;
    std::int32_t ScreenWidth() const override;
    std::int32_t ScreenHeight() const override;

private:
    HWND window_;
};

} // namespace tarvoline
