#include "print/prn.h"

#include "platform/spooler.h"

namespace tarvoline {

std::string c_prn::EffectivePrinter() const {
    return printerName_.empty() ? DefaultPrinterName() : printerName_;
}

std::string c_prn::DefaultPrinterName() const {
    return spooler_.DefaultPrinterName();
}

} // namespace tarvoline
