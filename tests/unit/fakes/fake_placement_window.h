#pragma once
#include <cstdint>

#include "app/settings_windows.h"

namespace tarvoline::testing {

// A window on a 1024 x 768 screen that remembers what the settings store applies to it.
class FakePlacementWindow : public PlacementWindow {
public:
    WindowRect NormalRect() const override { return normal; }
    void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override {
        normal = {left, top, left + width, top + height};
        ++boundsSet;
    }
    std::int32_t WindowState() const override { return state; }
    void SetWindowState(std::int32_t newState) override { state = newState; }
    std::int32_t ScreenWidth() const override { return 1024; }
    std::int32_t ScreenHeight() const override { return 768; }

    WindowRect normal{100, 50, 900, 650};
    std::int32_t state = kWindowNormal;
    int boundsSet = 0;
};

} // namespace tarvoline::testing
