#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "dialogs/fold_files_window.h"
#include "dialogs/folder_files.h"
#include "fakes/fake_classifier.h"
#include "fakes/fake_placement_window.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/message_services_fixture.h"
#include "list/filelist.h"
#include "list/folder_collection.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;
using Strings = std::vector<std::string>;
using Rows = std::vector<RowListControl::Row>;

// The collection without its progress window: the real walk over the memory tree, or a cancel.
class MemoryCollector : public FolderFileCollector {
public:
    MemoryCollector(MemoryFileSystem& files, FakeClassifier& classifier) : files_(files), classifier_(classifier) {}
    int CollectFiles(const Strings& folders, Strings& out, bool recursive) override {
        recursiveSeen.push_back(recursive);
        if (cancel)
            return mrCancel;
        for (const std::string& folder : folders)
            CollectFolder(files_, classifier_, folder, recursive, out, {});
        return mrOk;
    }
    bool cancel = false;
    std::vector<bool> recursiveSeen;

private:
    MemoryFileSystem& files_;
    FakeClassifier& classifier_;
};

// Plays the binder: FormShow, the timer while it runs and the window is open, then what the user does
// in the open window, then FormClose. Keeps what the window showed when it closed.
class ScriptedDisplay : public FoldFilesDisplay {
public:
    struct Shown {
        std::string caption, path, count, button;
        Rows rows;
        bool timerRunning = false, printing = false, buttonEnabled = false;
        int closedWith = mrNone;
    };
    PlacementWindow& Placement() override { return placement; }
    bool ShowModal(TfrmFoldFiles& form) override {
        if (!canShow)
            return false;
        open = &form;
        form.FormShow();
        while (form.ModalResult() == mrNone && form.tmrTimer.Enabled() && form.tmrTimer.OnTimer)
            form.tmrTimer.OnTimer();
        if (form.ModalResult() == mrNone && userInOpenWindow)
            userInOpenWindow(form);
        if (form.ModalResult() == mrNone)
            form.CloseBoxClick();
        form.FormClose();
        shown = {form.Caption(),       form.edtPath.Text(),     form.lblFileNum.Text(),
                 form.btnClose.Text(), form.lstFiles.Rows(),    form.tmrTimer.Enabled(),
                 form.Printing(),      form.btnClose.Enabled(), form.ModalResult()};
        open = nullptr;
        return true;
    }
    FakePlacementWindow placement;
    std::function<void(TfrmFoldFiles&)> userInOpenWindow;
    TfrmFoldFiles* open = nullptr; // while shown
    Shown shown;
    bool canShow = true;
};

// Records what reaches it and, for a folder's file, what the window showed at that moment.
class WatchingHandler : public PrintHandler {
public:
    explicit WatchingHandler(ScriptedDisplay& display) : display_(display) {}
    bool Print(const PrintRequest& request) override {
        requests.push_back(request);
        TfrmFoldFiles* form = display_.open;
        if (!form)
            return true;
        const int row = form->lstFiles.RowToShow();
        seen.push_back(form->lstFiles.RowAt(row).caption + " icon=" + std::to_string(form->lstFiles.RowAt(row).icon) +
                       " printing=" + std::to_string(form->Printing()) + " button=" + form->btnClose.Text());
        return onPrint ? onPrint(*form) : true;
    }
    std::vector<PrintRequest> requests;
    Strings seen;
    std::function<bool(TfrmFoldFiles&)> onPrint;

private:
    ScriptedDisplay& display_;
};

class FoldFilesWindowTest : public MessageServicesTest {
protected:
    void SetUp() override {
        MessageServicesTest::SetUp();
        abortRequested = false;
        files.folders = {"D:\\Docs", "D:\\Docs\\Sub", "D:\\Empty"};
        for (const char* file : {"D:\\Docs\\a.doc", "D:\\Docs\\Sub\\b.xls", "D:\\Docs\\notes.bin"})
            files.files[file] = "";
    }
    void TearDown() override {
        abortRequested = false;
        MessageServicesTest::TearDown();
    }
    int Show(const std::string& folder, FolderWindowMode mode) { return window.ShowFolderFiles(folder, mode); }
    Strings PrintedPaths() const {
        Strings paths;
        for (const PrintRequest& request : handler.requests)
            paths.push_back(request.path);
        return paths;
    }

    FakeRegistry registry;
    FakePlacementWindow mainWindow;
    c_reg reg{registry, mainWindow};
    FakeClassifier classifier;
    MemoryCollector collector{files, classifier};
    ScriptedDisplay display;
    WatchingHandler handler{display};
    PrintHandlers handlers{&handler, &handler, &handler, &handler, &handler, &handler};
    EntryPrinter printer{classifier, handlers};
    FoldFilesServices services{reg, collector, classifier, printer, clock};
    FoldFilesWindow window{services, display};
};

TEST_F(FoldFilesWindowTest, BrowsingListsTheDocumentsRelativeToTheFolderWithTheirIcons) {
    std::string fullPath;
    display.userInOpenWindow = [&](TfrmFoldFiles& form) { fullPath = form.RowFullPath(1); };
    EXPECT_EQ(Show("D:\\Docs\\", FolderWindowMode::BrowseFolder), 0);
    const ScriptedDisplay::Shown& shown = display.shown;
    EXPECT_EQ(shown.caption, "フォルダ内ファイル一覧");
    EXPECT_EQ(shown.path, "D:\\Docs\\");
    EXPECT_EQ(shown.rows, (Rows{{"a.doc", IconWord}, {"Sub\\b.xls", IconExcel}}));
    EXPECT_EQ(shown.count, "2ファイル");
    EXPECT_EQ(fullPath, "D:\\Docs\\Sub\\b.xls");
    EXPECT_EQ(shown.button, "閉じる");
    EXPECT_FALSE(shown.timerRunning);
    EXPECT_EQ(collector.recursiveSeen, std::vector<bool>{true});
    EXPECT_EQ(ui.waitCursorShown, 1);
    EXPECT_EQ(ui.waitCursorDepth, 0);
    EXPECT_TRUE(handler.requests.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FoldFilesWindowTest, RowsAreGroupedByFolderThenSortedByNameIgnoringCase) {
    // The walk gives B.pdf before a.doc (upper case first) and the subfolder's files last.
    files.files["D:\\Docs\\B.pdf"] = "";
    files.folders.insert("D:\\Docs\\Sub\\Inner");
    files.files["D:\\Docs\\Sub\\Inner\\c.pptx"] = "";
    files.files["D:\\Docs\\Sub\\A.doc"] = "";
    Show("D:\\Docs\\", FolderWindowMode::BrowseFolder);
    Strings captions;
    for (const auto& row : display.shown.rows)
        captions.push_back(row.caption);
    EXPECT_EQ(captions, (Strings{"a.doc", "B.pdf", "Sub\\A.doc", "Sub\\b.xls", "Sub\\Inner\\c.pptx"}));
    TfrmFoldFiles form(services, display.placement, "D:\\Docs\\", FolderWindowMode::BrowseFolder);
    form.FormShow();
    EXPECT_LT(form.lstFilesCompare({"a.doc", 0}, {"B.pdf", 3}), 0);
    EXPECT_LT(form.lstFilesCompare({"z.doc", 0}, {"Sub\\a.doc", 3}), 0);
    EXPECT_EQ(form.lstFilesCompare({"a.doc", 0}, {"A.DOC", 0}), 0);
}

TEST_F(FoldFilesWindowTest, TheSubfolderSettingAtTheMomentOfListingDecides) {
    reg.FolderSubfolderDefault = false;
    Show("D:\\Docs\\", FolderWindowMode::BrowseFolder);
    EXPECT_EQ(display.shown.rows, (Rows{{"a.doc", IconWord}}));
    EXPECT_EQ(display.shown.count, "1ファイル");

    reg.FolderSubfolderDefault = true;
    EXPECT_EQ(Show("D:\\Docs\\", FolderWindowMode::PrintFolder), kPrintDone);
    EXPECT_EQ(PrintedPaths(), (Strings{"D:\\Docs\\a.doc", "D:\\Docs\\Sub\\b.xls"}));
    EXPECT_EQ(collector.recursiveSeen, (std::vector<bool>{false, true}));
}

TEST_F(FoldFilesWindowTest, ACancelledListingClosesTheWindowAndStopsTheFolder) {
    struct Case {
        FolderWindowMode mode;
        int result;
    };
    for (const Case& c :
         {Case{FolderWindowMode::BrowseFolder, 0}, Case{FolderWindowMode::PrintFolder, kPrintStopped}}) {
        collector.cancel = true;
        EXPECT_EQ(Show("D:\\Docs\\", c.mode), c.result);
        EXPECT_EQ(display.shown.closedWith, mrCancel);
        EXPECT_TRUE(display.shown.rows.empty());
        EXPECT_EQ(display.shown.button, "閉じる");
        EXPECT_TRUE(handler.requests.empty());
        EXPECT_FALSE(abortRequested);
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
}

TEST_F(FoldFilesWindowTest, PrintingMarksEachRowPausesAndReportsFailures) {
    struct Case {
        bool excelFails;
        int result;
    };
    for (const Case& c : {Case{false, kPrintDone}, Case{true, kPrintFailed}}) {
        handler.requests.clear();
        handler.seen.clear();
        clock.sleeps.clear();
        ui.pumpCount = 0;
        handler.onPrint = [&](TfrmFoldFiles& form) {
            return !(c.excelFails && form.RowFullPath(1) == handler.requests.back().path);
        };
        EXPECT_EQ(Show("D:\\Docs\\", FolderWindowMode::PrintFolder), c.result);
        EXPECT_EQ(handler.seen,
                  (Strings{"a.doc icon=4 printing=1 button=印刷中止", "Sub\\b.xls icon=4 printing=1 button=印刷中止"}));
        EXPECT_EQ(clock.sleeps, (std::vector<std::int64_t>{1000, 1000, 1000, 1000, 1000, 1000}));
        EXPECT_EQ(ui.pumpCount, 6);
        EXPECT_EQ(display.shown.rows, (Rows{{"a.doc", IconWord}, {"Sub\\b.xls", IconExcel}}));
        EXPECT_FALSE(display.shown.printing);
        EXPECT_TRUE(display.shown.buttonEnabled);
        EXPECT_EQ(display.shown.closedWith, mrOk);
        EXPECT_FALSE(abortRequested);
    }
}

TEST_F(FoldFilesWindowTest, AFolderEntrysFilesPrintWithoutSettingsOfTheirOwn) {
    EXPECT_EQ(Show("D:\\Docs\\", FolderWindowMode::PrintFolder), kPrintDone);
    ASSERT_EQ(handler.requests.size(), 2u);
    // None lets the Excel handler take the default range from the settings.
    PrintRequest workbook;
    workbook.path = "D:\\Docs\\Sub\\b.xls";
    workbook.excelRange = ExcelRangeMode::None;
    EXPECT_EQ(handler.requests[1], workbook);
    EXPECT_FALSE(handler.requests[1].sheets.has_value());
    PrintRequest document;
    document.path = "D:\\Docs\\a.doc";
    EXPECT_EQ(handler.requests[0], document);
    // Each file is logged like an entry of the list.
    const std::string text = log.GetText();
    EXPECT_NE(text.find("ファイル印刷開始　　：D:\\Docs\\a.doc"), std::string::npos);
    EXPECT_NE(text.find("ファイル印刷正常終了：D:\\Docs\\Sub\\b.xls"), std::string::npos);
}

TEST_F(FoldFilesWindowTest, TheCloseButtonStopsTheWholeRunTheCloseBoxOnlyTheFolder) {
    struct Case {
        const char* name;
        std::function<void(TfrmFoldFiles&)> close;
        bool abort;
    };
    const Case cases[] = {
        {"close button", [](TfrmFoldFiles& form) { form.btnClose.OnClick(); }, true},
        {"close box", [](TfrmFoldFiles& form) { form.CloseBoxClick(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        abortRequested = false;
        handler.requests.clear();
        clock.sleeps.clear();
        // Clicked while the first file prints: the pause after it ends at once, the second never prints.
        handler.onPrint = [&](TfrmFoldFiles& form) {
            c.close(form);
            return true;
        };
        EXPECT_EQ(Show("D:\\Docs\\", FolderWindowMode::PrintFolder), kPrintStopped);
        EXPECT_EQ(PrintedPaths(), Strings{"D:\\Docs\\a.doc"});
        EXPECT_TRUE(clock.sleeps.empty());
        EXPECT_EQ(abortRequested, c.abort);
        EXPECT_EQ(display.shown.rows.at(0).icon, IconWord);
        EXPECT_FALSE(display.shown.printing);
    }
}

TEST_F(FoldFilesWindowTest, AStopDuringThePauseEndsItAtTheNextStep) {
    // The click is seen in the second step's round of messages after the first file.
    struct PumpingUi : FakeUi {
        std::function<void()> onPump;
        void ProcessPendingMessages() override {
            FakeUi::ProcessPendingMessages();
            if (onPump)
                onPump();
        }
    } pumpingUi;
    SetMessageUi(&pumpingUi);
    pumpingUi.onPump = [&] {
        if (pumpingUi.pumpCount == 2)
            display.open->btnClose.OnClick();
    };
    EXPECT_EQ(Show("D:\\Docs\\", FolderWindowMode::PrintFolder), kPrintStopped);
    EXPECT_EQ(clock.sleeps, (std::vector<std::int64_t>{1000, 1000}));
    EXPECT_EQ(PrintedPaths(), Strings{"D:\\Docs\\a.doc"});
    EXPECT_TRUE(abortRequested);
    // Browsing has no run to stop.
    abortRequested = false;
    display.userInOpenWindow = [](TfrmFoldFiles& form) { form.btnClose.OnClick(); };
    EXPECT_EQ(Show("D:\\Docs\\", FolderWindowMode::BrowseFolder), 0);
    EXPECT_EQ(display.shown.closedWith, mrOk);
    EXPECT_FALSE(abortRequested);
}

TEST_F(FoldFilesWindowTest, AnEmptyFolderListsNothingAndPrintsNothing) {
    EXPECT_EQ(Show("D:\\Empty\\", FolderWindowMode::PrintFolder), kPrintDone);
    EXPECT_TRUE(display.shown.rows.empty());
    EXPECT_EQ(display.shown.count, "0ファイル");
    EXPECT_TRUE(handler.requests.empty());
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FoldFilesWindowTest, AWindowThatCannotBeShownFailsTheFolderRatherThanPassForPrinted) {
    display.canShow = false;
    EXPECT_EQ(Show("D:\\Docs\\", FolderWindowMode::PrintFolder), kPrintFailed);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find("ShowFolderFiles"), std::string::npos);
    EXPECT_TRUE(handler.requests.empty());
}

TEST_F(FoldFilesWindowTest, PlacementIsKeptBetweenOpenings) {
    const std::string key = "HKCU\\Software\\Quendral\\Tarvoline\\V1\\MAIN\\WindowStateFoldFiles";
    display.placement.normal = {30, 40, 630, 440};
    display.placement.state = kWindowMaximized;
    Show("D:\\Docs\\", FolderWindowMode::BrowseFolder);
    ASSERT_NE(registry.Find(key, "Width"), nullptr);
    EXPECT_EQ(registry.Find(key, "Width")->number, 600u);
    EXPECT_EQ(registry.Find(key, "Maximized")->number, static_cast<std::uint32_t>(kWindowMaximized));

    display.placement = FakePlacementWindow{};
    Show("D:\\Docs\\", FolderWindowMode::BrowseFolder);
    EXPECT_EQ(display.placement.normal.left, 30);
    EXPECT_EQ(display.placement.normal.bottom, 440);
    EXPECT_EQ(display.placement.state, kWindowMaximized);
}

TEST_F(FoldFilesWindowTest, ThePrintRunsFolderEntryGoesThroughTheWindow) {
    FakeShell shell;
    bool showPasswords = false;
    c_filelist list{classifier, shell, showPasswords};
    PrintRunServices run{printer, window, clock};
    list.SetPrintRun(&run);
    list.AddFiles({"D:\\Docs\\", "D:\\top.pdf"}, true, c_filelist::kAppend);

    EXPECT_EQ(list.PrintAll(), PrintRunResult::Ok);
    EXPECT_EQ(PrintedPaths(), (Strings{"D:\\Docs\\a.doc", "D:\\Docs\\Sub\\b.xls", "D:\\top.pdf"}));
    // The folder entry itself gets no file line.
    EXPECT_EQ(log.GetText().find("：D:\\Docs\\\r\n"), std::string::npos);

    // Stopped with the close button: the run ends before the next entry.
    handler.requests.clear();
    handler.onPrint = [](TfrmFoldFiles& form) {
        form.btnClose.OnClick();
        return true;
    };
    EXPECT_EQ(list.PrintAll(), PrintRunResult::Aborted);
    EXPECT_EQ(PrintedPaths(), Strings{"D:\\Docs\\a.doc"});
}

} // namespace
} // namespace tarvoline
