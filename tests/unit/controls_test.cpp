#include <gtest/gtest.h>

#include <vector>

#include "app/controls.h"

namespace tarvoline {
namespace {

class RecordingSink : public ControlSink {
public:
    void ControlChanged(Control& control) override { changed.push_back(control.Name()); }
    std::vector<std::string> changed;
};

TEST(ControlsTest, ProgramChangesReachTheSinkOnceAndUserChangesDoNot) {
    RecordingSink sink;
    Control edit("edtPrtNum", "1");
    CheckControl check("chkListPasswd", "パスワード保護");
    ListControl combo("cmbPrinters");
    for (Control* c : std::initializer_list<Control*>{&edit, &check, &combo}) c->SetSink(&sink);

    edit.SetText("2");
    edit.SetText("2"); // unchanged: no notification
    edit.StoreText("3");
    check.SetChecked(true);
    check.StoreChecked(false);
    combo.SetItems({"PDF", "事務室"});
    combo.SetItemIndex(1);
    combo.SetEnabled(false);
    edit.SetFocus();

    EXPECT_EQ(sink.changed,
              (std::vector<std::string>{"edtPrtNum", "chkListPasswd", "cmbPrinters", "cmbPrinters", "cmbPrinters",
                                        "edtPrtNum"}));
    EXPECT_EQ(edit.Text(), "3");
    EXPECT_FALSE(check.Checked());
    EXPECT_EQ(combo.SelectedText(), "事務室");
    EXPECT_TRUE(edit.Focused());
}

TEST(ControlsTest, ListItemsResetTheSelectionAndChecks) {
    ListControl sheets("clxSheets");
    sheets.SetItems({"Sheet1", "Sheet2"});
    sheets.SetItemChecked(1, true);
    sheets.SetItemIndex(1);
    EXPECT_TRUE(sheets.ItemChecked(1));
    sheets.SetItems({"A"});
    EXPECT_EQ(sheets.ItemIndex(), -1);
    EXPECT_EQ(sheets.SelectedText(), "");
    EXPECT_FALSE(sheets.ItemChecked(0));
    EXPECT_THROW(sheets.ItemChecked(1), std::out_of_range);
}

TEST(ControlsTest, RowListsNotifyRowsIconsAndScrollRequests) {
    RecordingSink sink;
    RowListControl rows("lstFiles");
    rows.SetSink(&sink);
    rows.SetRows({{"a.doc", 0}, {"Sub\\b.xls", 2}});
    rows.SetRows({{"a.doc", 0}, {"Sub\\b.xls", 2}}); // unchanged
    rows.SetRowIcon(1, 4);
    rows.SetRowIcon(1, 4); // unchanged
    rows.MakeRowVisible(1);
    EXPECT_EQ(sink.changed, (std::vector<std::string>{"lstFiles", "lstFiles", "lstFiles"}));
    EXPECT_EQ(rows.RowAt(1), (RowListControl::Row{"Sub\\b.xls", 4}));
    EXPECT_EQ(rows.RowToShow(), 1);
    rows.RowShown();
    EXPECT_EQ(rows.RowToShow(), -1);
    EXPECT_THROW(rows.SetRowIcon(2, 0), std::out_of_range);
}

} // namespace
} // namespace tarvoline
