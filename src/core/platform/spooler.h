#pragma once
#include <string>
#include <vector>

namespace tarvoline {

// What the program asks of the print spooler.
class Spooler {
public:
    virtual ~Spooler() = default;
    // The system default printer, or "" when there is none or it cannot be found.
    virtual std::string DefaultPrinterName() = 0;
    // Every local and connected printer, in the spooler's order, for the printer box.
    virtual std::vector<std::string> PrinterNames() = 0;
};

} // namespace tarvoline
