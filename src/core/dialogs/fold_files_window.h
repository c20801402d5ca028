#pragma once
// The folder contents window: the documents of a folder entry, listed relative to the folder, either to
// look at them or to print them one by one during a print run.
#include <string>
#include <vector>

#include "app/form.h"
#include "print/print_run.h"

namespace tarvoline {

class c_reg;
class Clock;
class FileClassifier;
class FolderFileCollector;
class PlacementWindow;

enum class FolderWindowMode : int { PrintFolder = 1, BrowseFolder = 2 };

// What the window works with; all of it belongs to the main window.
struct FoldFilesServices {
    c_reg& reg;
    FolderFileCollector& collector;
    FileClassifier& classifier;
    EntryPrinter& printer;
    Clock& clock; // the pauses between files
};

class TfrmFoldFiles : public Form {
public:
    // window is the real window whose placement is loaded and saved.
    TfrmFoldFiles(const FoldFilesServices& services, PlacementWindow& window, std::string folderPath,
                  FolderWindowMode mode);

    Control Label1{"Label1", "フォルダ："};
    EditControl edtPath{"edtPath"};
    Control Label2{"Label2", "ファイル一覧： "};
    Control lblFileNum{"lblFileNum"};
    RowListControl lstFiles{"lstFiles"};
    Control btnClose{"btnClose", "閉じる"};
    TimerControl tmrTimer{"tmrTimer", 300, false};

    std::vector<Control*> Controls() override {
        return {&Label1, &edtPath, &Label2, &lblFileNum, &lstFiles, &btnClose, &tmrTimer};
    }
    void FormShow() override;
    void FormClose() override;
    void tmrTimerTimer();
    void btnCloseClick();

    // Collects the folder's documents into the rows, sorted once; a cancelled collection closes the window.
    void ListFolderFiles();
    // Orders two rows by their full paths: grouped by folder, then by name.
    int lstFilesCompare(const RowListControl::Row& a, const RowListControl::Row& b) const;
    std::string RowFullPath(int row) const;
    // Prints every row through PrintEntry: kPrintDone, kPrintStopped when the window was closed, or
    // kPrintFailed when a file failed.
    int PrintFolderFiles();

    FolderWindowMode Mode() const { return mode_; }
    // 0 until the print loop has run; then its result, or kPrintStopped for a cancelled listing.
    int Result() const { return result_; }
    bool Printing() const { return printing_; }

private:
    std::string FullPath(const std::string& caption) const { return edtPath.Text() + caption; }

    FoldFilesServices services_;
    PlacementWindow& window_;
    std::string folderPath_;
    FolderWindowMode mode_;
    int result_ = 0;
    bool printing_ = false;
};

// The real window around the form.
class FoldFilesDisplay {
public:
    virtual ~FoldFilesDisplay() = default;
    // The window the form keeps its placement on, valid while ShowModal runs.
    virtual PlacementWindow& Placement() = 0;
    // Shows the form modally over the main window until it has closed; false when no window could be made.
    virtual bool ShowModal(TfrmFoldFiles& form) = 0;
};

class FoldFilesWindow final : public FolderEntryPrinter {
public:
    FoldFilesWindow(const FoldFilesServices& services, FoldFilesDisplay& display)
        : services_(services), display_(display) {}

    // The window's result: 0 when browsing, the print loop's result when printing.
    int ShowFolderFiles(const std::string& path, FolderWindowMode mode);
    int PrintFolderEntry(const std::string& folderPath) override {
        return ShowFolderFiles(folderPath, FolderWindowMode::PrintFolder);
    }

private:
    FoldFilesServices services_;
    FoldFilesDisplay& display_;
};

} // namespace tarvoline
