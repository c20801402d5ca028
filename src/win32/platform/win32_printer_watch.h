#pragma once
#include <windows.h>
#include <winspool.h>

// <winspool.h> maps OpenPrinter to OpenPrinterA, which would rename the interface's method wherever
// both are seen.
#undef OpenPrinter

#include "platform/printer_watch.h"

namespace tarvoline {

// The spooler's change notifications of one printer (OpenPrinterA and the printer change functions).
class Win32PrinterWatcher final : public PrinterWatcher {
public:
    std::unique_ptr<OpenedPrinter> OpenPrinter(const std::string& printerName, std::uint32_t& errorCode) override;
};

} // namespace tarvoline
