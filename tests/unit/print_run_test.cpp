#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_classifier.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_list_host.h"
#include "fakes/fake_shell.h"
#include "fakes/memory_file_system.h"
#include "list/filelist.h"
#include "platform/automation.h"
#include "print/print_run.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;
using Lines = std::vector<std::string>;

// One journal for everything the run does that a user could see or a test could count: status texts,
// message pumps, pauses, row icons, scrolling, boxes and the handlers' and folder window's calls.
struct Events {
    Lines lines;
    void Add(std::string line) { lines.push_back(std::move(line)); }
    int Count(const std::string& line) const {
        int n = 0;
        for (const auto& l : lines)
            n += l == line;
        return n;
    }
};

class EventUi : public Ui {
public:
    explicit EventUi(Events& events) : events_(events) {}
    MessageResult ShowMessageBox(const std::string& text, MessageButtons) override {
        events_.Add("box " + text);
        return MessageResult::Ok;
    }
    void SetStatusBarText(const std::string& text) override { events_.Add("status " + text); }
    void ProcessPendingMessages() override {
        events_.Add("pump");
        ++pumps;
        if (onPump)
            onPump(pumps);
    }
    MessageResult PromptPassword(const std::string& prompt, std::string&) override {
        events_.Add("prompt " + prompt);
        return MessageResult::Cancel;
    }
    void BeginWaitCursor() override { events_.Add("wait cursor"); }
    void EndWaitCursor() override { events_.Add("cursor back"); }
    std::function<void(int)> onPump; // the window events handled in this pump (the n-th)
    int pumps = 0;

private:
    Events& events_;
};

class EventClock : public FakeClock {
public:
    explicit EventClock(Events& events) : events_(events) {}
    void Sleep(std::int64_t milliseconds) override {
        FakeClock::Sleep(milliseconds);
        events_.Add("sleep " + std::to_string(milliseconds));
    }

private:
    Events& events_;
};

class EventView : public ListView {
public:
    EventView(Events& events, const c_flcommon& list) : events_(events), list_(list) {}
    void RowsChanged() override {}
    void RowChanged(int row) override {
        events_.Add("icon " + std::to_string(row) + "=" + std::to_string(list_.IconOf(row)));
    }
    void EnsureVisible(int row) override { events_.Add("show " + std::to_string(row)); }
    int RowAt(int, int) override { return -1; }
    int TopVisibleRow() override { return 0; }
    int RowTop(int) override { return 0; }
    int RowBottom(int) override { return 0; }
    int ClientHeight() override { return 100; }
    int FontHeight() override { return -13; }
    void ScrollBy(int) override {}

private:
    Events& events_;
    const c_flcommon& list_;
};

class EventHost : public FakeListHost {
public:
    EventHost() { listFile = "D:\\lists\\weekly.lst"; }
};

class EventHandler : public PrintHandler {
public:
    EventHandler(Events& events, std::string name) : events_(events), name_(std::move(name)) {}
    bool Print(const PrintRequest& request) override {
        events_.Add("print " + name_ + " " + request.path);
        requests.push_back(request);
        if (onPrint)
            return onPrint(request);
        return true;
    }
    std::function<bool(const PrintRequest&)> onPrint;
    std::vector<PrintRequest> requests;

private:
    Events& events_;
    std::string name_;
};

class EventFolders : public FolderEntryPrinter {
public:
    explicit EventFolders(Events& events) : events_(events) {}
    int PrintFolderEntry(const std::string& folderPath) override {
        events_.Add("folder " + folderPath);
        return onFolder ? onFolder(folderPath) : kPrintDone;
    }
    std::function<int(const std::string&)> onFolder;

private:
    Events& events_;
};

class PrintRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageUi(&ui);
        SetPrintLog(&log);
        list.SetView(&view);
        list.SetHost(&host);
        list.SetPrintRun(&services);
    }
    void TearDown() override {
        SetMessageUi(nullptr);
        SetPrintLog(nullptr);
        abortRequested = false;
    }
    void Add(const std::string& path, bool checked = true) { list.AddFiles({path}, checked, c_filelist::kAppend); }
    PrintRunResult Run() {
        events.lines.clear();
        return list.PrintAll();
    }
    // The log's lines without their time stamps.
    Lines LogLines() const {
        Lines lines;
        const std::string text = log.GetText();
        const std::string stamp = "2014/05/12 9:05:03 ";
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t end = text.find("\r\n", pos);
            std::string line = text.substr(pos, end - pos);
            if (line.rfind(stamp, 0) == 0)
                line.erase(0, stamp.size());
            lines.push_back(line);
            pos = end + 2;
        }
        return lines;
    }
    std::vector<std::string> Printed() const {
        Lines printed;
        for (const auto& line : events.lines) {
            if (line.rfind("print ", 0) == 0 || line.rfind("folder ", 0) == 0)
                printed.push_back(line);
        }
        return printed;
    }
    // What one printed entry shows, from the status line to the restored icon.
    static Lines EntryEvents(int row, const std::string& printLine, const std::string& status, int icon) {
        const std::string r = std::to_string(row);
        return {"status ファイル印刷中： " + status,
                "pump",
                "icon " + r + "=4",
                "show " + r,
                printLine,
                "pump",
                "sleep 1000",
                "pump",
                "sleep 1000",
                "pump",
                "sleep 1000",
                "icon " + r + "=" + std::to_string(icon)};
    }

    Events events;
    EventUi ui{events};
    EventClock clock{events};
    MemoryFileSystem files;
    c_print_log log{clock, files};
    FakeClassifier classifier;
    FakeShell shell;
    bool showPasswords = false;
    c_filelist list{classifier, shell, showPasswords};
    EventView view{events, list};
    EventHost host;
    EventHandler word{events, "word"}, excel{events, "excel"}, powerPoint{events, "ppt"}, pdf{events, "pdf"},
        visio{events, "visio"}, other{events, "other"};
    PrintHandlers handlers{&word, &excel, &powerPoint, &pdf, &visio, &other};
    EntryPrinter entries{classifier, handlers};
    EventFolders folders{events};
    PrintRunServices services{entries, folders, clock};
};

TEST_F(PrintRunTest, CopiesAreWholeListPassesWithAPauseAfterEveryEntryAndUncheckedRowsSkipped) {
    Add("C:\\A.doc");
    Add("C:\\B.xls", false);
    Add("C:\\C.vsdx");
    host.copies = "2";
    LogText("before the run");

    EXPECT_EQ(Run(), PrintRunResult::Ok);

    Lines expected;
    for (int copy = 0; copy < 2; ++copy) {
        for (const Lines& entry : {EntryEvents(0, "print word C:\\A.doc", "C:\\A.doc", IconWord),
                                   EntryEvents(2, "print visio C:\\C.vsdx", "C:\\C.vsdx", IconVisio)})
            expected.insert(expected.end(), entry.begin(), entry.end());
    }
    expected.insert(expected.end(), {"status ", "pump"});
    EXPECT_EQ(events.lines, expected);
    EXPECT_EQ(clock.ticks, 12000);

    EXPECT_EQ(LogLines(), (Lines{"ファイルリスト印刷開始：D:\\lists\\weekly.lst", "ファイル印刷開始　　：C:\\A.doc",
                                 "ファイル印刷正常終了：C:\\A.doc", "ファイル印刷開始　　：C:\\C.vsdx",
                                 "ファイル印刷正常終了：C:\\C.vsdx", "ファイル印刷開始　　：C:\\A.doc",
                                 "ファイル印刷正常終了：C:\\A.doc", "ファイル印刷開始　　：C:\\C.vsdx",
                                 "ファイル印刷正常終了：C:\\C.vsdx", "ファイルリスト印刷終了：D:\\lists\\weekly.lst"}));
    EXPECT_FALSE(abortRequested);
}

TEST_F(PrintRunTest, NothingCheckedIsAnEmptyRunThatSucceeds) {
    Add("C:\\A.doc", false);
    host.listFile = "";
    EXPECT_EQ(Run(), PrintRunResult::Ok);
    EXPECT_EQ(events.lines, (Lines{"status ", "pump"}));
    EXPECT_EQ(LogLines(), (Lines{"ファイルリスト印刷開始：", "ファイルリスト印刷終了："}));
}

struct CopiesCase {
    const char* text;
    int passes;
};

class PrintRunCopiesTest : public PrintRunTest, public ::testing::WithParamInterface<CopiesCase> {};

TEST_P(PrintRunCopiesTest, CopiesFieldIsReadAsAnIntegerWithOneForAnythingElse) {
    Add("C:\\A.doc");
    host.copies = GetParam().text;
    EXPECT_EQ(Run(), PrintRunResult::Ok);
    EXPECT_EQ(static_cast<int>(word.requests.size()), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(Texts, PrintRunCopiesTest,
                         ::testing::Values(CopiesCase{"3", 3}, CopiesCase{"", 1}, CopiesCase{"abc", 1},
                                           CopiesCase{"2x", 1}, CopiesCase{" 2", 2}, CopiesCase{"99999999999", 1},
                                           CopiesCase{"0", 0}));

TEST_F(PrintRunTest, ShortcutsAndUnsupportedFilesPrintNothingButCountAsPrintedAndPause) {
    // The kinds they have at print time.
    Add("C:\\link.doc");
    Add("C:\\notes.doc");
    classifier.kinds["C:\\link.doc"] = FileKind::Shortcut;
    classifier.kinds["C:\\notes.doc"] = FileKind::Unsupported;
    EXPECT_EQ(Run(), PrintRunResult::Ok);
    EXPECT_EQ(Printed(), Lines{});
    EXPECT_EQ(clock.sleeps.size(), 6u);
    EXPECT_EQ(LogLines(),
              (Lines{"ファイルリスト印刷開始：D:\\lists\\weekly.lst", "ファイル印刷開始　　：C:\\link.doc",
                     "ファイル印刷正常終了：C:\\link.doc", "ファイル印刷開始　　：C:\\notes.doc",
                     "ファイル印刷正常終了：C:\\notes.doc", "ファイルリスト印刷終了：D:\\lists\\weekly.lst"}));
}

TEST_F(PrintRunTest, AFileGoneSinceItWasAddedFailsAndTheNextStillPrints) {
    Add("C:\\gone.doc");
    Add("C:\\B.ppt");
    classifier.kinds["C:\\gone.doc"] = FileKind::Missing;
    EXPECT_EQ(Run(), PrintRunResult::SomeFailed);
    EXPECT_EQ(Printed(), Lines{"print ppt C:\\B.ppt"});
    EXPECT_EQ(events.Count("box ファイルが見つからないか又はファイルに異常があります。（File=C:\\gone.doc）    "), 1);
    EXPECT_EQ(clock.sleeps.size(), 6u);
    EXPECT_EQ(LogLines(),
              (Lines{"ファイルリスト印刷開始：D:\\lists\\weekly.lst", "ファイル印刷開始　　：C:\\gone.doc",
                     "ファイルが見つからないか又はファイルに異常があります。（File=C:\\gone.doc）    ",
                     "ファイル印刷エラー　：C:\\gone.doc", "ファイル印刷開始　　：C:\\B.ppt",
                     "ファイル印刷正常終了：C:\\B.ppt", "ファイルリスト印刷異常終了：D:\\lists\\weekly.lst"}));
}

struct EscapeCase {
    std::function<bool(const PrintRequest&)> failing;
    const char* box; // "" when the handler reported its own failure
};

class PrintRunFailureTest : public PrintRunTest, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(PrintRunFailureTest, AFailedFileIsLoggedAndTheRunGoesOn) {
    Add("C:\\A.xlsx");
    Add("C:\\B.pdf");
    excel.onPrint = GetParam().failing;
    EXPECT_EQ(Run(), PrintRunResult::SomeFailed);
    EXPECT_EQ(Printed(), (Lines{"print excel C:\\A.xlsx", "print pdf C:\\B.pdf"}));
    Lines boxes;
    for (const auto& line : events.lines) {
        if (line.rfind("box ", 0) == 0)
            boxes.push_back(line.substr(4));
    }
    EXPECT_EQ(boxes, *GetParam().box ? Lines{GetParam().box} : Lines{});
    const Lines lines = LogLines();
    EXPECT_EQ(lines.back(), "ファイルリスト印刷異常終了：D:\\lists\\weekly.lst");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ファイル印刷エラー　：C:\\A.xlsx"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ファイル印刷正常終了：C:\\B.pdf"), lines.end());
    EXPECT_EQ(clock.sleeps.size(), 6u);
}

INSTANTIATE_TEST_SUITE_P(Failures, PrintRunFailureTest,
                         ::testing::Values(EscapeCase{[](const PrintRequest&) { return false; }, ""},
                                           EscapeCase{[](const PrintRequest&) -> bool {
                                                          throw AutomationError("RPC server unavailable", -1);
                                                      },
                                                      "ＯＬＥエラー：アプリケーションの起動又は印刷ができませんでした。"
                                                      "(FILE=C:\\A.xlsx, MSG=RPC server unavailable)"},
                                           EscapeCase{[](const PrintRequest&) -> bool {
                                                          throw std::runtime_error("out of memory");
                                                      },
                                                      "ＯＬＥエラー：アプリケーションの起動又は印刷ができませんでした。"
                                                      "(FILE=C:\\A.xlsx, MSG=out of memory)"}));

struct AbortCase {
    int pump;   // the message pump (from 1) in which the abort button is clicked; 0: during printing
    int sleeps; // pause steps slept before the pause ends
};

class PrintRunAbortTest : public PrintRunTest, public ::testing::WithParamInterface<AbortCase> {};

TEST_P(PrintRunAbortTest, AbortEndsThePauseAtTheNextStepAndStopsEveryPass) {
    Add("C:\\A.doc");
    Add("C:\\B.doc");
    host.copies = "2";
    ui.onPump = [&](int pump) {
        if (pump == GetParam().pump)
            abortRequested = true;
    };
    if (GetParam().pump == 0) {
        word.onPrint = [](const PrintRequest&) {
            abortRequested = true;
            return true;
        };
    }
    EXPECT_EQ(Run(), PrintRunResult::Aborted);
    EXPECT_EQ(Printed(), Lines{"print word C:\\A.doc"});
    EXPECT_EQ(static_cast<int>(clock.sleeps.size()), GetParam().sleeps);
    EXPECT_EQ(list.IconOf(0), IconWord);
    EXPECT_EQ(events.lines[events.lines.size() - 3], "icon 0=0");
    EXPECT_EQ(LogLines().back(), "ファイルリスト印刷中止：D:\\lists\\weekly.lst");
}

// Pump 1 is the status line's, before the entry prints; pumps 2 to 4 are the pause steps.
INSTANTIATE_TEST_SUITE_P(Moments, PrintRunAbortTest,
                         ::testing::Values(AbortCase{0, 0}, AbortCase{1, 0}, AbortCase{2, 1}, AbortCase{3, 2},
                                           AbortCase{4, 3}));

TEST_F(PrintRunTest, AbortAfterAFailureEndsAsAbortedAndAFailureAfterASuccessStaysFailed) {
    Add("C:\\A.doc");
    Add("C:\\B.doc");
    Add("C:\\C.doc");
    word.onPrint = [](const PrintRequest& request) { return request.path != "C:\\A.doc"; };
    EXPECT_EQ(Run(), PrintRunResult::SomeFailed);

    word.onPrint = [](const PrintRequest& request) {
        if (request.path == "C:\\B.doc")
            abortRequested = true;
        return request.path != "C:\\A.doc";
    };
    EXPECT_EQ(Run(), PrintRunResult::Aborted);
    EXPECT_EQ(Printed(), (Lines{"print word C:\\A.doc", "print word C:\\B.doc"}));
}

TEST_F(PrintRunTest, AStoppedFolderEndsThePassButTheNextPassStillRuns) {
    Add("D:\\docs\\");
    Add("C:\\X.doc");
    host.copies = "2";
    int folderCalls = 0;
    folders.onFolder = [&](const std::string& folderPath) {
        if (++folderCalls == 1)
            return kPrintStopped;
        // The folder window prints its files through PrintEntry.
        return entries.PrintEntry(folderPath + "in.doc", "", "", ExcelRangeMode::None, std::nullopt, false);
    };
    EXPECT_EQ(Run(), PrintRunResult::Aborted);
    EXPECT_EQ(Printed(),
              (Lines{"folder D:\\docs\\", "folder D:\\docs\\", "print word D:\\docs\\in.doc", "print word C:\\X.doc"}));
    // No pause after the stopped folder, and its row shows the folder icon again.
    EXPECT_EQ(
        Lines(events.lines.begin(), events.lines.begin() + 6),
        (Lines{"status ファイル印刷中： D:\\docs\\", "pump", "icon 0=4", "show 0", "folder D:\\docs\\", "icon 0=5"}));
    EXPECT_EQ(clock.sleeps.size(), 6u);
    EXPECT_EQ(LogLines(),
              (Lines{"ファイルリスト印刷開始：D:\\lists\\weekly.lst", "ファイル印刷開始　　：D:\\docs\\in.doc",
                     "ファイル印刷正常終了：D:\\docs\\in.doc", "ファイル印刷開始　　：C:\\X.doc",
                     "ファイル印刷正常終了：C:\\X.doc", "ファイルリスト印刷中止：D:\\lists\\weekly.lst"}));
}

TEST_F(PrintRunTest, AFailedFolderCountsAsAFailure) {
    Add("D:\\docs\\");
    folders.onFolder = [](const std::string&) { return kPrintFailed; };
    EXPECT_EQ(Run(), PrintRunResult::SomeFailed);
    EXPECT_EQ(clock.sleeps.size(), 3u);
}

TEST_F(PrintRunTest, RowsRemovedWhileTheRunPumpsAreNotTouched) {
    Add("C:\\A.doc");
    Add("C:\\B.doc");
    ui.onPump = [&](int pump) {
        if (pump == 3) {
            list.SelectAll();
            list.RemoveSelected();
        }
    };
    EXPECT_EQ(Run(), PrintRunResult::Ok);
    EXPECT_EQ(Printed(), Lines{"print word C:\\A.doc"});
    EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(PrintRunTest, ListItemHandsTheEntrysSettingsOn) {
    Add("C:\\book.xlsx");
    list.SetEntrySettings(0, "2-", true, {"Sales", "Costs"}, ExcelRangeMode::SelectedSheets, "pw");
    EXPECT_EQ(list.PrintListItem(0), kPrintDone);
    PrintRequest expected;
    expected.path = "C:\\book.xlsx";
    expected.from = 2;
    expected.password = "pw";
    expected.excelRange = ExcelRangeMode::SelectedSheets;
    expected.sheets = std::vector<std::string>{"Sales", "Costs"};
    expected.separateJobs = true;
    ASSERT_EQ(excel.requests.size(), 1u);
    EXPECT_EQ(excel.requests[0], expected);

    // An entry's sheet list is always there, even empty.
    list.SetEntrySettings(0, "", false, {}, ExcelRangeMode::WholeBook, "");
    list.PrintListItem(0);
    EXPECT_EQ(excel.requests[1].sheets, std::vector<std::string>{});
}

struct DispatchCase {
    FileKind kind;
    const char* handler; // "" = none
    PrintRequest request;
};

class PrintEntryDispatchTest : public PrintRunTest, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(PrintEntryDispatchTest, EachKindGetsWhatItsHandlerUses) {
    const auto& c = GetParam();
    classifier.kinds["C:\\f"] = c.kind;
    EXPECT_EQ(
        entries.PrintEntry("C:\\f", "2-5", "pw", ExcelRangeMode::NameContains, std::vector<std::string>{"x"}, true),
        kPrintDone);
    const Lines expectedPrinted = *c.handler ? Lines{std::string("print ") + c.handler + " C:\\f"} : Lines{};
    EXPECT_EQ(Printed(), expectedPrinted);
    for (EventHandler* handler : {&word, &excel, &powerPoint, &pdf, &visio, &other}) {
        if (!handler->requests.empty()) {
            EXPECT_EQ(handler->requests[0], c.request);
        }
    }
    EXPECT_EQ(LogLines(), (Lines{"ファイル印刷開始　　：C:\\f", "ファイル印刷正常終了：C:\\f"}));
}

PrintRequest Request(std::string pageRange, int from, int to, std::string password, ExcelRangeMode mode = {},
                     std::optional<std::vector<std::string>> sheets = std::nullopt, bool separate = false) {
    return {"C:\\f", std::move(pageRange), from, to, std::move(password), mode, std::move(sheets), separate};
}

INSTANTIATE_TEST_SUITE_P(Kinds, PrintEntryDispatchTest,
                         ::testing::Values(DispatchCase{FileKind::Word, "word", Request("2-5", -1, -1, "pw")},
                                           DispatchCase{FileKind::Excel, "excel",
                                                        Request("", 2, 5, "pw", ExcelRangeMode::NameContains,
                                                                std::vector<std::string>{"x"}, true)},
                                           DispatchCase{FileKind::PowerPoint, "ppt", Request("2-5", -1, -1, "pw")},
                                           DispatchCase{FileKind::Pdf, "pdf", Request("", -1, -1, "pw")},
                                           DispatchCase{FileKind::Visio, "visio", Request("", 2, 5, "")},
                                           DispatchCase{FileKind::Other, "other", Request("", -1, -1, "")},
                                           DispatchCase{FileKind::Unsupported, "", {}},
                                           DispatchCase{FileKind::Shortcut, "", {}},
                                           DispatchCase{FileKind::Folder, "", {}}));

TEST_F(PrintRunTest, AKindWhoseHandlerIsMissingIsNotCountedAsPrinted) {
    handlers.pdf = nullptr;
    EntryPrinter withoutPdf(classifier, handlers);
    EXPECT_EQ(withoutPdf.PrintEntry("C:\\a.pdf", "", "", ExcelRangeMode::None, std::nullopt, false), kPrintFailed);
    ASSERT_EQ(events.lines.size(), 1u);
    EXPECT_EQ(events.lines[0].rfind("box ", 0), 0u);
    EXPECT_NE(events.lines[0].find("PrintEntry"), std::string::npos);
    EXPECT_EQ(LogLines().back(), "ファイル印刷エラー　：C:\\a.pdf");
}

TEST_F(PrintRunTest, ARunStartsWithoutTheAbortOfTheRunBefore) {
    Add("C:\\A.doc");
    abortRequested = true;
    EXPECT_EQ(Run(), PrintRunResult::Ok);
    EXPECT_EQ(Printed(), Lines{"print word C:\\A.doc"});
}

} // namespace
} // namespace tarvoline
