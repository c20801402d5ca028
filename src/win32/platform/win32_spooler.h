#pragma once
#include <string>
#include <string_view>

#include "platform/spooler.h"

namespace tarvoline {

// The spooler through the ANSI functions, so printer names are in the system's code page.
class Win32Spooler final : public Spooler {
public:
    std::string DefaultPrinterName() override;
    std::vector<std::string> PrinterNames() override;
};

// The printer name of a "device" entry of the profile's "windows" section ("name,driver,port").
std::string PrinterNameOfDeviceEntry(std::string_view entry);

} // namespace tarvoline
