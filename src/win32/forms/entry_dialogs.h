#pragma once
// The entry dialogs, each shown modally over its owner with one call.
#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/sheets_dialog.h"

namespace tarvoline {

class c_filelist;
class c_prtexcel;
class TdlgDetail;

// "詳細設定" for one row of the list; its sheet button reads the workbook's sheets from sheetNames.
// Returns the modal result (1 OK, 2 Cancel).
int ShowEntryDetailDialog(HWND owner, c_filelist& list, int row, SheetNameSource& sheetNames);

// "Ｅｘｃｅｌシート選択" for the detail dialog's workbook; OK writes the checked names into its memo.
int ShowSheetsDialog(HWND owner, TdlgDetail& detail, SheetNameSource& sheetNames);

// The sheets as the main window's Excel handler reads them, through the automation server.
class ExcelSheetNames final : public SheetNameSource {
public:
    explicit ExcelSheetNames(c_prtexcel& excel) : excel_(excel) {}
    void ListSheetNames(const std::string& path, std::vector<std::string>& names) override;

private:
    c_prtexcel& excel_;
};

} // namespace tarvoline
