#pragma once
#include <string>

#include "print/print_run.h"

namespace tarvoline {

class Automation;
class PasswordKeyIn;
class c_prn;

// Prints presentations through a new "PowerPoint.Application" server per file.
class c_prtppt : public PrintHandler {
public:
    c_prtppt(c_prn& printer, Automation& automation, PasswordKeyIn& keyIn)
        : printer_(printer), automation_(automation), keyIn_(keyIn) {}

    // pageRange: slide ranges separated by commas ("" = all slides). False after an automation
    // error, whose message (13008) has been shown; a range beyond the last slide is only reported.
    bool Print(const std::string& path, const std::string& pageRange, const std::string& password);
    bool Print(const PrintRequest& request) override {
        return Print(request.path, request.pageRange, request.password);
    }

private:
    c_prn& printer_;
    Automation& automation_;
    PasswordKeyIn& keyIn_;
};

} // namespace tarvoline
