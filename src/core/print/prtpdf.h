#pragma once
#include <string>

#include "print/print_run.h"

namespace tarvoline {

class c_prn;
class Clock;
class PasswordKeyIn;
class PrinterWatcher;
class Shell;

// What the two print-to handlers share: the shell's "printto" verb and the spool monitor after it.
struct PrintToServices {
    Shell& shell;
    PrinterWatcher& printerWatcher;
    Clock& clock;
};

// Prints PDF files through the "printto" verb of the registered viewer, hidden, and watches the
// printer's queue until it has been quiet for a while.
class c_prtpdf : public PrintHandler {
public:
    c_prtpdf(c_prn& printer, const PrintToServices& services, PasswordKeyIn& keyIn)
        : printer_(printer), services_(services), keyIn_(keyIn) {}

    bool Print(const std::string& path, const std::string& password);
    bool Print(const PrintRequest& request) override { return Print(request.path, request.password); }

private:
    c_prn& printer_;
    PrintToServices services_;
    PasswordKeyIn& keyIn_;
};

// Hands a file to its registered print-to program (shown) and watches the printer's queue.
// Returns true once the program was started and the queue went quiet after job activity.
bool PrintThroughShell(const PrintToServices& services, const std::string& printer, const std::string& path,
                       bool showWindow, std::int32_t refusalMessageId);

} // namespace tarvoline
