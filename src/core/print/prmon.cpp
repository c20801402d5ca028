#include "print/prmon.h"

#include "common/messages.h"
#include "platform/clock.h"
#include "platform/printer_watch.h"

namespace tarvoline {
namespace {

constexpr int kMaxSteps = 200;
constexpr int kMaxQuietWithoutActivity = 100;
constexpr int kMaxQuietAfterActivity = 15;

} // namespace

c_prmon::c_prmon(PrinterWatcher& watcher, Clock& clock, const bool& abortRequested, std::string printerName)
    : watcher_(watcher), clock_(clock), abortRequested_(abortRequested), printerName_(std::move(printerName)) {}

std::int64_t c_prmon::WaitStep(OpenedPrinter& printer) {
    const std::uint32_t wait = printer.WaitForChange(1000);
    if (wait == kWaitFailed) {
        ShowMessageId(13064, printerName_, static_cast<int>(printer.LastError()));
        return -1;
    }
    if (wait == kWaitSignalled) {
        if (!printer.FindNextChange()) {
            ShowMessageId(13063, printerName_, static_cast<int>(printer.LastError()));
            return -1;
        }
        return 0;
    }
    return wait;
}

bool c_prmon::Watch() {
    std::uint32_t openError = 0;
    // Closing the printer and releasing the notification happen on every path, with the object.
    const std::unique_ptr<OpenedPrinter> printer = watcher_.OpenPrinter(printerName_, openError);
    if (!printer) {
        ShowMessageId(13061, printerName_, static_cast<int>(openError));
        return false;
    }
    if (!printer->FindFirstChange()) {
        ShowMessageId(13062, printerName_, static_cast<int>(printer->LastError()));
        return false;
    }

    bool result = true;
    int quiet = 0;
    bool activitySeen = false;
    int steps = 0;
    std::int64_t wait = WaitStep(*printer);
    while (wait != -1 && steps < kMaxSteps) {
        if (quiet > kMaxQuietWithoutActivity) {
            result = false;
            break;
        }
        if (activitySeen && quiet > kMaxQuietAfterActivity) break;
        if (wait == kWaitTimeout) {
            ++quiet;
        } else {
            quiet = 0;
            activitySeen = true;
            clock_.Sleep(1000);
        }
        if (abortRequested_) break;
        PumpMessages();
        wait = WaitStep(*printer);
        ++steps;
    }
    return result;
}

} // namespace tarvoline
