#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/message_services_fixture.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_classifier.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_list_host.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"
#include "list/filelist.h"
#include "list/page_range.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

// Rows 20 pixels high below a 24-pixel header; the list scrolled to its top.
class FakeListView : public ListView {
public:
    explicit FakeListView(const c_flcommon& list) : list_(list) {}
    void RowsChanged() override { ++rowsChanged; }
    void RowChanged(int row) override { changedRows.push_back(row); }
    void EnsureVisible(int) override {}
    int RowAt(int, int y) override {
        if (y < kHeader) return -1;
        const int row = (y - kHeader) / kRowHeight;
        return row < list_.RowCount() ? row : -1;
    }
    int TopVisibleRow() override { return list_.RowCount() ? 0 : -1; }
    int RowTop(int row) override { return kHeader + row * kRowHeight; }
    int RowBottom(int row) override { return RowTop(row) + kRowHeight; }
    int ClientHeight() override { return 200; }
    int FontHeight() override { return -13; }
    void ScrollBy(int dy) override { scrolls.push_back(dy); }

    static constexpr int kHeader = 24;
    static constexpr int kRowHeight = 20;
    int rowsChanged = 0;
    std::vector<int> changedRows;
    std::vector<int> scrolls;

private:
    const c_flcommon& list_;
};

class RecordingHost : public FakeListHost {
public:
    void ResetListInformation() override {
        FakeListHost::ResetListInformation();
        calls.push_back("info");
    }
    void ResetCopies() override {
        FakeListHost::ResetCopies();
        calls.push_back("copies");
    }
    std::vector<std::string> calls;
};

class RecordingDialogs : public EntryDialogs {
public:
    bool ShowEntryDetail(int row) override {
        shownRows.push_back(row);
        return static_cast<int>(shownRows.size()) != cancelAt;
    }
    void ShowFolderFiles(const std::string& folderPath) override { folders.push_back(folderPath); }
    std::vector<int> shownRows;
    std::vector<std::string> folders;
    int cancelAt = -1; // the n-th dialog (from 1) is cancelled
};

class FileListTest : public testing::MessageServicesTest {
protected:
    void SetUp() override {
        MessageServicesTest::SetUp();
        list.SetView(&view);
        list.SetHost(&host);
        list.SetEntryDialogs(&dialogs);
    }
    void AddNamed(const std::vector<std::string>& names) {
        std::vector<std::string> paths;
        for (const auto& n : names) paths.push_back("C:\\" + n + ".doc");
        list.AddFiles(paths, true, c_filelist::kAppend);
    }
    std::string Order() const {
        std::string order;
        for (int i = 0; i < list.RowCount(); ++i) {
            std::string caption = list.CellText(i, ColFileName);
            order += caption.substr(0, caption.find('.'));
        }
        return order;
    }
    void Select(std::initializer_list<int> rows) {
        for (int i = 0; i < list.RowCount(); ++i) list.SetSelected(i, false);
        for (int r : rows) list.SetSelected(r, true);
    }
    std::string SelectedNames() const {
        std::string names;
        for (int i = 0; i < list.RowCount(); ++i) {
            if (list.IsSelected(i)) names += list.CellText(i, ColFileName).substr(0, 1);
        }
        return names;
    }

    FakeClassifier classifier;
    FakeShell shell;
    bool showPasswords = false;
    c_filelist list{classifier, shell, showPasswords};
    FakeListView view{list};
    RecordingHost host;
    RecordingDialogs dialogs;
};

TEST_F(FileListTest, FolderEntryShowsItsOwnNameAndParentAndKeepsTheBackslash) {
    list.AddFiles({"D:\\docs\\"}, true, c_filelist::kAppend);
    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.CellText(0, ColFileName), "docs");
    EXPECT_EQ(list.CellText(0, ColPath), "D:\\");
    EXPECT_EQ(list.EntryPath(0), "D:\\docs\\");
    EXPECT_TRUE(list.IsFolderEntry(0));
    EXPECT_EQ(list.IconOf(0), IconFolder);
    EXPECT_TRUE(list.IsChecked(0));
}

struct EntryPathCase {
    const char* path;
    const char* caption;
    const char* folder;
    bool folderEntry;
};

class EntryPathTest : public FileListTest, public ::testing::WithParamInterface<EntryPathCase> {};

TEST_P(EntryPathTest, SplitsDoubleByteNamesOnRealBackslashesOnly) {
    const auto& c = GetParam();
    list.AddFiles({c.path}, true, c_filelist::kAppend);
    EXPECT_EQ(list.CellText(0, ColFileName), c.caption);
    EXPECT_EQ(list.CellText(0, ColPath), c.folder);
    EXPECT_EQ(list.IsFolderEntry(0), c.folderEntry);
    EXPECT_EQ(list.EntryPath(0), c.path);
}

INSTANTIATE_TEST_SUITE_P(Paths, EntryPathTest,
                         ::testing::Values(EntryPathCase{"C:\\予定\\能力表.doc", "能力表.doc", "C:\\予定\\", false},
                                           EntryPathCase{"C:\\表\\ソ表\\", "ソ表", "C:\\表\\", true},
                                           EntryPathCase{"C:\\データ\\表", "表", "C:\\データ\\", false},
                                           EntryPathCase{"\\\\server\\share\\a.xls", "a.xls", "\\\\server\\share\\", false}));

TEST_F(FileListTest, MissingAndUnsupportedFilesShowNoIconButStay) {
    classifier.kinds["C:\\gone.doc"] = FileKind::Missing;
    list.AddFiles({"C:\\gone.doc", "C:\\notes.txt", "C:\\a.pdf", "C:\\b.vsdx", "C:\\c.PPTX"}, true,
                  c_filelist::kAppend);
    EXPECT_EQ(list.RowCount(), 5);
    EXPECT_EQ(list.IconOf(0), IconNone);
    EXPECT_EQ(list.IconOf(1), IconNone);
    EXPECT_EQ(list.IconOf(2), IconPdf);
    EXPECT_EQ(list.IconOf(3), IconVisio);
    EXPECT_EQ(list.IconOf(4), IconPowerPoint);
}

TEST_F(FileListTest, SettingsAreHeldInCellsAndReadBack) {
    list.AddFiles({"C:\\book.xlsx"}, true, c_filelist::kAppend);
    list.SetEntrySettings(0, "2-5", true, {"Sheet1", "My Sheet", "a\"b"}, ExcelRangeMode::SelectedSheets, "pw");
    EXPECT_EQ(list.CellText(0, ColPageRange), "2-5");
    EXPECT_EQ(list.CellText(0, ColPassword), "**");
    EXPECT_EQ(list.CellText(0, ColExcelRange), "シート選択");
    EXPECT_EQ(list.CellText(0, ColExcelSheets), "Sheet1,\"My Sheet\",\"a\"\"b\"");
    EXPECT_EQ(list.CellText(0, ColExcelJob), "シート毎");
    const EntrySettings settings = list.GetEntrySettings(0);
    EXPECT_EQ(settings.PageRange, "2-5");
    EXPECT_TRUE(settings.SeparateJobs);
    EXPECT_EQ(settings.ExcelRange, ExcelRangeMode::SelectedSheets);
    EXPECT_EQ(settings.Password, "pw");
    EXPECT_EQ(settings.Sheets, (std::vector<std::string>{"Sheet1", "My Sheet", "a\"b"}));
}

TEST_F(FileListTest, NameConditionKeepsItsTextButDoesNotShowIt) {
    list.AddFiles({"C:\\book.xls"}, true, c_filelist::kAppend);
    list.SetEntrySettings(0, "", false, {"2024"}, ExcelRangeMode::NameContains, "");
    EXPECT_EQ(list.CellText(0, ColExcelRange), "文字列を含む");
    EXPECT_EQ(list.CellText(0, ColExcelSheets), "");
    EXPECT_EQ(list.GetEntrySettings(0).Sheets, (std::vector<std::string>{"2024"}));
    // Another mode drops the sheets.
    list.SetEntrySettings(0, "", false, {"2024"}, ExcelRangeMode::WholeBook, "");
    EXPECT_TRUE(list.GetEntrySettings(0).Sheets.empty());
    EXPECT_EQ(list.CellText(0, ColExcelRange), "ブック全体");
}

TEST_F(FileListTest, UnknownExcelRangeTextReadsAsNone) {
    list.AddFiles({"C:\\book.xls"}, true, c_filelist::kAppend);
    list.SetCellText(0, ColExcelRange, "ブック");
    EXPECT_EQ(list.GetEntrySettings(0).ExcelRange, ExcelRangeMode::None);
    EXPECT_EQ(ExcelRangeText(static_cast<ExcelRangeMode>(9)), "");
    EXPECT_EQ(ExcelRangeFromText("現在のシート"), ExcelRangeMode::ActiveSheet);
    EXPECT_EQ(ExcelRangeFromText("文字列を含まない"), ExcelRangeMode::NameNotContains);
}

TEST_F(FileListTest, PasswordColumnMasksCharactersNotBytes) {
    list.AddFiles({"C:\\a.doc"}, true, c_filelist::kAppend);
    list.SetEntrySettings(0, "", false, {}, ExcelRangeMode::None, "秘密鍵");
    EXPECT_EQ(list.CellText(0, ColPassword), "***");
    showPasswords = true;
    list.RefreshPasswordColumn();
    EXPECT_EQ(list.CellText(0, ColPassword), "秘密鍵");
}

TEST_F(FileListTest, ModifiedFollowsEveryRowChangeAndClearListResetsIt) {
    list.AddFiles({"C:\\a.doc", "C:\\b.doc"}, true, c_filelist::kAppend);
    EXPECT_TRUE(list.Modified);
    list.Modified = false; // as after loading a list file
    list.SetSelected(1, true);
    EXPECT_TRUE(list.Modified);
    list.Modified = false;
    list.SetSelected(1, true); // no change, no notification
    EXPECT_FALSE(list.Modified);
    list.SetChecked(0, false);
    EXPECT_TRUE(list.Modified);

    list.ListPassword = "secret";
    const int before = host.notifications;
    list.ClearList();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_FALSE(list.Modified);
    EXPECT_EQ(list.ListPassword, "");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"info", "copies"}));
    EXPECT_GT(host.notifications, before);
}

TEST(PageRangeTest, SplitFromTo) {
    struct Case {
        const char* text;
        FromTo expected;
    };
    const Case cases[] = {{" 2-", {2, -1}}, {"-", {-1, -1}},  {"a", {-1, -1}},   {"5", {5, 5}},
                          {"3-7", {3, 7}},  {"-7", {-1, 7}},  {"", {-1, -1}},    {"\t 4-9 \r\n", {4, 9}},
                          {"x-3", {-1, 3}}, {"3-x", {3, -1}}, {"1-2-3", {1, -1}}};
    for (const auto& c : cases) EXPECT_EQ(SplitFromTo(c.text), c.expected) << c.text;
}

TEST(PageRangeTest, JoinFromToAndPageNumbers) {
    EXPECT_EQ(JoinFromTo(-1, 4), "-4");
    EXPECT_EQ(JoinFromTo(-1, -1), "");
    EXPECT_EQ(JoinFromTo(3, -1), "3-");
    EXPECT_EQ(JoinFromTo(3, 7), "3-7");
    EXPECT_EQ(PageNumberText(-1), "");
    EXPECT_EQ(PageNumberText(12), "12");
    EXPECT_EQ(PageNumberFromText(""), -1);
    EXPECT_EQ(PageNumberFromText("12"), 12);
    EXPECT_EQ(PageNumberFromText("1 2"), -1);
    EXPECT_EQ(PageNumberFromText("99999999999"), -1);
}

struct MoveCase {
    const char* name;
    std::vector<int> selected;
    bool up;
    bool moved;
    const char* order;
};

class MoveTest : public FileListTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTest, MovesTheSelectedBlockOneStep) {
    const auto& c = GetParam();
    AddNamed({"K", "L", "M", "N", "P"});
    for (int r : c.selected) list.SetSelected(r, true);
    list.Modified = false;
    EXPECT_EQ(list.MoveSelectedStep(c.up, true), c.moved);
    EXPECT_EQ(Order(), "KLMNP") << "a test call changes nothing";
    EXPECT_EQ(list.MoveSelectedStep(c.up, false), c.moved);
    EXPECT_EQ(Order(), c.order);
    EXPECT_EQ(list.Modified, c.moved);
    if (c.moved) {
        EXPECT_EQ(list.SelectedCount(), static_cast<int>(c.selected.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, MoveTest,
                         ::testing::Values(MoveCase{"gapUp", {1, 3}, true, true, "LNKMP"},
                                           MoveCase{"gapDown", {1, 3}, false, true, "KMPLN"},
                                           MoveCase{"pairDown", {1, 2}, false, true, "KNLMP"},
                                           MoveCase{"pairUp", {1, 2}, true, true, "LMKNP"},
                                           MoveCase{"firstUp", {0}, true, false, "KLMNP"},
                                           MoveCase{"lastDown", {4}, false, false, "KLMNP"},
                                           MoveCase{"nothingSelected", {}, true, false, "KLMNP"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileListTest, DropInsideTheSelectionSpanIsRefused) {
    AddNamed({"K", "L", "M", "N", "P"});
    Select({1, 3});
    list.BeginRowDrag();
    list.RowDrop(2, view.RowTop(2) + 5);
    list.EndRowDrag();
    EXPECT_EQ(Order(), "KLMNP");
    EXPECT_FALSE(list.DragInProgress);
}

TEST_F(FileListTest, DropBelowTheLastRowMovesToTheEndAndOnARowMovesBeforeIt) {
    AddNamed({"K", "L", "M", "N", "P"});
    Select({0});
    list.BeginRowDrag();
    list.RowDrop(4, view.RowBottom(4) + 30);
    EXPECT_EQ(Order(), "LMNPK");
    list.RowDrop(1, view.RowTop(1) + 3);
    EXPECT_EQ(Order(), "LKMNP");
    list.RowDrop(-1, 0); // no target row
    EXPECT_EQ(Order(), "LKMNP");
}

TEST_F(FileListTest, DragOverScrollsOnEveryTenthAcceptedNotification) {
    AddNamed({"K"});
    EXPECT_FALSE(list.RowDragOver(true, 5)) << "no drag of our own rows is going on";
    list.BeginRowDrag();
    EXPECT_FALSE(list.RowDragOver(false, 5)) << "something else is dragged";
    // Align the program-wide counter to a multiple of ten first.
    while (c_filelist::DragOverCounter() % 10 != 0) list.RowDragOver(true, 100);
    view.scrolls.clear();
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(list.RowDragOver(true, 5));
    for (int i = 0; i < 10; ++i) list.RowDragOver(true, 250);
    for (int i = 0; i < 10; ++i) list.RowDragOver(true, 100);
    EXPECT_EQ(view.scrolls, (std::vector<int>{-13, 13}));
}

TEST_F(FileListTest, RemoveSelectsTheRowThatTookThePlace) {
    AddNamed({"A", "B", "C", "D", "E"});
    Select({2, 3});
    list.RemoveSelected();
    EXPECT_EQ(Order(), "ABE");
    EXPECT_EQ(SelectedNames(), "E");

    AddNamed({"F", "G"});
    Select({3, 4});
    list.RemoveSelected();
    EXPECT_EQ(Order(), "ABE");
    EXPECT_EQ(SelectedNames(), "E");

    list.Modified = false;
    Select({});
    list.Modified = false;
    list.RemoveSelected();
    EXPECT_EQ(Order(), "ABE");
    EXPECT_TRUE(list.Modified) << "set even when nothing was selected";
}

TEST_F(FileListTest, SortGroupsByFolderThenPath) {
    list.AddFiles({"D:\\b\\x.doc", "D:\\a\\z.doc", "D:\\A\\y.doc", "D:\\a\\", "D:\\a\\sub\\k.doc", "D:\\0.doc"}, true,
                  c_filelist::kAppend);
    list.Modified = false;
    list.SortByPath();
    std::vector<std::string> paths;
    for (int i = 0; i < list.RowCount(); ++i) paths.push_back(list.EntryPath(i));
    EXPECT_EQ(paths, (std::vector<std::string>{"D:\\0.doc", "D:\\a\\", "D:\\A\\y.doc", "D:\\a\\z.doc",
                                               "D:\\a\\sub\\k.doc", "D:\\b\\x.doc"}));
    EXPECT_TRUE(list.Modified);
}

TEST_F(FileListTest, AddPositionsKeepTheAddedPathsTogetherAndInOrder) {
    AddNamed({"A", "B", "C"});
    list.AddFiles({"C:\\X.doc", "C:\\Y.doc"}, true, c_filelist::kInsertFirst);
    EXPECT_EQ(Order(), "XYABC");
    list.AddFiles({"C:\\P.doc", "C:\\Q.doc", "C:\\R.doc"}, false, 1);
    EXPECT_EQ(Order(), "XPQRYABC");
    EXPECT_FALSE(list.IsChecked(1));
    list.AddFiles({"C:\\Z.doc", "C:\\Z.doc"}, true, c_filelist::kAppend);
    EXPECT_EQ(Order(), "XPQRYABCZZ") << "the same file may stand twice";
}

TEST_F(FileListTest, DropPositionsFollowThePoint) {
    AddNamed({"A", "B", "C"});
    list.AddFilesAt({"C:\\X.doc", "C:\\Y.doc", "C:\\Z.doc"}, 10, view.RowTop(1) + 2);
    EXPECT_EQ(Order(), "AXYZBC");
    list.AddFilesAt({"C:\\H.doc"}, 10, 5); // on the column headers
    EXPECT_EQ(Order(), "HAXYZBC");
    list.AddFilesAt({"C:\\E.doc"}, 10, 190); // below the last row
    EXPECT_EQ(Order(), "HAXYZBCE");
    list.AddFilesAt({"C:\\T.doc"}, 10, -4); // above the client area
    EXPECT_EQ(Order(), "THAXYZBCE");
}

TEST_F(FileListTest, ShortcutsAreResolvedAfterAQuestion) {
    shell.shortcutTargets["C:\\ok.lnk"] = "C:\\target.doc";
    shell.shortcutTargets["C:\\refused.lnk"] = "C:\\other.doc";
    shell.shortcutTargets["C:\\folder.lnk"] = "C:\\folder";
    classifier.kinds["C:\\folder"] = FileKind::Folder;
    // The third box is the message about the unreadable shortcut.
    ui.answers = {MessageResult::Ok, MessageResult::Cancel, MessageResult::Ok, MessageResult::Ok};
    list.AddFiles({"C:\\ok.lnk", "C:\\refused.lnk", "C:\\broken.lnk", "C:\\folder.lnk", "C:\\plain.doc"}, true,
                  c_filelist::kAppend);
    ASSERT_EQ(ui.boxes.size(), 4u);
    EXPECT_EQ(ui.boxes[0].text, "ショートカットはリストへ追加できません。実体ファイルを追加してよいですか？（実体=C:\\target.doc）");
    EXPECT_EQ(ui.boxes[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(ui.boxes[2].text, "ショートカットの実体ファイルが取得できないためこのファイルは追加できません。（C:\\broken.lnk）");
    EXPECT_EQ(ui.boxes[2].buttons, MessageButtons::Ok);
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.EntryPath(0), "C:\\target.doc");
    EXPECT_EQ(list.EntryPath(1), "C:\\folder");
    EXPECT_EQ(list.IconOf(1), IconFolder);
    EXPECT_FALSE(list.IsFolderEntry(1));
    EXPECT_EQ(list.EntryPath(2), "C:\\plain.doc");
}

TEST_F(FileListTest, AddingLooksAtEachFileOnce) {
    classifier.lookups = 0;
    list.AddFiles({"C:\\a.doc", "C:\\b.xls", "C:\\gone.pdf"}, true, c_filelist::kAppend);
    EXPECT_EQ(classifier.lookups, 3);
    EXPECT_EQ(list.IconOf(1), IconExcel);
}

TEST_F(FileListTest, DoubleClickOpensEverySelectedFileOrTheFolder) {
    list.AddFiles({"C:\\a.doc", "C:\\b.xls", "C:\\dir\\", "C:\\c.pdf"}, true, c_filelist::kAppend);
    list.DoubleClick();
    EXPECT_TRUE(shell.opened.empty()) << "nothing selected";
    Select({0, 1, 2, 3});
    list.DoubleClick();
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"C:\\a.doc", "C:\\b.xls", "C:\\c.pdf"}));
    EXPECT_TRUE(dialogs.folders.empty());
    Select({2, 3});
    EXPECT_TRUE(list.ShowFolderOfSelected(true));
    EXPECT_TRUE(dialogs.folders.empty());
    list.DoubleClick();
    EXPECT_EQ(dialogs.folders, (std::vector<std::string>{"C:\\dir\\"}));
    Select({3});
    EXPECT_FALSE(list.ShowFolderOfSelected(true));
}

TEST_F(FileListTest, EditSelectedStopsAtTheFirstCancel) {
    list.AddFiles({"C:\\a.doc", "C:\\dir\\", "C:\\b.doc", "C:\\c.doc", "C:\\d.doc"}, true, c_filelist::kAppend);
    Select({0, 1, 2, 3});
    dialogs.cancelAt = 2;
    list.EditSelected();
    EXPECT_EQ(dialogs.shownRows, (std::vector<int>{0, 2}));
}

TEST_F(FileListTest, HintIsThePathUnderTheMouse) {
    AddNamed({"A", "B"});
    list.UpdateHint(5, view.RowTop(1) + 1);
    EXPECT_EQ(list.Hint, "C:\\B.doc");
    list.UpdateHint(5, 190);
    EXPECT_EQ(list.Hint, "");
}

TEST_F(FileListTest, ColumnWidthsNeverStartBelowThirty) {
    list.SetColumnWidths({200, 10, 0, -5, 30, 31, 100});
    EXPECT_EQ(list.ColumnWidths(), (std::array<int, kListColumnCount>{200, 30, 30, 30, 30, 31, 100}));
}

TEST_F(FileListTest, CheckAllAndCount) {
    AddNamed({"A", "B", "C"});
    list.SetChecked(1, false);
    EXPECT_EQ(list.CountChecked(), 2);
    list.SetAllChecked(false);
    EXPECT_EQ(list.CountChecked(), 0);
    list.SelectAll();
    EXPECT_EQ(list.SelectedCount(), 3);
}

} // namespace
} // namespace tarvoline
