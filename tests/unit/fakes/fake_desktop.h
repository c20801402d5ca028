#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/desktop_windows.h"

namespace tarvoline::testing {

// Windows that come and go with a clock, and a journal of what was sent to them.
class FakeDesktop : public DesktopWindows {
public:
    struct Window {
        std::string title;
        std::string className;
        bool ownProcess = false;
        std::int64_t appearsAt = 0; // clock ticks
        std::vector<WindowId> descendants;
        bool topLevel = true;
    };

    explicit FakeDesktop(const Clock& clock) : clock_(clock) {}

    std::vector<WindowId> TopLevelWindows() override {
        std::vector<WindowId> shown;
        for (const auto& [id, window] : windows) {
            if (window.topLevel && window.appearsAt <= clock_.TickMilliseconds()) shown.push_back(id);
        }
        return shown;
    }
    bool BelongsToThisProcess(WindowId window) override { return windows.at(window).ownProcess; }
    std::string Title(WindowId window) override { return windows.at(window).title; }
    std::string ClassName(WindowId window) override { return windows.at(window).className; }
    std::vector<WindowId> Descendants(WindowId window) override { return windows.at(window).descendants; }
    void SetText(WindowId window, const std::string& text) override {
        Record("settext " + std::to_string(window) + " " + text);
    }
    void ClickButton(WindowId window) override { Record("click " + std::to_string(window)); }
    void PressEnter(WindowId window) override { Record("enter " + std::to_string(window)); }

    std::map<WindowId, Window> windows;
    std::vector<std::string> journal; // each entry ends with " @<ticks>"

private:
    void Record(const std::string& what) { journal.push_back(what + " @" + std::to_string(clock_.TickMilliseconds())); }
    const Clock& clock_;
};

} // namespace tarvoline::testing
