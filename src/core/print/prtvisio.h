#pragma once
#include <string>

#include "platform/automation.h"
#include "print/print_run.h"

namespace tarvoline {

class Clock;
class c_prn;

// Prints drawings through a new "Visio.Application" server per file. No password support.
class c_prtvisio : public PrintHandler {
public:
    c_prtvisio(c_prn& printer, Automation& automation, Clock& clock)
        : printer_(printer), automation_(automation), clock_(clock) {}

    // from, to: -1 = not given. True when the print request was accepted; false after a failure
    // whose message has been shown.
    bool Print(const std::string& path, int from, int to);
    bool Print(const PrintRequest& request) override { return Print(request.path, request.from, request.to); }

    // The last step reached ("start", "CreateObject done", "Open done"), added to error messages.
    const std::string& Step() const { return step_; }

private:
    void OpenDrawing(const std::string& path);
    bool PrintDrawing(int from, int to);
    void CloseDrawing(const std::string& path);
    std::string ErrorText(const AutomationError& error) const;

    c_prn& printer_;
    Automation& automation_;
    Clock& clock_;
    AutoObjectPtr application_;
    AutoObjectPtr documents_;
    AutoObjectPtr document_;
    std::string path_;
    std::string step_;
};

} // namespace tarvoline
