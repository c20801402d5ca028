#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"
#include "platform/printer_watch.h"
#include "print/prmon.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

// A printer whose job changes come at scripted times of the fake clock.
class ScriptedPrinter : public OpenedPrinter {
public:
    ScriptedPrinter(FakeClock& clock, const struct PrinterScript& script, bool& released);
    ~ScriptedPrinter() override { released_ = true; }
    bool FindFirstChange() override;
    std::uint32_t WaitForChange(std::uint32_t milliseconds) override;
    bool FindNextChange() override;
    std::uint32_t LastError() override { return lastError_; }

private:
    FakeClock& clock_;
    const PrinterScript& script_;
    bool& released_;
    std::set<std::int64_t> pending_;
    int waits_ = 0;
    std::uint32_t lastError_ = 0;
};

struct PrinterScript {
    bool opens = true;
    std::uint32_t openError = 1801; // ERROR_INVALID_PRINTER_NAME
    bool findFirstWorks = true;
    std::set<std::int64_t> changesAt; // clock ticks of job changes
    bool changeOnEveryWait = false;
    int waitFailsAt = -1;     // the n-th wait (from 0) fails
    int findNextFailsAt = -1; // the n-th wait (from 0) signals but the acknowledgement fails
};

ScriptedPrinter::ScriptedPrinter(FakeClock& clock, const PrinterScript& script, bool& released)
    : clock_(clock), script_(script), released_(released), pending_(script.changesAt) {}

bool ScriptedPrinter::FindFirstChange() {
    if (script_.findFirstWorks) return true;
    lastError_ = 50; // ERROR_NOT_SUPPORTED
    return false;
}

std::uint32_t ScriptedPrinter::WaitForChange(std::uint32_t milliseconds) {
    const int wait = waits_++;
    if (wait == script_.waitFailsAt) {
        lastError_ = 6;
        return kWaitFailed;
    }
    if (script_.changeOnEveryWait || wait == script_.findNextFailsAt) return kWaitSignalled;
    const std::int64_t end = clock_.ticks + milliseconds;
    if (!pending_.empty() && *pending_.begin() <= end) {
        clock_.ticks = std::max(clock_.ticks, *pending_.begin());
        pending_.erase(pending_.begin());
        return kWaitSignalled;
    }
    clock_.ticks = end;
    return kWaitTimeout;
}

bool ScriptedPrinter::FindNextChange() {
    if (waits_ - 1 == script_.findNextFailsAt) {
        lastError_ = 87;
        return false;
    }
    return true;
}

class ScriptedWatcher : public PrinterWatcher {
public:
    ScriptedWatcher(FakeClock& clock, PrinterScript& script) : clock_(clock), script_(script) {}
    std::unique_ptr<OpenedPrinter> OpenPrinter(const std::string& name, std::uint32_t& errorCode) override {
        openedName = name;
        if (!script_.opens) {
            errorCode = script_.openError;
            return nullptr;
        }
        released = false;
        return std::make_unique<ScriptedPrinter>(clock_, script_, released);
    }
    std::string openedName;
    bool released = true;

private:
    FakeClock& clock_;
    PrinterScript& script_;
};

class SpoolMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageUi(&ui);
        SetPrintLog(&log);
    }
    void TearDown() override {
        SetMessageUi(nullptr);
        SetPrintLog(nullptr);
    }
    bool Watch() { return c_prmon(watcher, clock, abortRequested, "Office PDF").Watch(); }

    FakeUi ui;
    FakeClock clock;
    MemoryFileSystem files;
    c_print_log log{clock, files};
    PrinterScript script;
    ScriptedWatcher watcher{clock, script};
    bool abortRequested = false;
};

TEST_F(SpoolMonitorTest, AViewerThatNeverPrintsFailsAfterAbout101QuietSecondsWithoutAMessage) {
    EXPECT_FALSE(Watch());
    EXPECT_EQ(clock.ticks, 102000) << "101 quiet seconds counted and the wait after them";
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(watcher.released);
    EXPECT_EQ(watcher.openedName, "Office PDF");
}

TEST_F(SpoolMonitorTest, EndsSixteenQuietSecondsAfterTheLastChange) {
    script.changesAt = {2000, 5000};
    EXPECT_TRUE(Watch());
    // Change at 2 s (+1 s sleep), change at 5 s (+1 s sleep), then 16 quiet seconds counted and the
    // wait that follows the sixteenth.
    EXPECT_EQ(clock.ticks, 5000 + 1000 + 17000);
    EXPECT_EQ(clock.sleeps, (std::vector<std::int64_t>{1000, 1000}));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_GT(ui.pumpCount, 10) << "the window stays responsive during the wait";
}

TEST_F(SpoolMonitorTest, UnknownPrinterShows13061) {
    script.opens = false;
    EXPECT_FALSE(Watch());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "PDFの印刷に失敗しました。(OpenPrinter Printer=Office PDF, Error=1801)");
}

TEST_F(SpoolMonitorTest, NoChangeNotificationShows13062AndClosesThePrinter) {
    script.findFirstWorks = false;
    EXPECT_FALSE(Watch());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "PDFの印刷に失敗しました。(FindFirst Printer=Office PDF, Error=50)");
    EXPECT_TRUE(watcher.released);
}

TEST_F(SpoolMonitorTest, WaitAndAcknowledgeErrorsEndTheWatchWithSuccess) {
    script.waitFailsAt = 3;
    EXPECT_TRUE(Watch());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "PDFの印刷に失敗しました。(WAIT Printer=Office PDF, Error=6)");

    ui.boxes.clear();
    script.waitFailsAt = -1;
    script.findNextFailsAt = 0;
    EXPECT_TRUE(Watch());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "PDFの印刷に失敗しました。(FindNext Printer=Office PDF, Error=87)");
    EXPECT_TRUE(watcher.released);
}

TEST_F(SpoolMonitorTest, AbortEndsTheWaitWithSuccess) {
    abortRequested = true;
    EXPECT_TRUE(Watch());
    EXPECT_EQ(clock.ticks, 1000) << "one wait, then the abort is seen";
}

TEST_F(SpoolMonitorTest, TwoHundredStepsBoundTheWait) {
    script.changeOnEveryWait = true;
    EXPECT_TRUE(Watch());
    EXPECT_EQ(clock.sleeps.size(), 200u);
}

} // namespace
} // namespace tarvoline
