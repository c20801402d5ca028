#pragma once
#include <gtest/gtest.h>

#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"

namespace tarvoline::testing {

// Installs a scripted window system and a print log for the message operations, and removes them
// after the test.
class MessageServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageUi(&ui);
        SetPrintLog(&log);
    }
    void TearDown() override {
        SetMessageUi(nullptr);
        SetPrintLog(nullptr);
    }

    FakeUi ui;
    FakeClock clock;
    MemoryFileSystem files;
    c_print_log log{clock, files};
};

} // namespace tarvoline::testing
