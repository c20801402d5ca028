// Opens one of the entry dialogs over a sample print list, for screenshots and the end-to-end check:
//   entry_dialog_preview word|excel|pdf|visio|sheets
// The exit code is the dialog's modal result (1 OK, 2 Cancel), 9 for a wrong argument. The sheet names
// come from a list in the program, not from Excel.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/messages.h"
#include "dialogs/detail_dialog.h"
#include "fakes/fake_classifier.h"
#include "fakes/fake_list_host.h"
#include "fakes/fake_shell.h"
#include "forms/entry_dialogs.h"
#include "list/filelist.h"
#include "main_window.h"
#include "win32_ui.h"

using namespace tarvoline;

namespace {

class SampleSheets : public SheetNameSource {
public:
    void ListSheetNames(const std::string&, std::vector<std::string>& names) override {
        names = {"4月", "5月", "6月 集計", "7月", "マスタ"};
    }
};

class NoSheetDialog : public SheetDialogOpener {
public:
    void ShowSheetDialog(TdlgDetail&) override {}
};

} // namespace

int main(int argc, char** argv) {
    InitCommonControls();
    if (argc != 2)
        return 9;
    MainWindow mainWindow; // never created: boxes go without an owner
    Win32Ui ui(mainWindow);
    SetMessageUi(&ui);
    testing::FakeClassifier classifier;
    testing::FakeShell shell;
    const bool showPasswords = false;
    c_filelist list(classifier, shell, showPasswords);
    testing::FakeListHost host;
    list.SetHost(&host);
    SampleSheets sheets;

    const std::string which = argv[1];
    const std::vector<std::string> chosen = {"4月", "6月 集計"};
    if (which == "word")
        list.AddFiles({"C:\\帳票\\議事録（第３回）.docx"}, true, c_filelist::kAppend, false, {}, ExcelRangeMode::None,
                      "himitsu", "1,3,5-7");
    else if (which == "excel" || which == "sheets")
        list.AddFiles({"C:\\帳票\\売上集計表.xlsx"}, true, c_filelist::kAppend, true, chosen,
                      ExcelRangeMode::SelectedSheets, "", "2-");
    else if (which == "pdf")
        list.AddFiles({"C:\\帳票\\操作手順書.pdf"}, true, c_filelist::kAppend);
    else if (which == "visio")
        list.AddFiles({"C:\\帳票\\フロア配置図.vsdx"}, true, c_filelist::kAppend, false, {}, ExcelRangeMode::None, "",
                      "1-2");
    else
        return 9;

    int result;
    if (which == "sheets") {
        // The sheet dialog as the detail dialog's button opens it, for the entry's chosen sheets.
        NoSheetDialog none;
        TdlgDetail detail(list, 0, none);
        detail.FormShow();
        result = ShowSheetsDialog(nullptr, detail, sheets);
    } else {
        result = ShowEntryDetailDialog(nullptr, list, 0, sheets);
    }
    SetMessageUi(nullptr);
    return result;
}
