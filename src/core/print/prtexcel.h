#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation.h"
#include "print/print_run.h"

namespace tarvoline {

class PasswordKeyIn;
class c_prn;

// Prints workbooks through a new "Excel.Application" server per file, and lists their sheets for
// the sheet dialog.
class c_prtexcel : public PrintHandler {
public:
    // excelRangeDefault: the setting that stands in for an entry without an Excel range.
    c_prtexcel(c_prn& printer, Automation& automation, PasswordKeyIn& keyIn, const std::int32_t& excelRangeDefault)
        : printer_(printer), automation_(automation), keyIn_(keyIn), excelRangeDefault_(excelRangeDefault) {}

    // from, to: -1 = not given. False after a failure whose message has been shown.
    bool Print(const std::string& path, int from, int to, const std::string& password, ExcelRangeMode excelRange,
               const std::optional<std::vector<std::string>>& sheets, bool separateJobs);
    bool Print(const PrintRequest& request) override {
        return Print(request.path, request.from, request.to, request.password, request.excelRange, request.sheets,
                     request.separateJobs);
    }
    // The visible sheets' names in workbook order; shows 13009 when the workbook cannot be read.
    void ListSheetNames(const std::string& path, std::vector<std::string>& names);

private:
    void OpenWorkbook(const std::string& path);
    void CloseWorkbook();
    void VisibleSheetNames(std::vector<std::string>& names);
    void PrintWorkbook(int from, int to, ExcelRangeMode excelRange,
                       const std::optional<std::vector<std::string>>& sheets, bool separateJobs);
    void PrintOutCall(const AutoObjectPtr& target, int from, int to);
    void PrintSheetSet(const AutoObjectPtr& collection, int from, int to, bool separateJobs);
    AutoObjectPtr SheetsByNames(const std::vector<std::string>& names);

    c_prn& printer_;
    Automation& automation_;
    PasswordKeyIn& keyIn_;
    const std::int32_t& excelRangeDefault_;
    std::string openPath_;
    AutoObjectPtr application_;
    AutoObjectPtr workbooks_;
    AutoObjectPtr workbook_;
};

} // namespace tarvoline
