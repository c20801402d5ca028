#pragma once
#include <string>

#include "print/print_run.h"

namespace tarvoline {

class Automation;
class PasswordKeyIn;
class c_prn;

// Prints Word documents through a new "Word.Application" server per file.
class c_prtword : public PrintHandler {
public:
    c_prtword(c_prn& printer, Automation& automation, PasswordKeyIn& keyIn)
        : printer_(printer), automation_(automation), keyIn_(keyIn) {}

    // False after a failure whose message (13008) has been shown.
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
