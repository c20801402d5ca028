#pragma once
// The print run: the handler interface, PrintEntry and what the list's PrintAll needs.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "list/filelist.h"

namespace tarvoline {

class Clock;

enum class PrintRunResult : int { Ok = 0, Aborted = 1, SomeFailed = 2 };

// Results of PrintListItem, PrintEntry and PrintFolderEntry.
constexpr int kPrintDone = 0;
constexpr int kPrintStopped = 1; // a folder's printing was cancelled or stopped
constexpr int kPrintFailed = 2;

// The one stop request of the program. Set by window events (the abort button, the folder window's
// close button) that run inside the pauses' message processing on the same thread, so a plain flag.
extern bool abortRequested;

// The pause after each printed file: three one-second steps, each after a look at stopRequested and a
// round of window messages. False when stopRequested ended it early.
bool PauseAfterFile(Clock& clock, const std::function<bool()>& stopRequested);

// One file as PrintEntry hands it to the handler of its kind. Each handler gets only what it uses
// (the PDF handler no page range, Visio no password, other types neither); the rest stays default.
struct PrintRequest {
    std::string path;
    std::string pageRange; // Word, PowerPoint
    int from = -1;         // Excel, Visio: SplitFromTo of the page range, -1 = not given
    int to = -1;
    std::string password; // Word, Excel, PowerPoint, PDF
    ExcelRangeMode excelRange = ExcelRangeMode::None;
    std::optional<std::vector<std::string>> sheets; // absent for the files of a folder entry
    bool separateJobs = false;
    bool operator==(const PrintRequest&) const = default;
};

// What the six handlers have in common: print one file, show the failures they know about
// themselves and return false for them.
class PrintHandler {
public:
    virtual ~PrintHandler() = default;
    virtual bool Print(const PrintRequest& request) = 0;
};

// The handler of each kind that has one; all six are given in the program.
struct PrintHandlers {
    PrintHandler* word = nullptr;
    PrintHandler* excel = nullptr;
    PrintHandler* powerPoint = nullptr;
    PrintHandler* pdf = nullptr;
    PrintHandler* visio = nullptr;
    PrintHandler* other = nullptr;
};

// PrintEntry: prints one file through the handler of the kind the file has now.
class EntryPrinter {
public:
    EntryPrinter(FileClassifier& classifier, const PrintHandlers& handlers)
        : classifier_(classifier), handlers_(handlers) {}

    // Logs 17005 and 17006 or 17007; returns kPrintDone or kPrintFailed.
    int PrintEntry(const std::string& path, const std::string& pageRange, const std::string& password,
                   ExcelRangeMode excelRange, const std::optional<std::vector<std::string>>& sheets, bool separateJobs);

private:
    bool PrintByKind(const std::string& path, const std::string& pageRange, const std::string& password,
                     ExcelRangeMode excelRange, const std::optional<std::vector<std::string>>& sheets,
                     bool separateJobs);

    FileClassifier& classifier_;
    PrintHandlers handlers_;
};

// Prints the documents of a folder entry (the folder contents window in its print mode).
class FolderEntryPrinter {
public:
    virtual ~FolderEntryPrinter() = default;
    // kPrintDone (all printed, or none found), kPrintStopped or kPrintFailed.
    virtual int PrintFolderEntry(const std::string& folderPath) = 0;
};

// What c_filelist::PrintAll works with.
struct PrintRunServices {
    EntryPrinter& entries;
    FolderEntryPrinter& folders;
    Clock& clock; // the pauses between files
};

} // namespace tarvoline
