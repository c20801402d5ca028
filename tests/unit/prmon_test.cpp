#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "fakes/message_services_fixture.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"
#include "fakes/scripted_printer_watch.h"
#include "print/prmon.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

class SpoolMonitorTest : public testing::MessageServicesTest {
protected:
    bool Watch() { return c_prmon(watcher, clock, abortRequested, "Office PDF").Watch(); }

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
