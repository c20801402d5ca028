#pragma once
#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "fakes/fake_clock.h"
#include "platform/printer_watch.h"

namespace tarvoline::testing {

struct PrinterScript {
    bool opens = true;
    std::uint32_t openError = 1801; // ERROR_INVALID_PRINTER_NAME
    bool findFirstWorks = true;
    std::set<std::int64_t> changesAt; // clock ticks of job changes
    bool changeOnEveryWait = false;
    int waitFailsAt = -1;     // the n-th wait (from 0) fails
    int findNextFailsAt = -1; // the n-th wait (from 0) signals but the acknowledgement fails
};

// A printer whose job changes come at scripted times of the fake clock.
class ScriptedPrinter : public OpenedPrinter {
public:
    ScriptedPrinter(FakeClock& clock, const PrinterScript& script, bool& released);
    ~ScriptedPrinter() override { released_ = true; }
    bool FindFirstChange() override;
    std::uint32_t WaitForChange(std::uint32_t milliseconds) override;
    bool FindNextChange() override;
    std::uint32_t LastError() override { return lastError_; }

private:
    FakeClock& clock_;
    const PrinterScript& script_;
    bool& released_;
    std::set<std::int64_t> pending_;
    int waits_ = 0;
    std::uint32_t lastError_ = 0;
};


inline ScriptedPrinter::ScriptedPrinter(FakeClock& clock, const PrinterScript& script, bool& released)
    : clock_(clock), script_(script), released_(released), pending_(script.changesAt) {}

inline bool ScriptedPrinter::FindFirstChange() {
    if (script_.findFirstWorks) return true;
    lastError_ = 50; // ERROR_NOT_SUPPORTED
    return false;
}

inline std::uint32_t ScriptedPrinter::WaitForChange(std::uint32_t milliseconds) {
    const int wait = waits_++;
    if (wait == script_.waitFailsAt) {
        lastError_ = 6;
        return kWaitFailed;
    }
    if (script_.changeOnEveryWait || wait == script_.findNextFailsAt) return kWaitSignalled;
    const std::int64_t end = clock_.ticks + milliseconds;
    if (!pending_.empty() && *pending_.begin() <= end) {
        clock_.ticks = std::max(clock_.ticks, *pending_.begin());
        pending_.erase(pending_.begin());
        return kWaitSignalled;
    }
    clock_.ticks = end;
    return kWaitTimeout;
}

inline bool ScriptedPrinter::FindNextChange() {
    if (waits_ - 1 == script_.findNextFailsAt) {
        lastError_ = 87;
        return false;
    }
    return true;
}

class ScriptedWatcher : public PrinterWatcher {
public:
    ScriptedWatcher(FakeClock& clock, PrinterScript& script) : clock_(clock), script_(script) {}
    std::unique_ptr<OpenedPrinter> OpenPrinter(const std::string& name, std::uint32_t& errorCode) override {
        openedName = name;
        if (!script_.opens) {
            errorCode = script_.openError;
            return nullptr;
        }
        released = false;
        return std::make_unique<ScriptedPrinter>(clock_, script_, released);
    }
    std::string openedName;
    bool released = true;

private:
    FakeClock& clock_;
    PrinterScript& script_;
};

} // namespace tarvoline::testing
