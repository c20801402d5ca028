#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "detail_dialog_fixture.h"
#include "dialogs/sheets_dialog.h"

namespace tarvoline {
namespace {

using Lines = std::vector<std::string>;

// A workbook's sheets as Excel would list them, and what the dialog showed while they were read.
class FakeSheetSource : public SheetNameSource {
public:
    explicit FakeSheetSource(testing::FakeUi& ui) : ui_(ui) {}
    void ListSheetNames(const std::string& path, std::vector<std::string>& names) override {
        paths.push_back(path);
        pumpsBefore = ui_.pumpCount;
        hourglassWhileReading = ui_.waitCursorDepth > 0;
        if (dialog)
            messageWhileReading = dialog->lblMsg.Text();
        names = sheets;
    }
    Lines sheets;
    Lines paths;
    int pumpsBefore = 0;
    bool hourglassWhileReading = false;
    std::string messageWhileReading;
    const TdlgSheets* dialog = nullptr;

private:
    testing::FakeUi& ui_;
};

class SheetsDialogTest : public testing::DetailDialogTest {
protected:
    // The detail dialog of a workbook whose memo holds these lines.
    std::unique_ptr<TdlgDetail> OpenBook(const Lines& memo) {
        auto detail = Open(AddEntry("C:\\帳票\\集計.xlsx", {"", false, ExcelRangeMode::SelectedSheets, "", memo}));
        return detail;
    }
    Lines CheckedNames(const TdlgSheets& dialog) const {
        Lines names;
        for (int i = 0; i < static_cast<int>(dialog.clxSheets.Items().size()); ++i)
            if (dialog.clxSheets.ItemChecked(i))
                names.push_back(dialog.clxSheets.Items()[static_cast<std::size_t>(i)]);
        return names;
    }
    FakeSheetSource source{ui};
};

TEST_F(SheetsDialogTest, FirstActivationReadsTheNamesBehindTheWaitTextAndChecksTheChosenIgnoringCase) {
    const auto detail = OpenBook({"sheet2", "Gone", "月次"});
    source.sheets = {"Sheet1", "Sheet2", "月次", "Summary"};
    TdlgSheets dialog(*detail, source);
    source.dialog = &dialog;
    EXPECT_EQ(dialog.Caption(), "Ｅｘｃｅｌシート選択");
    EXPECT_EQ(dialog.memFileName.Text(), "C:\\帳票\\集計.xlsx");
    EXPECT_EQ(dialog.lblMsg.Text(), "Ｅｘｃｅｌシート情報を取得中です．．．");
    EXPECT_EQ(dialog.btnOk.Text(), "OK(&O)");
    EXPECT_FALSE(dialog.tmrActivated.Enabled());
    EXPECT_EQ(dialog.tmrActivated.Interval(), 500);

    dialog.FormActivate();
    EXPECT_EQ(source.paths, (Lines{"C:\\帳票\\集計.xlsx"}));
    EXPECT_GE(source.pumpsBefore, 1) << "the wait text is painted before Excel starts";
    EXPECT_TRUE(source.hourglassWhileReading);
    EXPECT_EQ(source.messageWhileReading, "Ｅｘｃｅｌシート情報を取得中です．．．");
    EXPECT_EQ(ui.waitCursorDepth, 0) << "the cursor comes back";
    EXPECT_EQ(dialog.clxSheets.Items(), (Lines{"Sheet1", "Sheet2", "月次", "Summary"}));
    EXPECT_EQ(CheckedNames(dialog), (Lines{"Sheet2", "月次"}));
    EXPECT_EQ(dialog.lblMsg.Text(), "印刷するシート名をチェックしてください。");
    EXPECT_TRUE(dialog.tmrActivated.Enabled());
    EXPECT_TRUE(ui.boxes.empty());

    // Back from another window: no second reading, the user's checks stay.
    dialog.clxSheets.StoreItemChecked(0, true);
    dialog.FormActivate();
    EXPECT_EQ(source.paths.size(), 1u);
    EXPECT_EQ(CheckedNames(dialog), (Lines{"Sheet1", "Sheet2", "月次"}));
    dialog.tmrActivatedTimer();
    EXPECT_EQ(dialog.ModalResult(), mrNone) << "with sheets the timer does nothing";
}

TEST_F(SheetsDialogTest, NoSheetsShowsTheMessageAndTheTimerClosesWithCancel) {
    const auto detail = OpenBook({"A"});
    TdlgSheets dialog(*detail, source);
    dialog.FormActivate();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "シート情報が取得できませんでした。            ");
    EXPECT_EQ(dialog.ModalResult(), mrNone);
    ASSERT_TRUE(dialog.tmrActivated.Enabled());
    dialog.tmrActivated.OnTimer();
    EXPECT_EQ(dialog.ModalResult(), mrCancel);
    EXPECT_EQ(detail->memExrngSheets.Text(), "A");
}

TEST_F(SheetsDialogTest, OkNeedsACheckedSheetAndWritesTheCheckedNamesInWorkbookOrder) {
    const auto detail = OpenBook({"Zeta"});
    source.sheets = {"Zeta", "Alpha", "Beta"};
    sheetDialog.script = [&](TdlgDetail& opened) {
        TdlgSheets dialog(opened, source);
        dialog.FormActivate();
        Press(dialog.btnAllUncheck);
        EXPECT_TRUE(CheckedNames(dialog).empty());
        Press(dialog.btnOk);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "少なくとも一つはシートを選択してください。 ");
        EXPECT_EQ(dialog.ModalResult(), mrNone);
        Press(dialog.btnAllCheck);
        Press(dialog.btnOk);
        EXPECT_EQ(dialog.ModalResult(), mrOk);
    };
    Press(detail->btnExrngSheets);
    EXPECT_EQ(detail->memExrngSheets.Text(), "Zeta\r\nAlpha\r\nBeta");
    EXPECT_EQ(detail->SheetMemoLines(), (Lines{"Zeta", "Alpha", "Beta"}));
}

TEST_F(SheetsDialogTest, CancelLeavesTheMemoAndHelpOpensTheTopic) {
    const auto detail = OpenBook({"Alpha"});
    source.sheets = {"Alpha", "Beta"};
    TdlgSheets dialog(*detail, source);
    std::vector<int> topics;
    dialog.ShowHelp = [&](int context) { topics.push_back(context); };
    dialog.FormActivate();
    dialog.clxSheets.StoreItemChecked(1, true);
    Press(dialog.btnHelp);
    EXPECT_EQ(topics, (std::vector<int>{30}));
    Press(dialog.btnCancel);
    EXPECT_EQ(dialog.ModalResult(), mrCancel);
    EXPECT_EQ(detail->memExrngSheets.Text(), "Alpha");
}

} // namespace
} // namespace tarvoline
