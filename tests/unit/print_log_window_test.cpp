#include <gtest/gtest.h>

#include <string>

#include "app/print_log_window.h"
#include "app/settings_store.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_placement_window.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"

namespace tarvoline {
namespace {

const std::string kKey = "HKCU\\Software\\Quendral\\Tarvoline\\V1\\MAIN\\WindowStatePrintLog";

class PrintLogWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetMessageUi(&ui); }
    void TearDown() override { SetMessageUi(nullptr); }

    testing::FakeUi ui;
    testing::FakeRegistry registry;
    testing::FakePlacementWindow mainWindow;
    testing::FakePlacementWindow logWindow;
    c_reg reg{registry, mainWindow};
    testing::FakeClock clock;
    testing::MemoryFileSystem files;
    c_print_log log{clock, files};
};

TEST_F(PrintLogWindowTest, ShowsASnapshotOfTheLogLines) {
    log.AddLine("一行目");
    log.AddLine("二行目");
    TfrmPrintLog window(reg, log, logWindow);
    EXPECT_EQ(window.Caption(), "印刷ログ");
    window.FormShow();
    EXPECT_EQ(window.memLog.Text(), log.GetText());
    EXPECT_EQ(window.memLog.Text(), "2014/05/12 9:05:03 一行目\r\n2014/05/12 9:05:03 二行目\r\n");
    log.AddLine("後から");
    EXPECT_EQ(window.memLog.Text().find("後から"), std::string::npos);
}

TEST_F(PrintLogWindowTest, PlacementIsLoadedOnShowAndSavedOnClose) {
    registry.PutDword(kKey, "Left", 20);
    registry.PutDword(kKey, "Top", 30);
    registry.PutDword(kKey, "Width", 600);
    registry.PutDword(kKey, "Height", 400);
    registry.PutDword(kKey, "Maximized", kWindowMaximized);
    TfrmPrintLog window(reg, log, logWindow);
    window.FormShow();
    EXPECT_EQ(logWindow.normal.left, 20);
    EXPECT_EQ(logWindow.normal.right, 620);
    EXPECT_EQ(logWindow.state, kWindowMaximized);

    // Closed while maximized: the state and the restored size are kept for the next opening.
    logWindow.normal = {40, 50, 740, 550};
    window.btnClose.OnClick();
    EXPECT_EQ(window.ModalResult(), mrCancel);
    window.FormClose();
    ASSERT_NE(registry.Find(kKey, "Width"), nullptr);
    EXPECT_EQ(registry.Find(kKey, "Width")->number, 700u);
    EXPECT_EQ(registry.Find(kKey, "Left")->number, 40u);

    testing::FakePlacementWindow reopened;
    TfrmPrintLog again(reg, log, reopened);
    again.FormShow();
    EXPECT_EQ(reopened.state, kWindowMaximized);
    EXPECT_EQ(reopened.normal.left, 40);
    EXPECT_EQ(reopened.normal.bottom, 550);
}

} // namespace
} // namespace tarvoline
