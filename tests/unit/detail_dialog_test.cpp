#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "detail_dialog_fixture.h"

namespace tarvoline {
namespace {

using testing::DetailDialogTest;
using Lines = std::vector<std::string>;

struct KindCase {
    const char* path;
    bool fromTo;       // edtSPage, edtEPage and their labels
    bool pageList;     // edtPages and lblPages
    bool noRangeNote;  // lblPagesPDF
    bool rangeEnabled; // rdoPageRange
    bool password;     // the password group's controls
    bool excel;        // the Excel group's controls
};

TEST_F(DetailDialogTest, ControlsFollowTheFileKind) {
    const KindCase cases[] = {
        {"C:\\data\\report.docx", false, true, false, true, true, false},
        {"C:\\data\\sales.xlsx", true, false, false, true, true, true},
        {"C:\\data\\talk.pptx", false, true, false, true, true, false},
        {"C:\\data\\manual.pdf", false, false, true, false, true, false},
        {"C:\\data\\floor.vsd", true, false, false, true, false, false},
        {"C:\\data\\plan.jtd", false, false, true, false, false, false},
    };
    for (const KindCase& c : cases) {
        const auto dialog = Open(AddEntry(c.path));
        EXPECT_EQ(dialog->Caption(), "詳細設定");
        EXPECT_EQ(dialog->memFileName.Text(), c.path);
        for (Control* control : {&dialog->edtSPage, &dialog->edtEPage, &dialog->lblSPage, &dialog->lblEPage})
            EXPECT_EQ(control->Visible(), c.fromTo) << c.path << " " << control->Name();
        EXPECT_EQ(dialog->edtPages.Visible(), c.pageList) << c.path;
        EXPECT_EQ(dialog->lblPages.Visible(), c.pageList) << c.path;
        EXPECT_EQ(dialog->lblPagesPDF.Visible(), c.noRangeNote) << c.path;
        EXPECT_TRUE(dialog->rdoPageAll.Visible() && dialog->rdoPageAll.Enabled()) << c.path;
        EXPECT_EQ(dialog->rdoPageRange.Enabled(), c.rangeEnabled) << c.path;
        EXPECT_TRUE(dialog->rdoPageAll.Checked()) << c.path;
        for (Control* control : {static_cast<Control*>(&dialog->grbPasswd), static_cast<Control*>(&dialog->chkPasswd),
                                 static_cast<Control*>(&dialog->edtPasswd)})
            EXPECT_EQ(control->Enabled(), c.password) << c.path << " " << control->Name();
        for (Control* control : {static_cast<Control*>(&dialog->grbExcel), static_cast<Control*>(&dialog->rdoExrngBook),
                                 static_cast<Control*>(&dialog->memExrngSheets),
                                 static_cast<Control*>(&dialog->chkExshtSepjob)})
            EXPECT_EQ(control->Visible(), c.excel) << c.path << " " << control->Name();
    }
}

TEST_F(DetailDialogTest, OpensWithTheEntrysSettings) {
    const int row = AddEntry("C:\\data\\sales.xlsx", {"2-5", true, ExcelRangeMode::SelectedSheets, "pw", {"Sheet1", "My Sheet"}});
    const auto dialog = Open(row);
    EXPECT_TRUE(dialog->rdoPageRange.Checked());
    EXPECT_FALSE(dialog->rdoPageAll.Checked());
    EXPECT_EQ(dialog->edtSPage.Text(), "2");
    EXPECT_EQ(dialog->edtEPage.Text(), "5");
    EXPECT_TRUE(dialog->chkPasswd.Checked());
    EXPECT_EQ(dialog->edtPasswd.Text(), "pw");
    EXPECT_EQ(dialog->edtPasswd.PasswordChar(), '\0') << "the password is shown in clear";
    EXPECT_TRUE(dialog->rdoExrngSheets.Checked());
    EXPECT_EQ(dialog->memExrngSheets.Text(), "Sheet1\r\nMy Sheet");
    EXPECT_TRUE(dialog->memExrngSheets.Enabled());
    EXPECT_TRUE(dialog->btnExrngSheets.Enabled());
    EXPECT_FALSE(dialog->edtExrngCond.Enabled());
    EXPECT_FALSE(dialog->cmbExrngCond.Enabled());
    EXPECT_TRUE(dialog->chkExshtSepjob.Checked());
}

struct ExcelModeCase {
    ExcelRangeMode mode;
    Lines sheets;
    const char* radio; // "" for none
    int comboIndex;
    const char* condition;
};

TEST_F(DetailDialogTest, ExcelModeOpensOnItsRadioAndOkStoresItBack) {
    const ExcelModeCase cases[] = {
        {ExcelRangeMode::None, {}, "", 0, ""},
        {ExcelRangeMode::WholeBook, {}, "rdoExrngBook", 0, ""},
        {ExcelRangeMode::ActiveSheet, {}, "rdoExrngActiveSheet", 0, ""},
        {ExcelRangeMode::NameContains, {"2024"}, "rdoExrngCond", 0, "2024"},
        {ExcelRangeMode::NameNotContains, {"案"}, "rdoExrngCond", 1, "案"},
        {ExcelRangeMode::NameContains, {}, "rdoExrngCond", 0, ""},
        {ExcelRangeMode::SelectedSheets, {"表1"}, "rdoExrngSheets", 0, ""},
    };
    for (const ExcelModeCase& c : cases) {
        const int row = AddEntry("C:\\data\\sales.xlsx", {"", false, c.mode, "", c.sheets});
        const auto dialog = Open(row);
        const int mode = static_cast<int>(c.mode);
        for (CheckControl* radio : {&dialog->rdoExrngBook, &dialog->rdoExrngActiveSheet, &dialog->rdoExrngCond,
                                    &dialog->rdoExrngSheets})
            EXPECT_EQ(radio->Checked(), radio->Name() == c.radio) << mode << " " << radio->Name();
        EXPECT_EQ(dialog->cmbExrngCond.ItemIndex(), c.comboIndex) << mode;
        EXPECT_EQ(dialog->cmbExrngCond.Items(), (Lines{"を含む", "を含まない"}));
        EXPECT_EQ(dialog->edtExrngCond.Text(), c.condition) << mode;
        EXPECT_EQ(dialog->edtExrngCond.Enabled(), std::string(c.radio) == "rdoExrngCond") << mode;
        if (c.mode == ExcelRangeMode::NameContains && c.sheets.empty()) {
            // An empty stored condition cannot be confirmed as it stands.
            Press(dialog->btnOk);
            EXPECT_EQ(dialog->ModalResult(), mrNone);
            continue;
        }
        Press(dialog->btnOk);
        ASSERT_EQ(dialog->ModalResult(), mrOk) << mode;
        const EntrySettings stored = list.GetEntrySettings(row);
        EXPECT_EQ(stored.ExcelRange, c.mode) << mode;
        EXPECT_EQ(stored.Sheets, c.sheets) << mode;
    }
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(DetailDialogTest, TypingAPageSwitchesToTheRangeAndAllPagesStoresNone) {
    const int row = AddEntry("C:\\data\\report.docx");
    const auto dialog = Open(row);
    ASSERT_TRUE(dialog->rdoPageAll.Checked());
    Type(dialog->edtPages, "1,3");
    EXPECT_TRUE(dialog->rdoPageRange.Checked());
    EXPECT_FALSE(dialog->rdoPageAll.Checked());
    Type(dialog->edtPages, " 1,3,6 ");
    Press(dialog->btnOk);
    EXPECT_EQ(list.GetEntrySettings(row).PageRange, "1,3,6");

    const auto again = Open(row);
    EXPECT_EQ(again->edtPages.Text(), "1,3,6");
    Click(again->rdoPageAll);
    EXPECT_FALSE(again->rdoPageRange.Checked());
    Press(again->btnOk);
    EXPECT_EQ(list.GetEntrySettings(row).PageRange, "");
}

TEST_F(DetailDialogTest, PdfEntryKeepsItsStoredRangeUntilAllPagesIsPicked) {
    const int row = AddEntry("C:\\data\\manual.pdf", {"1-2", false, ExcelRangeMode::None, "", {}});
    const auto dialog = Open(row);
    EXPECT_TRUE(dialog->rdoPageRange.Checked());
    EXPECT_FALSE(dialog->rdoPageRange.Enabled());
    EXPECT_FALSE(dialog->edtPages.Visible());
    Press(dialog->btnOk);
    EXPECT_EQ(list.GetEntrySettings(row).PageRange, "1-2");

    const auto again = Open(row);
    Click(again->rdoPageAll);
    Press(again->btnOk);
    EXPECT_EQ(list.GetEntrySettings(row).PageRange, "");
}

TEST_F(DetailDialogTest, FromToFieldsStoreTheJoinedRangeAndReopenAsTyped) {
    struct Case {
        const char* path;
        const char* from;
        const char* to;
        const char* stored;
    };
    const Case cases[] = {
        {"C:\\data\\sales.xlsx", "3", "", "3-"},
        {"C:\\data\\sales.xlsx", "", "7", "-7"},
        {"C:\\data\\floor.vsd", "2", "4", "2-4"},
        {"C:\\data\\floor.vsd", "x", "", ""},
    };
    for (const Case& c : cases) {
        const int row = AddEntry(c.path);
        const auto dialog = Open(row);
        Type(dialog->edtSPage, c.from);
        Type(dialog->edtEPage, c.to);
        EXPECT_TRUE(dialog->rdoPageRange.Checked()) << c.stored;
        Press(dialog->btnOk);
        EXPECT_EQ(list.GetEntrySettings(row).PageRange, c.stored);
        if (std::string(c.stored).empty())
            continue;
        const auto again = Open(row);
        EXPECT_EQ(again->edtSPage.Text(), std::string(c.from)) << c.stored;
        EXPECT_EQ(again->edtEPage.Text(), std::string(c.to)) << c.stored;
    }
}

TEST_F(DetailDialogTest, PasswordBoxFollowsTheEditAndAnEmptyPasswordIsRefused) {
    const int row = AddEntry("C:\\data\\report.docx", {"", false, ExcelRangeMode::None, "secret", {}});
    const auto dialog = Open(row);
    ASSERT_TRUE(dialog->chkPasswd.Checked());
    Type(dialog->edtPasswd, "");
    EXPECT_FALSE(dialog->chkPasswd.Checked());
    Press(dialog->btnOk);
    EXPECT_EQ(list.GetEntrySettings(row).Password, "");
    EXPECT_EQ(list.Row(row).data->Password, "");

    const auto again = Open(row);
    Type(again->edtPasswd, "n");
    EXPECT_TRUE(again->chkPasswd.Checked());
    Type(again->edtPasswd, "");
    Click(again->chkPasswd);
    Press(again->btnOk);
    EXPECT_EQ(again->ModalResult(), mrNone);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "パスワードは空文字にはできません。パスワードを入力してください。");
    Type(again->edtPasswd, "新しい");
    Press(again->btnOk);
    EXPECT_EQ(again->ModalResult(), mrOk);
    EXPECT_EQ(list.GetEntrySettings(row).Password, "新しい");
    EXPECT_EQ(list.CellText(row, ColPassword), "***");
}

TEST_F(DetailDialogTest, ValidationChecksSheetsThenConditionThenPasswordAndKeepsTheInput) {
    struct Case {
        bool sheetsRadio;
        bool condRadio;
        bool emptyPassword;
        const char* message;
    };
    const Case cases[] = {
        {true, false, true, "Excelのシートを選択してください。 "},
        {false, true, true, "シート選択条件の文字列を入力してください"},
        {false, false, true, "パスワードは空文字にはできません。パスワードを入力してください。"},
    };
    for (const Case& c : cases) {
        ui.boxes.clear();
        const int row = AddEntry("C:\\data\\sales.xlsx");
        const auto dialog = Open(row);
        Type(dialog->edtSPage, "4");
        if (c.sheetsRadio)
            Click(dialog->rdoExrngSheets);
        if (c.condRadio)
            Click(dialog->rdoExrngCond);
        if (c.emptyPassword)
            Click(dialog->chkPasswd);
        Press(dialog->btnOk);
        ASSERT_EQ(ui.boxes.size(), 1u) << c.message;
        EXPECT_EQ(ui.boxes[0].text, c.message);
        EXPECT_EQ(ui.boxes[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(dialog->ModalResult(), mrNone) << c.message;
        EXPECT_EQ(dialog->edtSPage.Text(), "4") << "the input stays";
        EXPECT_EQ(list.GetEntrySettings(row).PageRange, "") << "nothing is written";
        EXPECT_FALSE(list.Modified);
    }
}

TEST_F(DetailDialogTest, BlankConditionIsStoredAsTyped) {
    const int row = AddEntry("C:\\data\\sales.xlsx");
    const auto dialog = Open(row);
    Click(dialog->rdoExrngCond);
    EXPECT_TRUE(dialog->edtExrngCond.Enabled());
    EXPECT_FALSE(dialog->btnExrngSheets.Enabled());
    Type(dialog->edtExrngCond, "  ");
    dialog->cmbExrngCond.StoreItemIndex(1);
    Press(dialog->btnOk);
    EXPECT_TRUE(ui.boxes.empty());
    const EntrySettings stored = list.GetEntrySettings(row);
    EXPECT_EQ(stored.ExcelRange, ExcelRangeMode::NameNotContains);
    EXPECT_EQ(stored.Sheets, (Lines{"  "}));
}

TEST_F(DetailDialogTest, VisioEntryDropsAStoredPasswordAndOtherKindsDropExcelSettings) {
    const int visio = AddEntry("C:\\data\\floor.vsd", {"1-3", true, ExcelRangeMode::WholeBook, "old", {"x"}});
    const auto dialog = Open(visio);
    EXPECT_FALSE(dialog->chkPasswd.Checked());
    EXPECT_EQ(dialog->edtPasswd.Text(), "");
    EXPECT_FALSE(dialog->edtPasswd.Enabled()) << "no way to type a password for a drawing";
    Press(dialog->btnOk);
    const EntrySettings stored = list.GetEntrySettings(visio);
    EXPECT_EQ(stored.Password, "");
    EXPECT_EQ(stored.PageRange, "1-3");
    EXPECT_EQ(stored.ExcelRange, ExcelRangeMode::None);
    EXPECT_TRUE(stored.Sheets.empty());
    EXPECT_FALSE(stored.SeparateJobs);
}

TEST_F(DetailDialogTest, AnUnreachableWorkbookKeepsItsSettings) {
    classifier.kinds["\\\\server\\share\\sales.xlsx"] = FileKind::Missing;
    const EntrySettings settings{"2-", true, ExcelRangeMode::SelectedSheets, "pw", {"Sheet1"}};
    const int row = AddEntry("\\\\server\\share\\sales.xlsx", settings);
    const auto dialog = Open(row);
    EXPECT_TRUE(dialog->grbExcel.Visible());
    Press(dialog->btnOk);
    const EntrySettings stored = list.GetEntrySettings(row);
    EXPECT_EQ(stored.PageRange, "2-");
    EXPECT_TRUE(stored.SeparateJobs);
    EXPECT_EQ(stored.ExcelRange, ExcelRangeMode::SelectedSheets);
    EXPECT_EQ(stored.Password, "pw");
    EXPECT_EQ(stored.Sheets, (Lines{"Sheet1"}));
}

TEST_F(DetailDialogTest, OkAlwaysWritesAndCancelWritesNothing) {
    const int row = AddEntry("C:\\data\\report.docx");
    const auto cancelled = Open(row);
    Type(cancelled->edtPages, "2");
    Press(cancelled->btnCancel);
    EXPECT_EQ(cancelled->ModalResult(), mrCancel);
    EXPECT_EQ(list.GetEntrySettings(row).PageRange, "");
    EXPECT_FALSE(list.Modified);

    const auto unchanged = Open(row);
    Press(unchanged->btnOk);
    EXPECT_EQ(unchanged->ModalResult(), mrOk);
    EXPECT_TRUE(list.Modified);
}

TEST_F(DetailDialogTest, SheetButtonOpensTheSheetDialogAndTrimsTheMemoWhateverItsResult) {
    const int row = AddEntry("C:\\data\\sales.xlsx", {"", false, ExcelRangeMode::SelectedSheets, "", {"A"}});
    const auto dialog = Open(row);
    sheetDialog.script = [](TdlgDetail& detail) {
        EXPECT_EQ(detail.Path(), "C:\\data\\sales.xlsx");
        EXPECT_EQ(detail.SheetMemoLines(), (Lines{"A"}));
        detail.memExrngSheets.SetText("B\r\nC\r\n");
    };
    Press(dialog->btnExrngSheets);
    EXPECT_EQ(sheetDialog.shown, 1);
    EXPECT_EQ(dialog->memExrngSheets.Text(), "B\r\nC");
    Press(dialog->btnOk);
    EXPECT_EQ(list.GetEntrySettings(row).Sheets, (Lines{"B", "C"}));
    EXPECT_EQ(list.CellText(row, ColExcelSheets), "B,C");
}

TEST_F(DetailDialogTest, HelpButtonsOpenTheirTopics) {
    const auto dialog = Open(AddEntry("C:\\data\\report.docx"));
    std::vector<int> topics;
    dialog->ShowHelp = [&](int context) { topics.push_back(context); };
    Press(dialog->btnHelp);
    Press(dialog->btnHelpPasswd);
    EXPECT_EQ(topics, (std::vector<int>{30, 70}));
    EXPECT_EQ(dialog->ModalResult(), mrNone);
}

// The list's detail command with a dialog per row, each played by a script.
class PlayedDetailDialogs : public EntryDialogs {
public:
    PlayedDetailDialogs(c_filelist& list, SheetDialogOpener& sheets) : list_(list), sheets_(sheets) {}
    bool ShowEntryDetail(int row) override {
        shownRows.push_back(row);
        TdlgDetail dialog(list_, row, sheets_);
        dialog.FormShow();
        dialog.edtPages.StoreText(std::to_string(shownRows.size()));
        dialog.edtPages.OnChange();
        if (static_cast<int>(shownRows.size()) == cancelAt)
            dialog.btnCancel.OnClick();
        else
            dialog.btnOk.OnClick();
        return dialog.ModalResult() == mrOk;
    }
    void ShowFolderFiles(const std::string&) override {}
    std::vector<int> shownRows;
    int cancelAt = -1;

private:
    c_filelist& list_;
    SheetDialogOpener& sheets_;
};

TEST_F(DetailDialogTest, SeveralRowsOneAfterTheOtherUntilTheFirstCancel) {
    for (const char* path : {"C:\\a.doc", "C:\\folder\\", "C:\\b.doc", "C:\\c.doc", "C:\\d.doc"})
        AddEntry(path);
    for (int row : {0, 1, 2, 3})
        list.SetSelected(row, true);
    PlayedDetailDialogs dialogs(list, sheetDialog);
    dialogs.cancelAt = 2;
    list.SetEntryDialogs(&dialogs);
    list.EditSelected();
    EXPECT_EQ(dialogs.shownRows, (std::vector<int>{0, 2}));
    EXPECT_EQ(list.GetEntrySettings(0).PageRange, "1");
    EXPECT_EQ(list.GetEntrySettings(2).PageRange, "") << "cancelled";
    EXPECT_EQ(list.GetEntrySettings(3).PageRange, "") << "never opened";
    EXPECT_EQ(list.GetEntrySettings(1).PageRange, "") << "a folder row";
}

} // namespace
} // namespace tarvoline
