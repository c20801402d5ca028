#pragma once
// A print list with entries of every kind, and the detail dialog over one of its rows, played as the
// binder plays a user: the value goes in first, then the handler runs.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/detail_dialog.h"
#include "fakes/fake_classifier.h"
#include "fakes/fake_list_host.h"
#include "fakes/fake_shell.h"
#include "fakes/message_services_fixture.h"
#include "list/filelist.h"

namespace tarvoline::testing {

// Runs a script in place of the sheet dialog.
class ScriptedSheetDialog : public SheetDialogOpener {
public:
    void ShowSheetDialog(TdlgDetail& detail) override {
        ++shown;
        if (script)
            script(detail);
    }
    std::function<void(TdlgDetail&)> script;
    int shown = 0;
};

class DetailDialogTest : public MessageServicesTest {
protected:
    void SetUp() override {
        MessageServicesTest::SetUp();
        list.SetHost(&host);
        classifier.kinds["C:\\data\\plan.jtd"] = FileKind::Other;
    }

    // Appends an entry and returns its row.
    int AddEntry(const std::string& path, const EntrySettings& settings = {}) {
        list.AddFiles({path}, true, c_filelist::kAppend, settings.SeparateJobs, settings.Sheets, settings.ExcelRange,
                      settings.Password, settings.PageRange);
        list.Modified = false;
        return list.RowCount() - 1;
    }
    // The dialog for a row, shown.
    std::unique_ptr<TdlgDetail> Open(int row) {
        auto dialog = std::make_unique<TdlgDetail>(list, row, sheetDialog);
        dialog->FormShow();
        return dialog;
    }

    static void Type(Control& edit, const std::string& text) {
        edit.StoreText(text);
        if (edit.OnChange)
            edit.OnChange();
    }
    static void Click(CheckControl& box, bool checked = true) {
        box.StoreChecked(checked);
        if (box.OnClick)
            box.OnClick();
    }
    static void Press(Control& button) { button.OnClick(); }

    FakeClassifier classifier;
    FakeShell shell;
    bool showPasswords = false;
    c_filelist list{classifier, shell, showPasswords};
    FakeListHost host;
    ScriptedSheetDialog sheetDialog;
};

} // namespace tarvoline::testing
