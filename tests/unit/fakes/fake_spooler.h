#pragma once
#include <string>
#include <vector>

#include "platform/spooler.h"

namespace tarvoline::testing {

class FakeSpooler : public Spooler {
public:
    std::string DefaultPrinterName() override {
        ++defaultQueries;
        return defaultPrinter;
    }
    std::vector<std::string> PrinterNames() override { return printers; }

    std::string defaultPrinter;
    std::vector<std::string> printers;
    int defaultQueries = 0;
};

} // namespace tarvoline::testing
