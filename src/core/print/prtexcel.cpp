#include "print/prtexcel.h"

#include <algorithm>

#include "common/ansi_text.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "list/page_range.h"
#include "print/automation_values.h"
#include "print/password_keyin.h"
#include "print/prn.h"

namespace tarvoline {

namespace {

constexpr std::int32_t kSheetShown = -1; // xlSheetVisible; hidden and very hidden have other values
constexpr int kFirstPage = 1;
constexpr int kLastPage = 9999;

// The summary line of 17010. The password itself never goes into the log.
std::string SettingsLogText(const std::string& path, int from, int to, const std::string& password,
                            ExcelRangeMode excelRange, const std::optional<std::vector<std::string>>& sheets,
                            bool separateJobs) {
    std::string text =
        "file=" + path + ", Pages=" + JoinFromTo(from, to) + ", SheetRange=" + ExcelRangeText(excelRange);
    if (sheets)
        text += ", Sheets=" + SheetsCommaText(*sheets);
    if (separateJobs)
        text += ", Sepjob=Yes";
    if (!password.empty())
        text += ", Password=Yes";
    return text;
}

} // namespace

bool c_prtexcel::Print(const std::string& path, int from, int to, const std::string& password,
                       ExcelRangeMode excelRange, const std::optional<std::vector<std::string>>& sheets,
                       bool separateJobs) {
    LogMessage(17010, SettingsLogText(path, from, to, password, excelRange, sheets, separateJobs), "");
    KeyInScope keyIn(keyIn_, password, "EDTBX");
    bool printed = true;
    try {
        OpenWorkbook(path);
        PrintWorkbook(from, to, excelRange, sheets, separateJobs);
    } catch (const std::exception& error) {
        ShowMessageId(13008, path, error.what());
        printed = false;
    }
    try {
        CloseWorkbook();
    } catch (const std::exception& error) {
        ShowMessageId(13008, path, error.what());
        printed = false;
    }
    return printed;
}

void c_prtexcel::ListSheetNames(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    try {
        OpenWorkbook(path);
        VisibleSheetNames(names);
    } catch (const std::exception& error) {
        ShowMessageId(13009, path, error.what());
    }
    try {
        CloseWorkbook();
    } catch (const std::exception& error) {
        ShowMessageId(13020, path, error.what());
    }
}

void c_prtexcel::OpenWorkbook(const std::string& path) {
    application_ = automation_.Create("Excel.Application");
    // The server takes the text, not a boolean.
    automation_.Put(application_, "Visible", std::string("true"));
    workbooks_ = GetAutoObject(automation_, application_, "Workbooks");
    workbook_ = CallForAutoObject(automation_, workbooks_, "Open", {path, std::int32_t{0}, true});
    openPath_ = path;
}

void c_prtexcel::CloseWorkbook() {
    // The server is told to quit even when the workbook refuses to close, and no reference outlives
    // the call; the first error goes to the caller.
    const AutoObjectPtr workbook = std::move(workbook_);
    const AutoObjectPtr application = std::move(application_);
    workbook_.reset();
    application_.reset();
    workbooks_.reset();
    openPath_.clear();
    std::optional<AutomationError> failure;
    if (workbook) {
        try {
            automation_.Call(workbook, "Close", {false});
        } catch (const AutomationError& error) {
            failure = error;
        }
    }
    if (application) {
        try {
            automation_.Call(application, "Quit");
        } catch (const AutomationError& error) {
            if (!failure)
                failure = error;
        }
    }
    if (failure)
        throw *failure;
}

void c_prtexcel::VisibleSheetNames(std::vector<std::string>& names) {
    const std::int32_t count = GetAutoInteger(automation_, GetAutoObject(automation_, workbook_, "Sheets"), "Count");
    for (std::int32_t i = 1; i <= count; ++i) {
        const AutoObjectPtr sheet =
            GetAutoObject(automation_, GetAutoObject(automation_, workbook_, "Sheets"), "Item", {i});
        if (GetAutoInteger(automation_, sheet, "Visible") == kSheetShown)
            names.push_back(GetAutoText(automation_, sheet, "Name"));
    }
}

void c_prtexcel::PrintWorkbook(int from, int to, ExcelRangeMode excelRange,
                               const std::optional<std::vector<std::string>>& sheets, bool separateJobs) {
    const ExcelRangeMode mode =
        excelRange == ExcelRangeMode::None ? static_cast<ExcelRangeMode>(excelRangeDefault_) : excelRange;

    // Sheets chosen by name among the visible ones; without a list, every visible sheet.
    const auto printNamedSheets = [&](const std::vector<std::string>* names) {
        std::vector<std::string> visible;
        VisibleSheetNames(visible);
        if (!names) {
            PrintSheetSet(SheetsByNames(visible), from, to, separateJobs);
            return;
        }
        std::vector<std::string> found;
        std::vector<std::string> missing;
        for (const std::string& name : *names) {
            const bool present = std::any_of(visible.begin(), visible.end(), [&](const std::string& shown) {
                return SameTextIgnoringCase(shown, name);
            });
            (present ? found : missing).push_back(name);
        }
        if (!missing.empty())
            ShowMessageId(13052, openPath_, SheetsCommaText(missing));
        PrintSheetSet(SheetsByNames(found), from, to, separateJobs);
    };

    switch (mode) {
    case ExcelRangeMode::WholeBook:
        if (separateJobs)
            printNamedSheets(nullptr);
        else
            PrintOutCall(workbook_, from, to);
        break;
    case ExcelRangeMode::SelectedSheets:
        printNamedSheets(sheets ? &*sheets : nullptr);
        break;
    case ExcelRangeMode::NameContains:
    case ExcelRangeMode::NameNotContains: {
        // Without a condition line the condition is empty, which every name contains.
        const std::string condition = sheets && !sheets->empty() ? sheets->front() : std::string();
        const bool wanted = mode == ExcelRangeMode::NameContains;
        std::vector<std::string> visible;
        VisibleSheetNames(visible);
        std::vector<std::string> matched;
        for (const std::string& name : visible) {
            if (ContainsText(name, condition) == wanted)
                matched.push_back(name);
        }
        if (matched.empty()) {
            ShowMessageId(13034);
            break;
        }
        PrintSheetSet(SheetsByNames(matched), from, to, separateJobs);
        break;
    }
    default: {
        const AutoObjectPtr window = GetAutoObject(automation_, application_, "ActiveWindow");
        PrintSheetSet(GetAutoObject(automation_, window, "SelectedSheets"), from, to, separateJobs);
        break;
    }
    }
}

void c_prtexcel::PrintOutCall(const AutoObjectPtr& target, int from, int to) {
    automation_.Call(target, "PrintOut",
                     {std::int32_t{from == -1 ? kFirstPage : from}, std::int32_t{to == -1 ? kLastPage : to},
                      AutoMissing{}, AutoMissing{}, printer_.EffectivePrinter()});
}

void c_prtexcel::PrintSheetSet(const AutoObjectPtr& collection, int from, int to, bool separateJobs) {
    if (!separateJobs) {
        PrintOutCall(collection, from, to);
        return;
    }
    const std::int32_t count = GetAutoInteger(automation_, collection, "Count");
    for (std::int32_t i = 1; i <= count; ++i)
        PrintOutCall(GetAutoObject(automation_, collection, "Item", {i}), from, to);
}

AutoObjectPtr c_prtexcel::SheetsByNames(const std::vector<std::string>& names) {
    return GetAutoObject(automation_, workbook_, "Sheets", {names});
}

} // namespace tarvoline
