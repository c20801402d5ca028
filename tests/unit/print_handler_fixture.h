#pragma once
// What every handler test sets up: boxes answered and recorded, the print log, the printer choice,
// the automation fake and the key-in fake writing into the automation journal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_automation.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_password_keyin.h"
#include "fakes/fake_spooler.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"
#include "fakes/message_services_fixture.h"
#include "print/prn.h"

namespace tarvoline::testing {

class PrintHandlerTest : public MessageServicesTest {
protected:
    // The journal of a run that failed at operation n: the lines before it, then the failing
    // operation without its result and with the error.
    static std::vector<std::string> FailedAt(const std::vector<std::string>& journal, int n, const std::string& error) {
        std::vector<std::string> lines(journal.begin(), journal.begin() + n);
        std::string& last = lines.back();
        last = last.substr(0, last.find(" -> ")) + " !! " + error;
        return lines;
    }

    FakeSpooler spooler;
    c_prn printer{spooler, "Printer A"};
    FakeAutomation automation;
    FakePasswordKeyIn keyIn{automation.journal};
};

} // namespace tarvoline::testing
