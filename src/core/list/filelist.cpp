#include "list/filelist.h"

#include <algorithm>
#include <cstdlib>

#include "common/ansi_text.h"
#include "common/collation.h"
#include "common/messages.h"
#include "platform/shell.h"

namespace tarvoline {
namespace {

constexpr std::int32_t kSeparateJobsTextId = 16014;
constexpr std::int32_t kExcelRangeTextIds[] = {0, 16011, 16012, 16013, 16015, 16016};

int g_dragOverCounter = 0;

bool NeedsQuotes(const std::string& name) {
    return std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || c == ',' || c == '"';
    });
}

} // namespace

std::string ExcelRangeText(ExcelRangeMode mode) {
    const int value = static_cast<int>(mode);
    if (value <= 0 || value > 5) return {};
    return LoadMessageText(kExcelRangeTextIds[value]);
}

ExcelRangeMode ExcelRangeFromText(const std::string& text) {
    for (int value = 1; value <= 5; ++value) {
        if (text == LoadMessageText(kExcelRangeTextIds[value])) return static_cast<ExcelRangeMode>(value);
    }
    return ExcelRangeMode::None;
}

std::string SheetsCommaText(const std::vector<std::string>& sheets) {
    std::string text;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (i) text.push_back(',');
        const std::string& name = sheets[i];
        if (!NeedsQuotes(name)) {
            text.append(name);
            continue;
        }
        text.push_back('"');
        for (char c : name) {
            if (c == '"') text.push_back('"');
            text.push_back(c);
        }
        text.push_back('"');
    }
    return text;
}

std::vector<std::string> SplitCommaText(std::string_view text) {
    // The reading stops at a NUL, as it does on the system's zero-terminated strings.
    text = text.substr(0, text.find('\0'));
    const auto isBlank = [&](std::size_t pos) { return static_cast<unsigned char>(text[pos]) <= 0x20; };
    std::vector<std::string> items;
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(pos))
        ++pos;
    while (pos < text.size()) {
        std::string item;
        if (text[pos] == '"') {
            for (++pos; pos < text.size();) {
                if (text[pos] == '"') {
                    ++pos;
                    if (pos < text.size() && text[pos] == '"') {
                        item.push_back('"');
                        ++pos;
                        continue;
                    }
                    break;
                }
                const std::size_t length = CharLengthAt(text, pos);
                item.append(text.substr(pos, length));
                pos += length;
            }
        } else {
            const std::size_t begin = pos;
            while (pos < text.size() && !isBlank(pos) && text[pos] != ',')
                pos += CharLengthAt(text, pos);
            item.assign(text.substr(begin, pos - begin));
        }
        items.push_back(std::move(item));
        while (pos < text.size() && isBlank(pos))
            ++pos;
        if (pos < text.size() && text[pos] == ',') {
            if (pos + 1 == text.size())
                items.emplace_back();
            do {
                ++pos;
            } while (pos < text.size() && isBlank(pos));
        }
    }
    return items;
}

int ComparePaths(const std::string& a, const std::string& b) {
    const int byFolder = CompareTextIgnoringCase(ExtractFilePath(a), ExtractFilePath(b));
    if (byFolder != 0) return byFolder;
    return CompareTextIgnoringCase(a, b);
}

int IconIndexOf(FileKind kind) {
    switch (kind) {
    case FileKind::Word: return IconWord;
    case FileKind::PowerPoint: return IconPowerPoint;
    case FileKind::Excel: return IconExcel;
    case FileKind::Pdf: return IconPdf;
    case FileKind::Folder: return IconFolder;
    case FileKind::Visio: return IconVisio;
    case FileKind::Other: return IconOther;
    default: return IconNone;
    }
}

// ---- c_flcommon ----

void c_flcommon::ClearList() {
    Modified = false;
    rows_.clear();
    NotifyRowsChanged();
}

std::string c_flcommon::CellText(int row, int column) const {
    const ListRow& r = Row(row);
    if (column == 0) return r.caption;
    return r.cells.at(static_cast<std::size_t>(column - 1));
}

void c_flcommon::NotifyRowChanged(int row) {
    Modified = true;
    if (view_) view_->RowChanged(row);
    if (host_) host_->ListChangeNotified();
}

void c_flcommon::NotifyRowsChanged() {
    if (view_) view_->RowsChanged();
    if (host_) host_->ListChangeNotified();
}

void c_flcommon::SetChecked(int row, bool checked) {
    ListRow& r = rows_.at(static_cast<std::size_t>(row));
    if (r.checked == checked) return;
    r.checked = checked;
    NotifyRowChanged(row);
}

void c_flcommon::SetSelected(int row, bool selected) {
    ListRow& r = rows_.at(static_cast<std::size_t>(row));
    if (r.selected == selected) return;
    r.selected = selected;
    NotifyRowChanged(row);
}

void c_flcommon::SetCellText(int row, int column, const std::string& text) {
    ListRow& r = rows_.at(static_cast<std::size_t>(row));
    std::string& cell = column == 0 ? r.caption : r.cells.at(static_cast<std::size_t>(column - 1));
    if (cell == text) return;
    cell = text;
    NotifyRowChanged(row);
}

void c_flcommon::SetIcon(int row, int icon) {
    ListRow& r = rows_.at(static_cast<std::size_t>(row));
    if (r.icon == icon) return;
    r.icon = icon;
    NotifyRowChanged(row);
}

void c_flcommon::RemoveSelected() {
    int lowestRemoved = -1;
    for (int i = RowCount() - 1; i >= 0; --i) {
        if (!rows_[static_cast<std::size_t>(i)].selected) continue;
        rows_.erase(rows_.begin() + i);
        lowestRemoved = i;
    }
    if (lowestRemoved >= 0) {
        NotifyRowsChanged();
        if (!rows_.empty()) SetSelected(std::min(lowestRemoved, RowCount() - 1), true);
    }
    Modified = true;
}

void c_flcommon::SortByPath() {
    std::stable_sort(rows_.begin(), rows_.end(), [](const ListRow& a, const ListRow& b) {
        return ComparePaths(a.data ? a.data->Path : std::string(), b.data ? b.data->Path : std::string()) < 0;
    });
    NotifyRowsChanged();
    Modified = true;
}

void c_flcommon::SelectAll() {
    for (int i = 0; i < RowCount(); ++i) SetSelected(i, true);
}

int c_flcommon::CountChecked() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const ListRow& r) { return r.checked; }));
}

int c_flcommon::FirstSelected() const {
    for (int i = 0; i < RowCount(); ++i) {
        if (rows_[static_cast<std::size_t>(i)].selected) return i;
    }
    return -1;
}

int c_flcommon::SelectedCount() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const ListRow& r) { return r.selected; }));
}

// ---- c_filelist ----

c_filelist::c_filelist(FileClassifier& classifier, Shell& shell, const bool& showPasswordOnList)
    : classifier_(classifier), shell_(shell), showPasswordOnList_(showPasswordOnList) {}

void c_filelist::ClearList() {
    if (host_) host_->ResetListInformation();
    ListPassword.clear();
    c_flcommon::ClearList();
    if (host_) host_->ResetCopies();
}

void c_filelist::UpdateHint(int x, int y) {
    const int row = view_ ? view_->RowAt(x, y) : -1;
    Hint = row >= 0 && row < RowCount() ? EntryPath(row) : std::string();
}

std::string c_filelist::EntryPath(int row) const {
    const ListRow& r = Row(row);
    return r.data ? r.data->Path : std::string();
}

bool c_filelist::IsFolderEntry(int row) const { return HasTrailingBackslash(EntryPath(row)); }

EntrySettings c_filelist::GetEntrySettings(int row) const {
    const ListRow& r = Row(row);
    EntrySettings settings;
    settings.PageRange = r.cells[ColPageRange - 1];
    settings.ExcelRange = ExcelRangeFromText(r.cells[ColExcelRange - 1]);
    settings.SeparateJobs = r.cells[ColExcelJob - 1] == LoadMessageText(kSeparateJobsTextId);
    if (r.data) {
        settings.Password = r.data->Password;
        settings.Sheets = r.data->Sheets;
    }
    return settings;
}

void c_filelist::StoreEntrySettings(ListRow& row, const std::string& pageRange, bool separateJobs,
                                    const std::vector<std::string>& sheets, ExcelRangeMode mode,
                                    const std::string& password) const {
    row.data->Password = password;
    row.cells[ColPageRange - 1] = pageRange;
    row.cells[ColPassword - 1] = PasswordDisplayText(password);
    row.cells[ColExcelRange - 1] = ExcelRangeText(mode);
    row.cells[ColExcelJob - 1] = separateJobs ? LoadMessageText(kSeparateJobsTextId) : std::string();
    switch (mode) {
    case ExcelRangeMode::SelectedSheets:
        row.data->Sheets = sheets;
        row.cells[ColExcelSheets - 1] = SheetsCommaText(sheets);
        break;
    case ExcelRangeMode::NameContains:
    case ExcelRangeMode::NameNotContains:
        row.data->Sheets = sheets;
        row.cells[ColExcelSheets - 1].clear();
        break;
    default:
        row.data->Sheets.clear();
        row.cells[ColExcelSheets - 1].clear();
        break;
    }
}

void c_filelist::SetEntrySettings(int row, const std::string& pageRange, bool separateJobs,
                                  const std::vector<std::string>& sheets, ExcelRangeMode mode,
                                  const std::string& password) {
    ListRow& r = rows_.at(static_cast<std::size_t>(row));
    if (!r.data) r.data = std::make_unique<c_listitem_data>();
    StoreEntrySettings(r, pageRange, separateJobs, sheets, mode, password);
    NotifyRowChanged(row);
    Modified = true;
}

std::string c_filelist::PasswordDisplayText(const std::string& password) const {
    if (showPasswordOnList_) return password;
    return std::string(CharacterCount(password), '*');
}

void c_filelist::RefreshPasswordColumn() {
    for (int i = 0; i < RowCount(); ++i) {
        const ListRow& r = rows_[static_cast<std::size_t>(i)];
        SetCellText(i, ColPassword, PasswordDisplayText(r.data ? r.data->Password : std::string()));
    }
}

void c_filelist::SetRowIcon(int row, bool printing) {
    // The print run's progress icon is no edit of the entry: a list that was only printed closes
    // without the save question (a batch run must end by itself).
    const bool modified = Modified;
    SetIcon(row, printing ? IconPrinting : IconIndexOf(classifier_.FileKindOf(EntryPath(row))));
    Modified = modified;
}

ListRow c_filelist::CreateEntryRow(const std::string& path, FileKind kind, bool separateJobs,
                                   const std::vector<std::string>& sheets, ExcelRangeMode mode,
                                   const std::string& password, const std::string& pageRange, bool checked) {
    const std::string withoutTrailing = ExcludeTrailingBackslash(path);
    ListRow row;
    row.caption = ExtractFileName(withoutTrailing);
    row.checked = checked;
    row.cells[ColPath - 1] = ExtractFilePath(withoutTrailing);
    row.data = std::make_unique<c_listitem_data>();
    row.data->Path = path;
    row.icon = IconIndexOf(kind);
    StoreEntrySettings(row, pageRange, separateJobs, sheets, mode, password);
    return row;
}

void c_filelist::AddFiles(const std::vector<std::string>& paths, bool checked, int position, bool separateJobs,
                          const std::vector<std::string>& sheets, ExcelRangeMode mode, const std::string& password,
                          const std::string& pageRange) {
    Modified = true;
    // The new rows stay together and in order; they are built first and inserted in one step,
    // which keeps adding a hundred thousand files cheap.
    std::vector<ListRow> added;
    added.reserve(paths.size());
    for (const std::string& original : paths) {
        std::string path = original;
        // One look at the file serves both the shortcut test and the row's icon: under Wine each costs
        // about 8 microseconds, which a list of many thousand files feels.
        FileKind kind = classifier_.FileKindOf(path);
        if (kind == FileKind::Shortcut) {
            const std::optional<std::string> target = shell_.ResolveShortcut(path);
            if (!target) {
                ShowMessageId(13088, path);
                continue;
            }
            if (AskOkCancel(13087, *target) != MessageResult::Ok) continue;
            path = *target;
            kind = classifier_.FileKindOf(path);
        }
        added.push_back(CreateEntryRow(path, kind, separateJobs, sheets, mode, password, pageRange, checked));
    }
    if (added.empty()) return;
    std::size_t at = rows_.size();
    if (position == kInsertFirst) at = 0;
    else if (position >= 0 && static_cast<std::size_t>(position) < rows_.size()) at = static_cast<std::size_t>(position);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(added.begin()),
                 std::make_move_iterator(added.end()));
    Modified = true;
    NotifyRowsChanged();
}

void c_filelist::AddFilesAt(const std::vector<std::string>& paths, int x, int y) {
    int position = kAppend;
    if (view_) {
        const int row = view_->RowAt(x, y);
        if (row >= 0) position = row;
        const int top = view_->TopVisibleRow();
        if (top >= 0 && y < view_->RowTop(top)) position = kInsertFirst;
    }
    if (y < 0) position = kInsertFirst;
    AddFiles(paths, true, position);
}

SelectionRange c_filelist::SelectionBounds() const {
    SelectionRange range;
    for (int i = 0; i < RowCount(); ++i) {
        if (!rows_[static_cast<std::size_t>(i)].selected) continue;
        if (range.first < 0) range.first = i;
        range.last = i;
    }
    return range;
}

bool c_filelist::MoveSelectedStep(bool up, bool testOnly) {
    const SelectionRange range = SelectionBounds();
    return MoveSelectedTo(up ? range.first - 1 : range.last + 2, testOnly);
}

bool c_filelist::MoveSelectedTo(int index, bool testOnly) {
    const SelectionRange range = SelectionBounds();
    if (range.first < 0 || index < 0 || index > RowCount()) return false;
    if (range.first <= index && index <= range.last + 1) return false;
    if (testOnly) return true;

    // The selected rows, in order and as one block, go before the row that had the target index.
    std::vector<ListRow> before, moved, after;
    for (int i = 0; i < RowCount(); ++i) {
        ListRow& row = rows_[static_cast<std::size_t>(i)];
        if (row.selected) moved.push_back(std::move(row));
        else if (i < index) before.push_back(std::move(row));
        else after.push_back(std::move(row));
    }
    rows_.clear();
    for (auto* part : {&before, &moved, &after}) {
        for (ListRow& row : *part) rows_.push_back(std::move(row));
    }
    NotifyRowsChanged();
    Modified = true;
    return true;
}

void c_filelist::SetAllChecked(bool value) {
    for (int i = 0; i < RowCount(); ++i) SetChecked(i, value);
}

void c_filelist::OpenSelectedFiles() {
    for (int i = 0; i < RowCount(); ++i) {
        if (IsSelected(i) && !IsFolderEntry(i)) shell_.OpenDocument(EntryPath(i));
    }
}

void c_filelist::EditSelected() {
    if (!dialogs_) return;
    for (int i = 0; i < RowCount(); ++i) {
        if (!IsSelected(i) || IsFolderEntry(i)) continue;
        if (!dialogs_->ShowEntryDetail(i)) break;
    }
}

bool c_filelist::ShowFolderOfSelected(bool testOnly) {
    const int row = FirstSelected();
    if (row < 0 || !Row(row).data || !IsFolderEntry(row)) return false;
    if (!testOnly && dialogs_) dialogs_->ShowFolderFiles(EntryPath(row));
    return true;
}

void c_filelist::DoubleClick() {
    const int row = FirstSelected();
    if (row < 0) return;
    if (IsFolderEntry(row)) ShowFolderOfSelected(false);
    else OpenSelectedFiles();
}

void c_filelist::BeginRowDrag() { DragInProgress = true; }

bool c_filelist::RowDragOver(bool sourceIsThisList, int y) {
    if (!DragInProgress || !sourceIsThisList) return false;
    if (view_ && g_dragOverCounter % 10 == 0) {
        const int step = std::abs(view_->FontHeight());
        if (y < step) view_->ScrollBy(-step);
        else if (y > view_->ClientHeight()) view_->ScrollBy(step);
    }
    ++g_dragOverCounter;
    return true;
}

void c_filelist::RowDrop(int targetRow, int y) {
    if (targetRow < 0 || targetRow >= RowCount()) return;
    int index = targetRow;
    if (targetRow == RowCount() - 1 && view_ && y > view_->RowBottom(targetRow)) index = RowCount();
    MoveSelectedTo(index, false);
}

void c_filelist::EndRowDrag() { DragInProgress = false; }

int c_filelist::DragOverCounter() { return g_dragOverCounter; }

void c_filelist::SetColumnWidths(const std::array<int, kListColumnCount>& widths) {
    for (int i = 0; i < kListColumnCount; ++i) columnWidths_[static_cast<std::size_t>(i)] = std::max(widths[static_cast<std::size_t>(i)], kMinColumnWidth);
}

} // namespace tarvoline
