#pragma once
// The print list: rows of files and folders with their print settings, the model behind the main
// window's list control.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "list/file_kind.h"

namespace tarvoline {

class Shell;
struct PrintRunServices;
enum class PrintRunResult : int;

enum class ExcelRangeMode : int {
    None = 0,
    WholeBook = 1,
    ActiveSheet = 2,
    SelectedSheets = 3,
    NameContains = 4,
    NameNotContains = 5,
};

// The display text of a mode ("" for None and for values outside the set), and back by exact text.
std::string ExcelRangeText(ExcelRangeMode mode);
ExcelRangeMode ExcelRangeFromText(const std::string& text);
// Sheet names joined with commas; a name holding a comma, a double quote, a blank or a control
// character is quoted, with inner double quotes doubled.
std::string SheetsCommaText(const std::vector<std::string>& sheets);
// Reads comma text as a string list does: commas separate items, blanks and control characters end
// an item and are skipped around items, a double-quoted item runs to its closing quote ("" inside
// stands for one quote), two commas in a row give an empty item, as does a comma at the very end.
std::vector<std::string> SplitCommaText(std::string_view text);

// Orders two paths by folder part, then by the whole path, ignoring case by the user's locale.
int ComparePaths(const std::string& a, const std::string& b);

// The record attached to one row.
struct c_listitem_data {
    std::string Path;     // a folder entry's path ends with a backslash
    std::string Password; // "" = none
    std::vector<std::string> Sheets;
};

// An entry's settings as the print run, the list file writer and the detail dialog read them.
struct EntrySettings {
    std::string PageRange;
    bool SeparateJobs = false;
    ExcelRangeMode ExcelRange = ExcelRangeMode::None;
    std::string Password;
    std::vector<std::string> Sheets;
};

enum ListColumn : int {
    ColFileName = 0,
    ColPath = 1,
    ColPageRange = 2,
    ColPassword = 3,
    ColExcelRange = 4,
    ColExcelSheets = 5,
    ColExcelJob = 6,
};
constexpr int kListColumnCount = 7;
constexpr int kMinColumnWidth = 30;
// Catalogue id of each column's header.
constexpr std::array<std::int32_t, kListColumnCount> kColumnTitleIds = {16001, 16002, 16003, 16004,
                                                                       16005, 16006, 16007};

enum RowIcon : int {
    IconWord = 0,
    IconPowerPoint = 1,
    IconExcel = 2,
    IconPdf = 3,
    IconPrinting = 4,
    IconFolder = 5,
    IconVisio = 6,
    IconOther = 7,
    IconNone = -1,
};
int IconIndexOf(FileKind kind);

// The on-screen list as the model sees it: told about changes, asked about geometry (client
// coordinates, pixels).
class ListView {
public:
    virtual ~ListView() = default;
    // Rows were inserted, removed or reordered.
    virtual void RowsChanged() = 0;
    // One row's texts, icon, check box or selection changed.
    virtual void RowChanged(int row) = 0;
    virtual void EnsureVisible(int row) = 0;
    virtual int RowAt(int x, int y) = 0; // -1 when no row is there
    virtual int TopVisibleRow() = 0;     // -1 when the list is empty
    virtual int RowTop(int row) = 0;
    virtual int RowBottom(int row) = 0;
    virtual int ClientHeight() = 0;
    virtual int FontHeight() = 0;
    virtual void ScrollBy(int dy) = 0;
};

// The window around the list: the list's own fields that live there (the memo, the copies field, the
// list-password box and edit), what clearing the list resets, and every change notification (the window
// refreshes its buttons on each).
class ListHost {
public:
    virtual ~ListHost() = default;
    // Empty the memo, uncheck the list-password box and empty the list-password field.
    virtual void ResetListInformation() = 0;
    // Set the copies field to "1".
    virtual void ResetCopies() = 0;
    // The copies field's text as it stands; the print run reads it and the list file stores it.
    virtual std::string CopiesText() = 0;
    virtual void SetCopiesText(const std::string& text) = 0;
    // The list file the window has open; "" for an untitled list.
    virtual std::string CurrentListFile() = 0;
    virtual void ListChangeNotified() = 0;

    // The memo, with CR LF line ends.
    virtual std::string MemoText() = 0;
    virtual void SetMemoText(const std::string& text) = 0;
    virtual bool ListPasswordChecked() = 0;
    virtual void SetListPasswordChecked(bool checked) = 0;
    virtual std::string ListPasswordText() = 0;
    virtual void SetListPasswordText(const std::string& text) = 0;
    virtual void FocusListPassword() = 0;
};

// The dialogs that the entry commands open.
class EntryDialogs {
public:
    virtual ~EntryDialogs() = default;
    // Shows the detail dialog for a row; false when it was cancelled.
    virtual bool ShowEntryDetail(int row) = 0;
    virtual void ShowFolderFiles(const std::string& folderPath) = 0;
};

struct ListRow {
    std::string caption;
    std::array<std::string, kListColumnCount - 1> cells; // columns 1..6
    bool checked = false;
    int icon = IconNone;
    bool selected = false;
    std::unique_ptr<c_listitem_data> data;
};

// The general checked, multi-select list.
class c_flcommon {
public:
    virtual ~c_flcommon() = default;

    bool Modified = false;
    std::string Hint;

    virtual void ClearList();
    virtual void UpdateHint(int x, int y) = 0;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const ListRow& Row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    // Text of a column: 0 the caption, 1..6 the cells.
    std::string CellText(int row, int column) const;
    bool IsChecked(int row) const { return Row(row).checked; }
    bool IsSelected(int row) const { return Row(row).selected; }
    int IconOf(int row) const { return Row(row).icon; }

    // Each of these raises a change notification when the value changes, which sets Modified.
    void SetChecked(int row, bool checked);
    void SetSelected(int row, bool selected);
    void SetCellText(int row, int column, const std::string& text);
    void SetIcon(int row, int icon);

    void RemoveSelected();
    void SortByPath();
    void SelectAll();
    int CountChecked() const;
    int FirstSelected() const;
    int SelectedCount() const;

    void SetView(ListView* view) { view_ = view; }
    void SetHost(ListHost* host) { host_ = host; }
    ListHost* Host() const { return host_; }

protected:
    void NotifyRowChanged(int row);
    void NotifyRowsChanged();

    std::vector<ListRow> rows_;
    ListView* view_ = nullptr;
    ListHost* host_ = nullptr;
};

struct SelectionRange {
    int first = -1;
    int last = -1;
};

class c_filelist : public c_flcommon {
public:
    c_filelist(FileClassifier& classifier, Shell& shell, const bool& showPasswordOnList);

    bool DragInProgress = false;
    std::string ListPassword;

    void ClearList() override;
    void UpdateHint(int x, int y) override;

    // Entries.
    std::string EntryPath(int row) const;
    bool IsFolderEntry(int row) const;
    EntrySettings GetEntrySettings(int row) const;
    void SetEntrySettings(int row, const std::string& pageRange, bool separateJobs,
                          const std::vector<std::string>& sheets, ExcelRangeMode mode, const std::string& password);
    std::string PasswordDisplayText(const std::string& password) const;
    void RefreshPasswordColumn();
    void SetRowIcon(int row, bool printing);

    // The print run (defined with the rest of printing): every checked entry, once per copy.
    void SetPrintRun(PrintRunServices* services) { printRun_ = services; }
    PrintRunResult PrintAll();
    // 0 printed, 1 a folder's printing stopped, 2 failed.
    int PrintListItem(int row);

    // Adding: position -2 appends, -1 inserts before the first row, n before row n.
    static constexpr int kAppend = -2;
    static constexpr int kInsertFirst = -1;
    void AddFiles(const std::vector<std::string>& paths, bool checked, int position, bool separateJobs = false,
                  const std::vector<std::string>& sheets = {}, ExcelRangeMode mode = ExcelRangeMode::None,
                  const std::string& password = "", const std::string& pageRange = "");
    void AddFilesAt(const std::vector<std::string>& paths, int x, int y);

    // Operations.
    SelectionRange SelectionBounds() const;
    bool MoveSelectedStep(bool up, bool testOnly);
    bool MoveSelectedTo(int index, bool testOnly);
    void SetAllChecked(bool value);
    void OpenSelectedFiles();
    void EditSelected();
    bool ShowFolderOfSelected(bool testOnly);
    void DoubleClick();

    // Dragging rows inside the list.
    void BeginRowDrag();
    bool RowDragOver(bool sourceIsThisList, int y);
    void RowDrop(int targetRow, int y);
    void EndRowDrag();
    static int DragOverCounter();

    // Column widths, never below 30 pixels.
    void SetColumnWidths(const std::array<int, kListColumnCount>& widths);
    // A width the user dragged the column to; kept as it is until the next start.
    void SetColumnWidth(int column, int width) { columnWidths_.at(static_cast<std::size_t>(column)) = width; }
    const std::array<int, kListColumnCount>& ColumnWidths() const { return columnWidths_; }

    void SetEntryDialogs(EntryDialogs* dialogs) { dialogs_ = dialogs; }
    FileClassifier& Classifier() { return classifier_; }

private:
    ListRow CreateEntryRow(const std::string& path, FileKind kind, bool separateJobs,
                           const std::vector<std::string>& sheets, ExcelRangeMode mode, const std::string& password,
                           const std::string& pageRange, bool checked);
    void StoreEntrySettings(ListRow& row, const std::string& pageRange, bool separateJobs,
                            const std::vector<std::string>& sheets, ExcelRangeMode mode,
                            const std::string& password) const;

    FileClassifier& classifier_;
    Shell& shell_;
    const bool& showPasswordOnList_;
    EntryDialogs* dialogs_ = nullptr;
    PrintRunServices* printRun_ = nullptr;
    std::array<int, kListColumnCount> columnWidths_ = {200, 300, 100, 70, 100, 100, 100};
};

} // namespace tarvoline
