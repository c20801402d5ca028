#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "common/encoding.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_automation.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_crypto.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_main_form.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_spooler.h"
#include "fakes/fake_ui.h"
#include "fakes/main_form_fakes.h"
#include "fakes/memory_file_system.h"
#include "fakes/scripted_printer_watch.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

const std::string kDocA = "C:\\docs\\a.doc";
const std::string kDocB = "C:\\docs\\b.doc";
const std::string kDocC = "C:\\docs\\c.doc";
const std::string kFolder = "C:\\docs\\sub\\";
const std::string kList = "C:\\lists\\weekly.lst";
const std::string kOtherList = "C:\\lists\\other.lst";
const std::string kLog = "C:\\logs\\run.log";
const std::string kUtf8Bom = "\xEF\xBB\xBF";

struct ListEntry {
    std::string path;
    bool checked = true;
};

class MainFormTest : public ::testing::Test, protected testing::MainFormFakes {
protected:
    void SetUp() override {
        SetMessageUi(&ui);
        for (const std::string& path : {kDocA, kDocB, kDocC})
            files.files[path] = "document";
        files.folders = {"C:\\docs", "C:\\docs\\sub", "C:\\lists", "C:\\logs", "C:\\Users\\u\\Documents"};
        spooler.printers = {"Printer A", "Office PDF", "Printer C"};
        spooler.defaultPrinter = "Office PDF";
    }
    void TearDown() override {
        form.reset();
        SetMessageUi(nullptr);
        SetPrintLog(nullptr);
        abortRequested = false;
    }

    TMainForm& Make(std::vector<std::string> arguments = {}) {
        form.reset();
        MainFormServices services = Services(files, placement, window, dialogs, std::move(arguments));
        services.programFileName = "C:\Program Files\Tarvoline\Tarvoline.exe";
        form = std::make_unique<TMainForm>(services);
        return *form;
    }

    // A list file written by the program's own writer.
    void WriteList(const std::string& path, const std::vector<ListEntry>& entries, const std::string& password = "",
                   const std::string& copies = "1") {
        TMainForm& writer = Make();
        for (const ListEntry& entry : entries)
            writer.FileList().AddFiles({entry.path}, entry.checked, c_filelist::kAppend);
        writer.SetCopiesText(copies);
        if (!password.empty()) {
            writer.chkListPasswd.SetChecked(true);
            writer.edtListPasswd.SetText(password);
            writer.FileList().ListPassword = password;
        }
        writer.ListFile().WriteListFile(path);
        form.reset();
        ui.boxes.clear();
    }

    // An untouched form with the files added, marked modified as the user's adding leaves it.
    TMainForm& MakeWithEntries(const std::vector<ListEntry>& entries) {
        TMainForm& made = Make();
        for (const ListEntry& entry : entries)
            made.FileList().AddFiles({entry.path}, entry.checked, c_filelist::kAppend);
        return made;
    }

    PumpingUi ui;
    MemoryFileSystem files;
    FakePlacementWindow placement;
    FakeMainWindow window;
    FakeMainDialogs dialogs;
    std::unique_ptr<TMainForm> form;
};

// ---- controls ----

TEST_F(MainFormTest, ControlsCarryTheirCaptionsAndHints) {
    TMainForm& f = Make();
    EXPECT_EQ(f.btnPrint.Text(), "印刷開始(&P)");
    EXPECT_EQ(f.btnPrint.Hint(), "リストのファイルを印刷します。（但しチェックマークがついているファイルのみ。）");
    EXPECT_EQ(f.btnAllCheck.Text(), "全ﾁｪｯｸ");
    EXPECT_EQ(f.edtPrtNum.Text(), "1");
    EXPECT_EQ(f.btnExit.Hint(), "プログラムを終了します。");
    EXPECT_FALSE(f.tmrBatch.Enabled());
    std::set<std::string> names;
    for (Control* control : f.Controls())
        EXPECT_TRUE(names.insert(control->Name()).second) << control->Name();
    EXPECT_TRUE(names.count("cmbPrinters") && names.count("memMemo") && names.count("mnuPrintLog"));
}

// ---- UpdateControls ----

struct ControlsCase {
    const char* name;
    std::vector<ListEntry> entries;
    std::vector<int> selected;
    bool printing;
    bool passwordChecked;
    bool logHasLines;
    std::set<std::string> enabled; // every other control of the table is disabled
};

class UpdateControlsTest : public MainFormTest, public ::testing::WithParamInterface<ControlsCase> {};

const std::vector<std::string> kRuled = {
    "btnDetail",     "btnDelFile",    "mnuDelFile",  "btnFileOpen",  "btnPrint",      "mnuPrint",
    "btnSortByName", "btnMoveUp",     "btnMoveDown", "mnuListSave",  "mnuListSaveAs", "mnuTextSave",
    "btnAllCheck",   "btnAllUncheck", "mnuSelAll",   "btnShowFold",  "btnExit",       "btnAddFile",
    "btnAddFold",    "mnuFile",       "mnuPrintLog", "edtListPasswd"};

TEST_P(UpdateControlsTest, EnablesByTheTable) {
    const ControlsCase& c = GetParam();
    TMainForm& f = MakeWithEntries(c.entries);
    for (int row : c.selected)
        f.FileList().SetSelected(row, true);
    f.chkListPasswd.SetChecked(c.passwordChecked);
    if (c.logHasLines)
        LogText("line");
    f.printing = c.printing;
    f.UpdateControls();
    for (Control* control : f.Controls()) {
        if (std::find(kRuled.begin(), kRuled.end(), control->Name()) == kRuled.end())
            continue;
        EXPECT_EQ(control->Enabled(), c.enabled.count(control->Name()) == 1) << control->Name();
    }
}

const std::set<std::string> kAlways = {"btnExit", "btnAddFile", "btnAddFold", "mnuFile"};

std::set<std::string> With(std::set<std::string> base, std::initializer_list<const char*> more) {
    for (const char* name : more)
        base.insert(name);
    return base;
}

INSTANTIATE_TEST_SUITE_P(
    Table, UpdateControlsTest,
    ::testing::Values(
        ControlsCase{"EmptyIdle", {}, {}, false, false, false, kAlways},
        ControlsCase{
            "EmptyPasswordCheckedLogLines", {}, {}, false, true, true, With(kAlways, {"edtListPasswd", "mnuPrintLog"})},
        ControlsCase{"OneUncheckedUnselected",
                     {{kDocA, false}},
                     {},
                     false,
                     false,
                     false,
                     With(kAlways, {"mnuListSave", "mnuListSaveAs", "mnuTextSave", "btnAllCheck", "btnAllUncheck",
                                    "mnuSelAll"})},
        ControlsCase{"TwoCheckedMiddleSelection",
                     {{kDocA}, {kDocB}, {kDocC}},
                     {1},
                     false,
                     false,
                     false,
                     With(kAlways, {"btnDetail", "btnDelFile", "mnuDelFile", "btnFileOpen", "btnPrint", "mnuPrint",
                                    "btnSortByName", "btnMoveUp", "btnMoveDown", "mnuListSave", "mnuListSaveAs",
                                    "mnuTextSave", "btnAllCheck", "btnAllUncheck", "mnuSelAll"})},
        ControlsCase{"FirstRowSelectedCannotMoveUp",
                     {{kDocA}, {kDocB}},
                     {0},
                     false,
                     false,
                     false,
                     With(kAlways, {"btnDetail", "btnDelFile", "mnuDelFile", "btnFileOpen", "btnPrint", "mnuPrint",
                                    "btnSortByName", "btnMoveDown", "mnuListSave", "mnuListSaveAs", "mnuTextSave",
                                    "btnAllCheck", "btnAllUncheck", "mnuSelAll"})},
        ControlsCase{"FolderFirstSelected",
                     {{kFolder, false}, {kDocA, false}},
                     {0, 1},
                     false,
                     false,
                     false,
                     With(kAlways, {"btnDelFile", "mnuDelFile", "btnSortByName", "mnuListSave", "mnuListSaveAs",
                                    "mnuTextSave", "btnAllCheck", "btnAllUncheck", "mnuSelAll", "btnShowFold"})},
        ControlsCase{"PrintingKeepsOnlyItsRules",
                     {{kFolder}, {kDocA}},
                     {0},
                     true,
                     true,
                     true,
                     {"btnPrint", "mnuPrint", "mnuSelAll", "btnShowFold", "mnuPrintLog", "edtListPasswd"}},
        ControlsCase{"PrintingNothingChecked", {{kDocA, false}}, {0}, true, false, false, {"mnuSelAll"}}),
    [](const ::testing::TestParamInfo<ControlsCase>& info) { return std::string(info.param.name); });

TEST_F(MainFormTest, ListChangesRefreshTheButtons) {
    TMainForm& f = Make();
    EXPECT_FALSE(f.btnPrint.Enabled());
    f.FileList().AddFiles({kDocA}, true, c_filelist::kAppend);
    EXPECT_TRUE(f.btnPrint.Enabled());
    f.FileList().SetChecked(0, false);
    EXPECT_FALSE(f.btnPrint.Enabled());
}

// ---- the save question ----

struct CommandCase {
    const char* name;
    std::function<void(TMainForm&)> run;
};

class SaveQuestionTest : public MainFormTest, public ::testing::WithParamInterface<CommandCase> {
protected:
    // A named, modified list; the commands below then find the open dialog cancelled.
    TMainForm& Prepared() {
        WriteList(kList, {{kDocA}});
        registry = FakeRegistry();
        TMainForm& f = Make();
        EXPECT_TRUE(f.OpenList(kList));
        f.Settings().AddRecentFile(kOtherList);
        f.FileList().AddFiles({kDocB}, true, c_filelist::kAppend);
        ui.boxes.clear();
        return f;
    }
    bool CommandWentOn(TMainForm& f) {
        // Each command, once allowed, leaves a trace: a dialog, a cleared list, a close request.
        return !dialogs.fileDialogs.empty() || f.FileList().RowCount() == 0 || window.closeRequests > 0 ||
               !window.recentDocuments.empty();
    }
};

TEST_P(SaveQuestionTest, YesSavesThenGoesOn) {
    TMainForm& f = Prepared();
    ui.answers = {MessageResult::Yes};
    const std::string before = files.files[kList];
    GetParam().run(f);
    ASSERT_EQ(ui.BoxTexts().at(0), "リストは変更されています。保存しますか？ ");
    EXPECT_NE(files.files[kList], before) << "the named list is written without a dialog";
    EXPECT_TRUE(CommandWentOn(f));
}

TEST_P(SaveQuestionTest, NoGoesOnWithoutSaving) {
    TMainForm& f = Prepared();
    ui.answers = {MessageResult::No};
    const std::string before = files.files[kList];
    GetParam().run(f);
    EXPECT_EQ(ui.boxes.size() >= 1, true);
    EXPECT_EQ(files.files[kList], before);
    EXPECT_TRUE(CommandWentOn(f));
}

TEST_P(SaveQuestionTest, CancelAbandonsTheCommand) {
    TMainForm& f = Prepared();
    ui.answers = {MessageResult::Cancel};
    GetParam().run(f);
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_FALSE(CommandWentOn(f));
    EXPECT_EQ(f.FileList().RowCount(), 2);
    EXPECT_EQ(f.currentListFile, kList);
}

TEST_P(SaveQuestionTest, YesWithACancelledSaveDialogAbandonsTheCommandOfAnUntitledList) {
    TMainForm& f = MakeWithEntries({{kDocA}});
    ui.answers = {MessageResult::Yes};
    GetParam().run(f);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].name, "dlgSave");
    EXPECT_EQ(f.FileList().RowCount(), 1);
    EXPECT_EQ(window.closeRequests, 0);
    EXPECT_TRUE(window.recentDocuments.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SaveQuestionTest,
    ::testing::Values(CommandCase{"New", [](TMainForm& f) { f.MenuClick(MenuCommand::ListNew); }},
                      CommandCase{"Open", [](TMainForm& f) { f.MenuClick(MenuCommand::ListOpen); }},
                      CommandCase{"Close", [](TMainForm& f) { f.MenuClick(MenuCommand::Close); }},
                      CommandCase{"ReadText", [](TMainForm& f) { f.MenuClick(MenuCommand::TextRead); }},
                      CommandCase{"RecentFile", [](TMainForm& f) { f.OpenRecentFile(0); }},
                      CommandCase{"Exit",
                                  [](TMainForm& f) {
                                      if (f.FormCloseQuery())
                                          f.btnExitClick();
                                  }}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

TEST_F(MainFormTest, AListWithOnlyAMemoIsReplacedWithoutTheQuestion) {
    TMainForm& f = Make();
    f.memMemo.StoreText("notes");
    f.memMemoChange();
    EXPECT_TRUE(f.FileList().Modified);
    f.MenuClick(MenuCommand::ListNew);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(f.memMemo.Text(), "");
}

TEST_F(MainFormTest, UserEditsOfTheListInformationMarkTheListModified) {
    TMainForm& f = Make();
    for (const auto& edit : std::vector<std::function<void()>>{
             [&] { f.memMemoChange(); }, [&] { f.edtListPasswdChange(); }, [&] { f.chkListPasswdClick(); }}) {
        f.FileList().Modified = false;
        edit();
        EXPECT_TRUE(f.FileList().Modified);
    }
}

// ---- open and save ----

TEST_F(MainFormTest, OpenSetsCaptionRecentFilesAndCopies) {
    WriteList(kList, {{kDocA}, {kDocB, false}}, "", "3");
    TMainForm& f = Make();
    EXPECT_TRUE(f.OpenList(kList));
    EXPECT_EQ(f.currentListFile, kList);
    EXPECT_EQ(window.caption, "Tarvoline - " + kList);
    EXPECT_EQ(f.Caption(), window.caption);
    EXPECT_EQ(f.Settings().RecentFiles.at(0), kList);
    EXPECT_EQ(f.FileList().RowCount(), 2);
    EXPECT_EQ(f.edtPrtNum.Text(), "3");
    EXPECT_FALSE(f.FileList().Modified);
    EXPECT_TRUE(f.btnPrint.Enabled());
}

TEST_F(MainFormTest, FailedOpenEmptiesTheListButKeepsTheCaption) {
    WriteList(kList, {{kDocA}});
    TMainForm& f = Make();
    ASSERT_TRUE(f.OpenList(kList));
    EXPECT_FALSE(f.OpenList("C:\\lists\\gone.lst"));
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"ファイルが見つかりません。（File=C:\\lists\\gone.lst）    "});
    EXPECT_EQ(f.FileList().RowCount(), 0);
    EXPECT_EQ(f.currentListFile, kList);
    EXPECT_EQ(window.caption, "Tarvoline - " + kList);
}

TEST_F(MainFormTest, OpenWithPasswordAsksForItAndFillsThePasswordFields) {
    WriteList(kList, {{kDocA}}, "secret");
    TMainForm& f = Make();
    ui.promptAnswers = {{MessageResult::Ok, "secret"}};
    EXPECT_TRUE(f.OpenList(kList));
    EXPECT_EQ(ui.prompts.size(), 1u);
    EXPECT_TRUE(f.chkListPasswd.Checked());
    EXPECT_EQ(f.edtListPasswd.Text(), "secret");
    EXPECT_TRUE(f.edtListPasswd.Enabled());
    EXPECT_EQ(f.FileList().EntryPath(0), kDocA);
}

TEST_F(MainFormTest, OpenWithPasswordCancelledFails) {
    WriteList(kList, {{kDocA}}, "secret");
    TMainForm& f = Make();
    EXPECT_FALSE(f.OpenList(kList));
    EXPECT_EQ(f.FileList().RowCount(), 0);
    EXPECT_EQ(f.currentListFile, "");
}

TEST_F(MainFormTest, OpenWithDialogStartsInTheDocumentsFolderAndRemembersTheChosenFolder) {
    WriteList(kList, {{kDocA}});
    TMainForm& f = Make();
    dialogs.fileAnswers = {{kList}};
    f.MenuClick(MenuCommand::ListOpen);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].name, "dlgOpen");
    EXPECT_EQ(dialogs.fileDialogs[0].initialFolder, "C:\\Users\\u\\Documents\\");
    EXPECT_EQ(f.Settings().LastFolderOfList, "C:\\lists\\");
    EXPECT_EQ(f.currentListFile, kList);
}

TEST_F(MainFormTest, OpenWithDialogCancelledChangesNothing) {
    TMainForm& f = Make();
    f.Settings().LastFolderOfList = "C:\\docs\\";
    f.MenuClick(MenuCommand::ListOpen);
    EXPECT_EQ(f.Settings().LastFolderOfList, "C:\\docs\\");
    EXPECT_EQ(dialogs.fileDialogs.at(0).initialFolder, "C:\\docs\\");
}

TEST_F(MainFormTest, SaveUntitledOffersTarvolineLstAndNamesTheList) {
    TMainForm& f = MakeWithEntries({{kDocA}});
    const std::string target = "C:\\lists\\new.lst";
    dialogs.fileAnswers = {{target}};
    EXPECT_TRUE(f.SaveList(false));
    const FileDialogSetup& shown = dialogs.fileDialogs.at(0);
    EXPECT_EQ(shown.name, "dlgSave");
    EXPECT_EQ(shown.fileName, "Tarvoline.lst");
    EXPECT_EQ(shown.defaultExtension, "lst");
    EXPECT_TRUE(shown.overwritePrompt);
    EXPECT_EQ(shown.initialFolder, "C:\\Users\\u\\Documents\\");
    EXPECT_TRUE(files.files.count(target));
    EXPECT_EQ(f.currentListFile, target);
    EXPECT_EQ(window.caption, "Tarvoline - " + target);
    EXPECT_EQ(f.Settings().LastFolderOfList, "C:\\lists\\");
    EXPECT_EQ(f.Settings().RecentFiles.at(0), target);
    EXPECT_FALSE(f.FileList().Modified);
}

TEST_F(MainFormTest, SaveNamedWritesAtOnceAndSaveAsOffersItsNameInItsFolder) {
    WriteList(kList, {{kDocA}});
    TMainForm& f = Make();
    ASSERT_TRUE(f.OpenList(kList));
    f.Settings().LastFolderOfList = "C:\\docs\\";
    f.FileList().AddFiles({kDocB}, true, c_filelist::kAppend);
    EXPECT_TRUE(f.SaveList(false));
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    EXPECT_EQ(window.caption, "Tarvoline - " + kList);
    EXPECT_EQ(f.Settings().LastFolderOfList, "C:\\docs\\");

    EXPECT_FALSE(f.SaveList(true)); // cancelled
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].initialFolder, "C:\\lists\\");
    EXPECT_EQ(dialogs.fileDialogs[0].fileName, "weekly.lst");
    EXPECT_EQ(f.currentListFile, kList);
}

TEST_F(MainFormTest, SaveWithPasswordConfirmsItAndWritesAListThatNeedsIt) {
    TMainForm& f = MakeWithEntries({{kDocA}});
    f.chkListPasswd.SetChecked(true);
    f.edtListPasswd.SetText("pw");
    ui.promptAnswers = {{MessageResult::Ok, "pw"}};
    dialogs.fileAnswers = {{kList}};
    EXPECT_TRUE(f.SaveList(false));
    EXPECT_EQ(ui.prompts.at(0).prompt, "確認のためパスワードを再度入力してください。");

    TMainForm& g = Make();
    EXPECT_FALSE(g.OpenList(kList)) << "no password given";
    ui.promptAnswers = {{MessageResult::Ok, "pw"}};
    EXPECT_TRUE(g.OpenList(kList));
}

TEST_F(MainFormTest, SaveRefusedWithoutATypedPasswordOrWhenTheWriteFails) {
    TMainForm& f = MakeWithEntries({{kDocA}});
    f.chkListPasswd.SetChecked(true);
    EXPECT_FALSE(f.SaveList(false));
    EXPECT_EQ(ui.BoxTexts().at(0), "パスワードが入力されていません");
    EXPECT_TRUE(dialogs.fileDialogs.empty());

    f.chkListPasswd.SetChecked(false);
    files.failingPaths.insert(kList);
    dialogs.fileAnswers = {{kList}};
    EXPECT_THROW(f.SaveList(false), ListFileError);
    EXPECT_EQ(f.currentListFile, "");
}

TEST_F(MainFormTest, InitialFolderRules) {
    TMainForm& f = Make();
    EXPECT_EQ(f.InitialFolderFor("C:\\docs\\"), "C:\\docs\\");
    EXPECT_EQ(f.InitialFolderFor("C:\\gone\\"), "C:\\Users\\u\\Documents\\");
    EXPECT_EQ(f.InitialFolderFor(kDocA), "C:\\Users\\u\\Documents\\") << "a file is not a folder";
    window.documents.reset();
    EXPECT_EQ(f.InitialFolderFor(""), "C:\\work\\");
}

TEST_F(MainFormTest, RecentFileOpensAndGoesToTheShellsRecentDocumentsEvenWhenMissing) {
    TMainForm& f = Make();
    f.Settings().AddRecentFile(kOtherList);
    f.OpenRecentFile(0);
    EXPECT_EQ(window.recentDocuments, std::vector<std::string>{kOtherList});
    EXPECT_EQ(ui.BoxTexts().at(0), "ファイルが見つかりません。（File=" + kOtherList + "）    ");
    EXPECT_EQ(f.Settings().RecentFiles.at(0), kOtherList);
}

TEST_F(MainFormTest, AddFilesWithDialogAppendsCheckedAndRemembersTheFolder) {
    TMainForm& f = MakeWithEntries({{kDocC, false}});
    dialogs.fileAnswers = {{kDocA, kDocB}};
    f.btnAddFile.OnClick();
    const FileDialogSetup& shown = dialogs.fileDialogs.at(0);
    EXPECT_TRUE(shown.multiSelect);
    EXPECT_EQ(shown.filters.size(), 7u);
    EXPECT_EQ(shown.filters[2].patterns, "*.doc;*.docx;*.docm;*.rtf");
    ASSERT_EQ(f.FileList().RowCount(), 3);
    EXPECT_EQ(f.FileList().EntryPath(1), kDocA);
    EXPECT_TRUE(f.FileList().IsChecked(2));
    EXPECT_EQ(f.Settings().LastFolderOfAddedFile, "C:\\docs\\");
}

TEST_F(MainFormTest, TextReadAndSaveKeepTheListFileName) {
    files.files["C:\\docs\\paths.txt"] = kUtf8Bom + kDocA + "\r\n" + kDocB + "\r\n";
    WriteList(kList, {{kDocC}});
    TMainForm& f = Make();
    ASSERT_TRUE(f.OpenList(kList));
    dialogs.fileAnswers = {{"C:\\docs\\paths.txt"}, {"C:\\docs\\out.txt"}};
    f.MenuClick(MenuCommand::TextRead);
    EXPECT_EQ(f.FileList().RowCount(), 2);
    f.MenuClick(MenuCommand::TextSave);
    EXPECT_EQ(dialogs.fileDialogs.at(1).fileName, "untitled.txt");
    EXPECT_EQ(files.files["C:\\docs\\out.txt"], kUtf8Bom + kDocA + "\r\n" + kDocB + "\r\n");
    EXPECT_EQ(f.currentListFile, kList);
    EXPECT_EQ(f.Settings().LastFolderOfTextFile, "C:\\docs\\");
}

// The File menu around the recent files: names, captions, visibility by position.
class FakeFileMenu : public MenuItems {
public:
    struct Item {
        std::string name;
        std::string caption;
        int tag = -1;
        bool visible = true;
    };
    int Count() const override { return static_cast<int>(items.size()); }
    int IndexOfName(const std::string& name) const override {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].name == name)
                return static_cast<int>(i);
        return -1;
    }
    std::string Caption(int index) const override { return items.at(static_cast<std::size_t>(index)).caption; }
    void Delete(int index) override { items.erase(items.begin() + index); }
    void InsertRecentFileItem(int index, const std::string& caption, int tag) override {
        items.insert(items.begin() + index, Item{"", caption, tag, true});
    }
    void SetVisible(int index, bool visible) override { items.at(static_cast<std::size_t>(index)).visible = visible; }

    std::vector<Item> items = {
        {"mnuPrint", "印刷(&P)"}, {"mnuSep2", "-"}, {"mnuSep3", "-", -1, false}, {"mnuExit", "終了(&X)"}};
};

TEST_F(MainFormTest, OpeningTheFileMenuListsTheRecentFilesAndRefreshesTheCommands) {
    TMainForm& f = Make();
    f.Settings().AddRecentFile("C:\\work\\other.lst");
    f.Settings().AddRecentFile(kList);
    f.mnuListSave.SetEnabled(true);
    FakeFileMenu menu;
    f.mnuFileOpened(menu, [](std::string_view text) { return static_cast<int>(text.size()) * 7; });
    ASSERT_EQ(menu.items.size(), 6u);
    EXPECT_EQ(menu.items[2].caption, "&1 " + kList);
    EXPECT_EQ(menu.items[3].caption, "&2 other.lst") << "a list in the current folder shows its name";
    EXPECT_EQ(menu.items[3].tag, 1);
    EXPECT_TRUE(menu.items[4].visible);
    EXPECT_FALSE(f.mnuListSave.Enabled());

    f.OpenRecentFile(menu.items[3].tag);
    EXPECT_EQ(window.recentDocuments, std::vector<std::string>{"C:\\work\\other.lst"});
}

// ---- entry commands ----

TEST_F(MainFormTest, DeleteSelectsTheEntryThatTookThePlaceOfTheTopmostRemoved) {
    TMainForm& f = MakeWithEntries({{kDocA}, {kDocB}, {kDocC}});
    f.FileList().SetSelected(1, true);
    f.FileList().Modified = false;
    f.btnDelFile.OnClick();
    ASSERT_EQ(f.FileList().RowCount(), 2);
    EXPECT_TRUE(f.FileList().IsSelected(1));
    EXPECT_EQ(f.FileList().EntryPath(1), kDocC);
    EXPECT_TRUE(f.FileList().Modified);

    f.btnDelFile.OnClick(); // the last one: the new last entry is selected
    ASSERT_EQ(f.FileList().RowCount(), 1);
    EXPECT_TRUE(f.FileList().IsSelected(0));
}

TEST_F(MainFormTest, MoveSortCheckAndOpenCommands) {
    TMainForm& f = MakeWithEntries({{kDocC}, {kDocA, false}, {kDocB}});
    f.FileList().SetSelected(1, true);
    f.btnMoveUp.OnClick();
    EXPECT_EQ(f.FileList().EntryPath(0), kDocA);
    EXPECT_EQ(window.listFocused, 1);
    f.btnMoveDown.OnClick();
    EXPECT_EQ(f.FileList().EntryPath(1), kDocA);
    f.btnSortByName.OnClick();
    EXPECT_EQ(f.FileList().EntryPath(0), kDocA);
    EXPECT_EQ(f.FileList().EntryPath(2), kDocC);
    f.btnAllUncheck.OnClick();
    EXPECT_EQ(f.FileList().CountChecked(), 0);
    EXPECT_FALSE(f.btnPrint.Enabled());
    f.btnAllCheck.OnClick();
    EXPECT_EQ(f.FileList().CountChecked(), 3);
    f.btnFileOpen.OnClick();
    EXPECT_EQ(shell.opened, std::vector<std::string>{kDocA});
    f.MenuClick(MenuCommand::SelAll);
    EXPECT_EQ(f.FileList().SelectedCount(), 3);
}

TEST_F(MainFormTest, HelpAndWindowCommandsGoToTheDialogs) {
    TMainForm& f = Make();
    f.btnHelpPasswd.OnClick();
    f.MenuClick(MenuCommand::HelpHelp);
    f.HelpKey();
    f.MenuClick(MenuCommand::About);
    f.MenuClick(MenuCommand::Options);
    f.MenuClick(MenuCommand::PrintLog); // disabled: the log is empty
    LogText("x");
    f.UpdateControls();
    f.MenuClick(MenuCommand::PrintLog);
    f.btnAddFold.OnClick();
    EXPECT_EQ(dialogs.events, (std::vector<std::string>{"help:70", "help:10", "help:20", "about", "options", "printlog",
                                                        "pickfolders:C:\\Users\\u\\Documents\\"}));
}

// ---- copies and printers ----

TEST_F(MainFormTest, CopiesBelowOneTurnIntoOne) {
    TMainForm& f = Make();
    const std::map<std::string, std::string> cases = {{"0", "1"},     {"-3", "1"}, {"1", "1"}, {"7", "7"},
                                                      {"250", "250"}, {"", ""},    {"x", "x"}};
    for (const auto& [typed, shown] : cases) {
        f.edtPrtNum.StoreText(typed);
        f.edtPrtNum.OnChange();
        EXPECT_EQ(f.edtPrtNum.Text(), shown) << typed;
    }
}

struct PrinterCase {
    const char* name;
    std::vector<std::string> printers;
    std::string defaultPrinter;
    std::string stored;
    int selected;
};

class PrinterBoxTest : public MainFormTest, public ::testing::WithParamInterface<PrinterCase> {};

TEST_P(PrinterBoxTest, FillsAndSelects) {
    const PrinterCase& c = GetParam();
    spooler.printers = c.printers;
    spooler.defaultPrinter = c.defaultPrinter;
    TMainForm& f = Make();
    f.Settings().PrinterSelected = c.stored;
    f.Settings().DontShowAboutOnStartup = true;
    f.FormShow();
    EXPECT_EQ(f.cmbPrinters.Items(), c.printers);
    EXPECT_EQ(f.cmbPrinters.ItemIndex(), c.selected);
    EXPECT_EQ(f.Settings().PrinterSelected, c.stored) << "filling stores nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PrinterBoxTest,
    ::testing::Values(PrinterCase{"DefaultSelected", {"A", "B", "C"}, "B", "", 1},
                      PrinterCase{"StoredWinsIgnoringCase", {"A", "Office PDF", "C"}, "A", "office pdf", 1},
                      PrinterCase{"StoredUnknownKeepsDefault", {"A", "B"}, "B", "Gone", 1},
                      PrinterCase{"NoDefaultNoSelection", {"A", "B"}, "", "", -1},
                      PrinterCase{"NoDefaultStoredMatches", {"A", "B"}, "", "a", 0},
                      PrinterCase{"NoPrinters", {}, "", "A", -1}),
    [](const ::testing::TestParamInfo<PrinterCase>& info) { return std::string(info.param.name); });

TEST_F(MainFormTest, ChoosingAPrinterStoresItAndThePrintRunUsesTheSelection) {
    TMainForm& f = MakeWithEntries({{kDocA, false}});
    f.FillPrinters();
    f.cmbPrinters.StoreItemIndex(2);
    f.cmbPrinters.OnChange();
    EXPECT_EQ(f.Settings().PrinterSelected, "Printer C");
    f.RunPrint();
    EXPECT_EQ(f.Printer().PrinterName(), "Printer C");
    f.cmbPrinters.SetItemIndex(-1);
    f.RunPrint();
    EXPECT_EQ(f.Printer().PrinterName(), "");
}

// ---- printing ----

TEST_F(MainFormTest, RunPrintShowsAbortCaptionWhilePrintingAndTheFinalMessage) {
    TMainForm& f = MakeWithEntries({{kDocA}});
    std::vector<std::string> seen;
    ui.onPump = [&] {
        if (seen.empty())
            seen = {f.btnPrint.Text(), f.printing ? "printing" : "idle", f.btnExit.Enabled() ? "exit" : "no exit"};
    };
    EXPECT_EQ(f.RunPrint(), PrintRunResult::Ok);
    EXPECT_EQ(seen, (std::vector<std::string>{"印刷中止", "printing", "no exit"}));
    EXPECT_EQ(f.btnPrint.Text(), "印刷開始(&P)");
    EXPECT_FALSE(f.printing);
    EXPECT_TRUE(f.btnExit.Enabled());
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"印刷が終了しました。"});
    EXPECT_EQ(ui.waitCursorDepth, 0);
    EXPECT_TRUE(f.mnuPrintLog.Enabled());
}

TEST_F(MainFormTest, ACloseDuringTheRunWaitsForItsEndWithoutAborting) {
    TMainForm& f = MakeWithEntries({{kDocA}, {kDocB}});
    f.FileList().Modified = false;
    bool closedDuringRun = true;
    ui.onPump = [&] {
        if (f.printing && closedDuringRun)
            closedDuringRun = f.FormCloseQuery();
    };
    EXPECT_EQ(f.RunPrint(), PrintRunResult::Ok) << "not aborted";
    EXPECT_FALSE(closedDuringRun);
    EXPECT_EQ(std::count_if(automation.journal.begin(), automation.journal.end(),
                            [](const std::string& line) { return line.ends_with(".Quit()"); }),
              2);
    EXPECT_EQ(window.closeRequests, 1);
    EXPECT_TRUE(ui.boxes.size() == 1 && ui.events.back() == "box:印刷が終了しました。") << "after the final message";
    EXPECT_TRUE(f.FormCloseQuery()) << "accepted once, not asked again";
}

TEST_F(MainFormTest, PrintButtonDuringTheRunAborts) {
    TMainForm& f = MakeWithEntries({{kDocA}, {kDocB}});
    bool stayedOff = false;
    ui.onPump = [&] {
        if (f.printing && f.btnPrint.Enabled()) {
            f.btnPrint.OnClick();
            f.UpdateControls();
            stayedOff = !f.btnPrint.Enabled();
        }
    };
    EXPECT_EQ(f.RunPrint(), PrintRunResult::Aborted);
    EXPECT_TRUE(stayedOff) << "a refresh during the run does not offer the abort again";
    EXPECT_TRUE(f.btnPrint.Enabled()) << "after the run";
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"印刷が中止されました。"});
    EXPECT_EQ(automation.journal.front(), "create Word.Application -> #1");
    EXPECT_EQ(std::count(automation.journal.begin(), automation.journal.end(), "create Word.Application -> #1"), 1);
}

TEST_F(MainFormTest, ARunAfterAnAbortedOneCanBeAbortedToo) {
    TMainForm& f = MakeWithEntries({{kDocA}, {kDocB}});
    bool offered = false;
    ui.onPump = [&] {
        if (f.printing && !abortRequested) {
            offered = f.btnPrint.Enabled();
            f.btnPrint.OnClick();
        }
    };
    ASSERT_EQ(f.RunPrint(), PrintRunResult::Aborted);
    offered = false;
    EXPECT_EQ(f.RunPrint(), PrintRunResult::Aborted);
    EXPECT_TRUE(offered) << "the second run's print button reads as the abort button and is usable";
}

TEST_F(MainFormTest, FailedFileGivesTheErrorResult) {
    TMainForm& f = MakeWithEntries({{kDocA}});
    automation.FailOn("Word.Application", "no Word");
    EXPECT_EQ(f.RunPrint(), PrintRunResult::SomeFailed);
    EXPECT_EQ(ui.BoxTexts().back(), "印刷が終了しました。一部のファイルでエラーが発生しました。");
}

// ---- start-up and the command line ----

struct CommandLineCase {
    const char* name;
    std::vector<std::string> arguments;
    bool batch;
    std::string opened; // the list shown afterwards; "" = none
    bool usage;         // message 13080 shown
    bool timerArmed;
    std::string logFileName;
};

class CommandLineTest : public MainFormTest, public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLineTest, FollowsTheTable) {
    const CommandLineCase& c = GetParam();
    WriteList(kList, {{kDocA}});
    WriteList(kOtherList, {{kDocB}});
    TMainForm& f = Make(c.arguments);
    f.FormShow();
    EXPECT_EQ(f.batchMode, c.batch);
    EXPECT_EQ(f.currentListFile, c.opened);
    EXPECT_EQ(f.FileList().RowCount(), c.opened.empty() ? 0 : 1);
    const std::string usage = LoadMessageText(13080);
    const std::vector<std::string> boxes = ui.BoxTexts();
    EXPECT_EQ(std::count(boxes.begin(), boxes.end(), usage), c.usage ? 1 : 0);
    EXPECT_EQ(f.tmrBatch.Enabled(), c.timerArmed);
    EXPECT_EQ(f.PrintLog().FileName, c.logFileName);
    const bool about = std::count(dialogs.events.begin(), dialogs.events.end(), "about:startup") == 1;
    EXPECT_EQ(about, !c.batch);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTest,
    ::testing::Values(CommandLineCase{"None", {}, false, "", false, false, ""},
                      CommandLineCase{"OneList", {kList}, false, kList, false, false, ""},
                      CommandLineCase{"TwoListsOpensTheFirst", {kList, kOtherList}, false, kList, false, false, ""},
                      CommandLineCase{"DashBIsAListName", {"-B", kList}, false, "", false, false, ""},
                      CommandLineCase{"LowerCaseSwitch", {"/b", kList}, false, "", true, false, ""},
                      CommandLineCase{"OtherSwitch", {"/X"}, false, "", true, false, ""},
                      CommandLineCase{"BatchAlone", {"/B"}, false, "", true, false, ""},
                      CommandLineCase{"BatchList", {"/B", kList}, true, kList, false, true, ""},
                      CommandLineCase{"BatchListLog", {"/B", kList, kLog, "extra"}, true, kList, false, true, kLog},
                      CommandLineCase{
                          "BatchMissingList", {"/B", "C:\\lists\\gone.lst", kLog}, true, "", false, false, kLog}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) { return std::string(info.param.name); });

TEST_F(MainFormTest, TheUsageMessageReadsAsDocumented) {
    TMainForm& f = Make({"/B"});
    f.Settings().DontShowAboutOnStartup = true;
    f.FormShow();
    EXPECT_EQ(ui.BoxTexts(),
              std::vector<std::string>{
                  "Tarvolineコマンドラインオプション\r\n\r\nTarvoline.exe /B リストファイル名  [ログファイル名]"
                  "\r\n        　バッチ実行（リストファイルを開く→印刷→終了）します\r\nTarvoline.exe "
                  "リストファイル\r\n        　指定されたリストファイルを開きます"});
    EXPECT_TRUE(dialogs.events.empty());
    EXPECT_EQ(f.ExitCodeValue(), 0);
}

TEST_F(MainFormTest, FormShowClearsTheListAndStartsUntitled) {
    TMainForm& f = Make();
    f.edtPrtNum.SetText("4");
    f.FormShow();
    EXPECT_EQ(f.edtPrtNum.Text(), "1");
    EXPECT_EQ(f.currentListFile, "");
    EXPECT_EQ(dialogs.events, std::vector<std::string>{"about:startup"});
    EXPECT_EQ(f.ExitCodeValue(), 0);
}

// ---- batch ----

std::string Utf8LogText(const MemoryFileSystem& files) {
    auto found = files.files.find(kLog);
    return found == files.files.end() ? std::string() : found->second;
}

TEST_F(MainFormTest, BatchSuccessWritesTheLogClosesAndExitsZero) {
    WriteList(kList, {{kDocA}, {kDocB, false}}, "", "2");
    TMainForm& f = Make({"/B", kList, kLog});
    f.FormShow();
    ASSERT_TRUE(f.tmrBatch.Enabled());
    f.tmrBatch.OnClick();
    EXPECT_FALSE(f.tmrBatch.Enabled());
    EXPECT_TRUE(ui.boxes.empty()) << "no success message in batch mode";
    EXPECT_EQ(window.closeRequests, 1);
    const std::string log = Utf8LogText(files);
    ASSERT_EQ(log.substr(0, 3), kUtf8Bom);
    EXPECT_EQ(log.find("2014/05/12 9:05:03 "), 3u);
    EXPECT_NE(log.find(kDocA), std::string::npos);
    EXPECT_EQ(log.find(kDocB), std::string::npos);
    EXPECT_EQ(std::count_if(automation.journal.begin(), automation.journal.end(),
                            [](const std::string& line) { return line.ends_with(".Quit()"); }),
              2)
        << "two copies";
    EXPECT_TRUE(f.FormCloseQuery()) << "a printed list closes without the question";
    EXPECT_EQ(f.ExitCodeValue(), 0);
}

TEST_F(MainFormTest, BatchWithoutLogNameWritesNoFile) {
    WriteList(kList, {{kDocA, false}});
    const std::size_t before = files.files.size();
    TMainForm& f = Make({"/B", kList});
    f.FormShow();
    f.tmrBatch.OnClick();
    EXPECT_EQ(files.files.size(), before);
    EXPECT_EQ(window.closeRequests, 1);
    EXPECT_EQ(f.ExitCodeValue(), 0);
}

struct BatchFailureCase {
    const char* name;
    bool abort;
    std::string message;
    int exitCode;
};

class BatchFailureTest : public MainFormTest, public ::testing::WithParamInterface<BatchFailureCase> {};

TEST_P(BatchFailureTest, ShowsTheMessageWritesTheLogAndStaysOpen) {
    const BatchFailureCase& c = GetParam();
    WriteList(kList, {{kDocA}, {kDocB}});
    TMainForm& f = Make({"/B", kList, kLog});
    f.FormShow();
    if (c.abort) {
        ui.onPump = [&] {
            if (f.printing && f.btnPrint.Enabled())
                f.btnPrintClick();
        };
    } else {
        automation.FailOn("Word.Application", "no Word");
    }
    f.tmrBatchTimer();
    EXPECT_EQ(ui.BoxTexts().back(), c.message);
    EXPECT_EQ(window.closeRequests, 0);
    const std::string log = Utf8LogText(files);
    ASSERT_FALSE(log.empty());
    const std::string lastLine = AnsiToUtf8(c.message) + "\r\n";
    EXPECT_EQ(log.substr(log.size() - lastLine.size()), lastLine) << "the box is the last line";
    EXPECT_EQ(f.ExitCodeValue(), c.exitCode);
    EXPECT_TRUE(f.batchMode);
}

INSTANTIATE_TEST_SUITE_P(
    Results, BatchFailureTest,
    ::testing::Values(BatchFailureCase{"Aborted", true, "印刷が中止されました。", 1},
                      BatchFailureCase{"SomeFailed", false,
                                       "印刷が終了しました。一部のファイルでエラーが発生しました。", 2}),
    [](const ::testing::TestParamInfo<BatchFailureCase>& info) { return std::string(info.param.name); });

TEST_F(MainFormTest, BatchWithAMissingListShowsTheLoadErrorWritesNoLogAndExitsThree) {
    TMainForm& f = Make({"/B", "C:\\lists\\gone.lst", kLog});
    f.FormShow();
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"ファイルが見つかりません。（File=C:\\lists\\gone.lst）    "});
    EXPECT_FALSE(f.tmrBatch.Enabled());
    EXPECT_EQ(window.closeRequests, 0);
    EXPECT_FALSE(files.files.count(kLog));
    EXPECT_EQ(f.ExitCodeValue(), 3);
}

TEST_F(MainFormTest, WindowClosedBeforeTheBatchRanExitsAsAborted) {
    WriteList(kList, {{kDocA}});
    TMainForm& f = Make({"/B", kList, kLog});
    f.FormShow();
    EXPECT_TRUE(f.FormCloseQuery());
    EXPECT_EQ(f.ExitCodeValue(), 1);
}

// ---- shutdown ----

TEST_F(MainFormTest, DestroyWritesColumnWidthsThenSavesTheSettings) {
    TMainForm& f = MakeWithEntries({{kDocA}});
    f.FileList().SetColumnWidth(1, 345);
    f.Settings().PrinterSelected = "Printer C";
    form.reset();
    TMainForm& g = Make();
    EXPECT_EQ(g.Settings().ColWidth[1], 345);
    EXPECT_EQ(g.Settings().PrinterSelected, "Printer C");
    EXPECT_EQ(g.FileList().ColumnWidths()[1], 345);
}

} // namespace
} // namespace tarvoline
