#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_desktop.h"
#include "fakes/memory_file_system.h"
#include "print/pushbutton.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

class KeyInTest : public ::testing::Test {
protected:
    void SetUp() override { SetPrintLog(&log); }
    void TearDown() override { SetPrintLog(nullptr); }

    // A prompt with an edit box of the given class and a button with the given caption.
    void AddPrompt(WindowId id, const std::string& title, const std::string& editClass, const std::string& button,
                   std::int64_t appearsAt, bool ownProcess = false) {
        desktop.windows[id] = {title, "#32770", ownProcess, appearsAt, {id + 1, id + 2, id + 3}, true};
        desktop.windows[id + 1] = {"", "Static", ownProcess, appearsAt, {}, false};
        desktop.windows[id + 2] = {"", editClass, ownProcess, appearsAt, {}, false};
        desktop.windows[id + 3] = {button, "Button", ownProcess, appearsAt, {}, false};
    }
    c_pushbutton_thread Worker(const std::string& editClass, const std::set<WindowId>& before = {}) {
        return c_pushbutton_thread(desktop, clock, "パスワード", "OK", editClass, "秘密123", before);
    }

    FakeClock clock;
    MemoryFileSystem files;
    c_print_log log{clock, files};
    FakeDesktop desktop{clock};
};

TEST_F(KeyInTest, PromptAppearingAfterThreeSecondsGetsThePasswordAndIsConfirmed) {
    desktop.windows[1] = {"無題 - メモ帳", "Notepad", false, 0, {}, true};
    AddPrompt(10, "パスワード", "RichEdit20W", "OK", 3000);
    auto worker = Worker("RichEdit");
    worker.Run();
    EXPECT_EQ(desktop.journal, (std::vector<std::string>{"settext 12 秘密123 @4000", "click 13 @4500"}));
    EXPECT_EQ(worker.ActionCount(), 1);
    EXPECT_FALSE(worker.Running());
    EXPECT_FALSE(log.HasLines());
}

TEST_F(KeyInTest, WindowsThatExistedBeforeTheStartAreLeftAlone) {
    // A browser's login page was open before printing began.
    AddPrompt(20, "ログイン パスワード - ブラウザ", "Edit", "OK", 0);
    AddPrompt(30, "パスワード", "EDTBX", "OK", 2000);
    auto worker = c_pushbutton_thread(desktop, clock, "パスワード", "OK", "Edit", "pw", {20});
    desktop.windows[32].className = "Edit";
    worker.Run();
    EXPECT_EQ(desktop.journal, (std::vector<std::string>{"settext 32 pw @3000", "click 33 @3500"}));
}

TEST_F(KeyInTest, OwnWindowsAreNeverTouched) {
    AddPrompt(40, "パスワード", "Edit", "OK", 0, /*ownProcess=*/true);
    auto worker = Worker("Edit");
    worker.RequestEnd();
    worker.Run();
    EXPECT_TRUE(desktop.journal.empty());
}

TEST_F(KeyInTest, WithoutAnOkButtonTheEditGetsTheEnterKey) {
    AddPrompt(50, "文書の保護 パスワード", "Edit", "開く", 0);
    auto worker = Worker("EDIT");
    worker.Run();
    EXPECT_EQ(desktop.journal, (std::vector<std::string>{"settext 52 秘密123 @2000", "enter 52 @2500"}));
}

TEST_F(KeyInTest, EveryMatchingWindowOfOneScanIsActedOn) {
    AddPrompt(60, "パスワード 1", "Edit", "ok", 0);
    AddPrompt(70, "パスワード 2", "Edit", "OK", 0);
    auto worker = Worker("edit");
    worker.Run();
    EXPECT_EQ(desktop.journal,
              (std::vector<std::string>{"settext 62 秘密123 @2000", "click 63 @2500", "settext 72 秘密123 @3500",
                                        "click 73 @4000"}));
    EXPECT_EQ(worker.ActionCount(), 2);
}

TEST_F(KeyInTest, APromptWithoutTheEditBoxIsLoggedOnEveryScanUntilTheDeadline) {
    AddPrompt(80, "パスワード", "Static", "OK", 0);
    auto worker = Worker("RichEdit");
    worker.Run();
    EXPECT_TRUE(desktop.journal.empty());
    const std::string text = log.GetText();
    const std::string line = "2014/05/12 9:05:03 パスワード入力エラー：KeyIn Window not found\r\n";
    std::size_t count = 0;
    for (std::size_t pos = 0; (pos = text.find(line, pos)) != std::string::npos; pos += line.size()) ++count;
    // Each scan takes two seconds (the action's delay and the pause), for ten minutes.
    EXPECT_EQ(count, 300u);
    EXPECT_EQ(text.size(), count * line.size());
    EXPECT_GE(clock.ticks, 601000);
    EXPECT_FALSE(worker.Running());
}

// A clock that many threads may share; sleeping only moves it on.
class SharedClock : public Clock {
public:
    LocalTime Now() const override { return {2014, 5, 12, 9, 5, 3, 0}; }
    std::int64_t TickMilliseconds() const override { return ticks; }
    void Sleep(std::int64_t milliseconds) override {
        ticks += milliseconds;
        std::this_thread::yield();
    }
    std::atomic<std::int64_t> ticks{0};
};

TEST(PushButtonTest, StopRightAfterStartEndsTheWorker) {
    SharedClock clock;
    MemoryFileSystem files;
    c_print_log log(clock, files);
    SetPrintLog(&log);
    FakeDesktop desktop(clock);
    c_pushbutton keyIn(desktop, clock);
    keyIn.Start("パスワード", "OK", "Edit", "pw");
    keyIn.Stop();
    keyIn.Stop(); // a second stop does nothing
    EXPECT_TRUE(desktop.journal.empty());
    SetPrintLog(nullptr);
}

TEST(PushButtonTest, NeverStartedStopsQuietly) {
    FakeClock clock;
    FakeDesktop desktop(clock);
    c_pushbutton keyIn(desktop, clock);
    keyIn.Stop();
    EXPECT_TRUE(clock.sleeps.empty());
}

} // namespace
} // namespace tarvoline
