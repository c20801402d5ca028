#pragma once
#include <cstdint>
#include <string>

namespace tarvoline {

class Clock;
class OpenedPrinter;
class PrinterWatcher;

// The spool monitor: after a file was handed to its print-to program, waits until the printer's
// job queue has been quiet for a while. Only the timing of the job changes is looked at.
class c_prmon {
public:
    c_prmon(PrinterWatcher& watcher, Clock& clock, const bool& abortRequested, std::string printerName);

    // True once 16 quiet seconds followed job activity (or the wait ended early by an abort, an error
    // of the wait, or the step bound); false when the printer cannot be watched or nothing happened
    // for about 101 seconds.
    bool Watch();

private:
    // 0 for a change, 258 for a quiet second, -1 after an error (already shown), or another wait code.
    std::int64_t WaitStep(OpenedPrinter& printer);

    PrinterWatcher& watcher_;
    Clock& clock_;
    const bool& abortRequested_;
    std::string printerName_;
};

} // namespace tarvoline
