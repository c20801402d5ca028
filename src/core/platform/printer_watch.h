#pragma once
// Watching a printer's job queue for changes, as the spool monitor does after handing a file to
// a print-to program. Only the timing of the changes matters; the jobs are never read.
#include <cstdint>
#include <memory>
#include <string>

namespace tarvoline {

// Results of one wait, with the platform's values.
constexpr std::uint32_t kWaitSignalled = 0;
constexpr std::uint32_t kWaitTimeout = 258;
constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;

// One open printer. Destroying it releases the change notification and closes the printer.
class OpenedPrinter {
public:
    virtual ~OpenedPrinter() = default;
    // Asks to be told about every job change (with the job notify options of the spool monitor).
    virtual bool FindFirstChange() = 0;
    // Waits for the next change notification: kWaitSignalled, kWaitTimeout, kWaitFailed or another wait code.
    virtual std::uint32_t WaitForChange(std::uint32_t milliseconds) = 0;
    // Acknowledges a signalled change and frees what it returned, unread.
    virtual bool FindNextChange() = 0;
    // The system error code of the last failing call.
    virtual std::uint32_t LastError() = 0;
};

class PrinterWatcher {
public:
    virtual ~PrinterWatcher() = default;
    // nullptr when the printer cannot be opened; errorCode then holds the system's error code.
    virtual std::unique_ptr<OpenedPrinter> OpenPrinter(const std::string& printerName, std::uint32_t& errorCode) = 0;
};

} // namespace tarvoline
