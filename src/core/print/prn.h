#pragma once
#include <string>

namespace tarvoline {

class Spooler;

// The printer every file of a run goes to: the one chosen in the main window, or the system default
// printer when none is chosen.
class c_prn {
public:
    // printerName: the stored choice (setting PrinterSelected); "" means the system default.
    c_prn(Spooler& spooler, std::string printerName) : spooler_(spooler), printerName_(std::move(printerName)) {}

    void SetPrinterName(const std::string& name) { printerName_ = name; }
    const std::string& PrinterName() const { return printerName_; }
    // Asked at the moment of printing, so a default printer changed meanwhile is followed.
    std::string EffectivePrinter() const;
    // The system default printer, or "" when there is none.
    std::string DefaultPrinterName() const;

private:
    Spooler& spooler_;
    std::string printerName_;
};

} // namespace tarvoline
