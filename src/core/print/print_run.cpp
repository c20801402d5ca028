#include "print/print_run.h"

#include <charconv>
#include <exception>

#include "common/ansi_text.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "list/page_range.h"
#include "platform/clock.h"

namespace tarvoline {

bool abortRequested = false;

namespace {

constexpr int kPauseSteps = 3;
constexpr std::int64_t kPauseStepMilliseconds = 1000;

// The copies field as an integer; text that is not a whole number gives one copy.
int CopiesFromText(const std::string& text) {
    std::string_view digits = text;
    while (!digits.empty() && digits.front() == ' ')
        digits.remove_prefix(1);
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    int copies = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), copies);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
        return 1;
    return copies;
}

} // namespace

bool PauseAfterFile(Clock& clock, const std::function<bool()>& stopRequested) {
    for (int step = 0; step < kPauseSteps; ++step) {
        if (stopRequested())
            return false;
        PumpMessages();
        clock.Sleep(kPauseStepMilliseconds);
    }
    return true;
}

int EntryPrinter::PrintEntry(const std::string& path, const std::string& pageRange, const std::string& password,
                             ExcelRangeMode excelRange, const std::optional<std::vector<std::string>>& sheets,
                             bool separateJobs) {
    LogMessage(17005, path);
    bool printed = false;
    try {
        printed = PrintByKind(path, pageRange, password, excelRange, sheets, separateJobs);
    } catch (const std::exception& error) {
        ShowMessageId(13008, path, error.what());
    } catch (...) {
        ShowMessageId(13008, path, "");
    }
    LogMessage(printed ? 17006 : 17007, path);
    return printed ? kPrintDone : kPrintFailed;
}

bool EntryPrinter::PrintByKind(const std::string& path, const std::string& pageRange, const std::string& password,
                               ExcelRangeMode excelRange, const std::optional<std::vector<std::string>>& sheets,
                               bool separateJobs) {
    const FileKind kind = classifier_.FileKindOf(path);
    PrintRequest request;
    request.path = path;
    PrintHandler* handler = nullptr;
    switch (kind) {
    case FileKind::Word:
    case FileKind::PowerPoint:
        handler = kind == FileKind::Word ? handlers_.word : handlers_.powerPoint;
        request.pageRange = pageRange;
        request.password = password;
        break;
    case FileKind::Excel: {
        handler = handlers_.excel;
        const FromTo pages = SplitFromTo(pageRange);
        request.from = pages.from;
        request.to = pages.to;
        request.password = password;
        request.excelRange = excelRange;
        request.sheets = sheets;
        request.separateJobs = separateJobs;
        break;
    }
    case FileKind::Pdf:
        handler = handlers_.pdf;
        request.password = password;
        break;
    case FileKind::Visio: {
        handler = handlers_.visio;
        const FromTo pages = SplitFromTo(pageRange);
        request.from = pages.from;
        request.to = pages.to;
        break;
    }
    case FileKind::Other:
        handler = handlers_.other;
        break;
    case FileKind::Missing:
        ShowMessageId(13039, path);
        return false;
    default:
        // Shortcuts, folders and unsupported files print nothing and count as printed.
        return true;
    }
    if (!handler) {
        // Every kind with a handler has one in the program; a gap must not pass for a printed file.
        ShowInternalError("PrintEntry", static_cast<std::int32_t>(kind), 0);
        return false;
    }
    return handler->Print(request);
}

PrintRunResult c_filelist::PrintAll() {
    if (!printRun_) {
        ShowInternalError("PrintAll", 0, 0);
        return PrintRunResult::SomeFailed;
    }
    abortRequested = false;
    PrintRunResult result = PrintRunResult::Ok;
    const auto listFile = [this] { return host_ ? host_->CurrentListFile() : std::string(); };
    ClearPrintLog();
    LogMessage(17001, listFile());

    const int copies = host_ ? CopiesFromText(host_->CopiesText()) : 1;
    for (int copy = 1; copy <= copies; ++copy) {
        // The count is read before every row: the list stays usable while the run pumps messages.
        for (int row = 0; row < RowCount(); ++row) {
            if (abortRequested) {
                result = PrintRunResult::Aborted;
                break;
            }
            if (!IsChecked(row))
                continue;
            SetStatusMessage(11203, EntryPath(row));
            if (row >= RowCount())
                break; // rows removed while the status line pumped
            SetRowIcon(row, true);
            if (view_)
                view_->EnsureVisible(row);

            const int printed = PrintListItem(row);
            if (printed == kPrintStopped) {
                result = PrintRunResult::Aborted;
                if (row < RowCount())
                    SetRowIcon(row, false);
                break;
            }
            if (printed == kPrintFailed)
                result = PrintRunResult::SomeFailed;

            if (!PauseAfterFile(printRun_->clock, [] { return abortRequested; }))
                result = PrintRunResult::Aborted;
            if (row < RowCount())
                SetRowIcon(row, false);
        }
        if (abortRequested) {
            result = PrintRunResult::Aborted;
            break;
        }
    }

    SetStatusMessage(0);
    switch (result) {
    case PrintRunResult::Aborted:
        LogMessage(17003, listFile());
        break;
    case PrintRunResult::SomeFailed:
        LogMessage(17004, listFile());
        break;
    case PrintRunResult::Ok:
        LogMessage(17002, listFile());
        break;
    }
    return result;
}

int c_filelist::PrintListItem(int row) {
    if (!printRun_) {
        ShowInternalError("PrintListItem", row, 0);
        return kPrintFailed;
    }
    const std::string path = EntryPath(row);
    if (IsFolderEntry(row))
        return printRun_->folders.PrintFolderEntry(path);
    const EntrySettings settings = GetEntrySettings(row);
    return printRun_->entries.PrintEntry(path, settings.PageRange, settings.Password, settings.ExcelRange,
                                         settings.Sheets, settings.SeparateJobs);
}

} // namespace tarvoline
