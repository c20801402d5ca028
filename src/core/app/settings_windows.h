#pragma once
// What the settings store needs of a window (its placement) and of the File menu (the recent
// files); the Win32 layer implements both over the real window and menu.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tarvoline {

struct WindowRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The stored window state: 0 normal, 1 minimized, 2 maximized.
enum : std::int32_t { kWindowNormal = 0, kWindowMinimized = 1, kWindowMaximized = 2 };

class PlacementWindow {
public:
    virtual ~PlacementWindow() = default;
    // The rectangle the window has when restored, also while it is minimized or maximized.
    virtual WindowRect NormalRect() const = 0;
    virtual void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) = 0;
    virtual std::int32_t WindowState() const = 0;
    virtual void SetWindowState(std::int32_t state) = 0;
    virtual std::int32_t ScreenWidth() const = 0;
    virtual std::int32_t ScreenHeight() const = 0;
};

// The items of one menu, by position.
class MenuItems {
public:
    virtual ~MenuItems() = default;
    virtual int Count() const = 0;
    // Position of the item with that name (e.g. "mnuSep2"), or -1.
    virtual int IndexOfName(const std::string& name) const = 0;
    // "-" for a separator.
    virtual std::string Caption(int index) const = 0;
    virtual void Delete(int index) = 0;
    // A new item at that position; clicking it opens the recent file with the tag's index.
    virtual void InsertRecentFileItem(int index, const std::string& caption, int tag) = 0;
    virtual void SetVisible(int index, bool visible) = 0;
};

// Width in pixels of a text in the main window's font.
using TextMeasure = std::function<int(std::string_view)>;

} // namespace tarvoline
