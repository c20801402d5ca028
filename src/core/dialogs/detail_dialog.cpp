#include "dialogs/detail_dialog.h"

#include "common/ansi_text.h"
#include "common/messages.h"
#include "list/filelist.h"
#include "list/page_range.h"

namespace tarvoline {

namespace {

const std::string kLineBreak = "\r\n";

} // namespace

TdlgDetail::TdlgDetail(c_filelist& list, int row, SheetDialogOpener& sheetDialog)
    : Form("詳細設定"), list_(list), row_(row), sheetDialog_(sheetDialog), path_(list.EntryPath(row)) {
    cmbExrngCond.SetItems({"を含む", "を含まない"});
    btnOk.OnClick = [this] { btnOkClick(); };
    btnCancel.OnClick = [this] { Close(mrCancel); };
    btnHelp.OnClick = [this] { btnHelpClick(); };
    btnHelpPasswd.OnClick = [this] { btnHelpPasswdClick(); };
    btnExrngSheets.OnClick = [this] { btnExrngSheetsClick(); };
    edtPasswd.OnChange = [this] { edtPasswdChange(); };
    for (Control* edit : {&edtSPage, &edtEPage, &edtPages})
        edit->OnChange = [this] { RefreshControls(); };
    chkPasswd.OnClick = [this] { RefreshControls(); };
    // A click on a page radio must not run RefreshControls: it would turn the range back on while a page
    // field holds text, and "all pages" could never be picked.
    for (CheckControl* radio : {&rdoPageAll, &rdoPageRange})
        radio->OnClick = [this, radio] {
            if (radio->Checked())
                CheckRadio(*radio);
        };
    for (CheckControl* radio : {&rdoExrngBook, &rdoExrngActiveSheet, &rdoExrngCond, &rdoExrngSheets})
        radio->OnClick = [this, radio] {
            if (radio->Checked())
                CheckRadio(*radio);
            RefreshControls();
        };
}

std::vector<Control*> TdlgDetail::Controls() {
    return {&lblFileName,    &memFileName,    &grbPage,        &rdoPageAll,    &rdoPageRange,        &edtSPage,
            &lblSPage,       &edtEPage,       &lblEPage,       &edtPages,      &lblPages,            &lblPagesPDF,
            &grbPasswd,      &chkPasswd,      &edtPasswd,      &lblPasswdNote, &btnHelpPasswd,       &grbExcel,
            &rdoExrngBook,   &rdoExrngActiveSheet, &rdoExrngCond, &lblExrngCond, &edtExrngCond,     &cmbExrngCond,
            &rdoExrngSheets, &btnExrngSheets, &memExrngSheets, &chkExshtSepjob, &btnOk,              &btnCancel,
            &btnHelp};
}

void TdlgDetail::CheckRadio(CheckControl& radio) {
    const std::vector<std::vector<CheckControl*>> groups = {
        {&rdoPageAll, &rdoPageRange}, {&rdoExrngBook, &rdoExrngActiveSheet, &rdoExrngCond, &rdoExrngSheets}};
    for (const auto& group : groups) {
        bool inGroup = false;
        for (CheckControl* member : group)
            inGroup = inGroup || member == &radio;
        if (!inGroup)
            continue;
        for (CheckControl* member : group)
            member->SetChecked(member == &radio);
    }
}

std::vector<std::string> TdlgDetail::SheetMemoLines() const {
    // As a memo's line list reads its text: CR LF, LF or a lone CR end a line.
    const std::string& text = memExrngSheets.Text();
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

void TdlgDetail::SetSheetList(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += name + kLineBreak;
    memExrngSheets.SetText(text);
    TrimSheetMemo();
}

void TdlgDetail::TrimSheetMemo() {
    const std::string& text = memExrngSheets.Text();
    if (text.size() >= kLineBreak.size() && text.compare(text.size() - kLineBreak.size(), kLineBreak.size(), kLineBreak) == 0)
        memExrngSheets.SetText(text.substr(0, text.size() - kLineBreak.size()));
}

void TdlgDetail::FormShow() {
    memFileName.SetText(path_);
    kind_ = list_.Classifier().FileKindOf(path_);
    // A file that cannot be reached just now (a share offline) keeps the settings of its type: as
    // "no kind" its OK would drop its password and sheets.
    if (kind_ == FileKind::Missing)
        kind_ = FileKindOfExtension(path_);
    const EntrySettings entry = list_.GetEntrySettings(row_);

    CheckRadio(entry.PageRange.empty() ? rdoPageAll : rdoPageRange);
    const bool fromTo = FromToKind();
    for (Control* control : std::initializer_list<Control*>{&edtSPage, &edtEPage, &lblSPage, &lblEPage})
        control->SetVisible(fromTo);
    edtPages.SetVisible(!fromTo);
    lblPages.SetVisible(!fromTo);
    if (fromTo) {
        const FromTo range = SplitFromTo(entry.PageRange);
        edtSPage.SetText(PageNumberText(range.from));
        edtEPage.SetText(PageNumberText(range.to));
    } else {
        edtPages.SetText(entry.PageRange);
    }
    if (NoRangeKind()) {
        edtPages.SetVisible(false);
        lblPages.SetVisible(false);
    }
    lblPagesPDF.SetVisible(NoRangeKind());

    // The group's controls share its state, as they would inside a container window.
    const std::vector<Control*> passwordGroup = {&grbPasswd, &chkPasswd, &edtPasswd, &lblPasswdNote, &btnHelpPasswd};
    for (Control* control : passwordGroup)
        control->SetEnabled(false);
    chkPasswd.SetChecked(false);
    edtPasswd.SetText("");
    if (kind_ == FileKind::Word || kind_ == FileKind::Excel || kind_ == FileKind::PowerPoint ||
        kind_ == FileKind::Pdf) {
        for (Control* control : passwordGroup)
            control->SetEnabled(true);
        if (!entry.Password.empty()) {
            chkPasswd.SetChecked(true);
            edtPasswd.SetText(entry.Password);
        }
    }

    cmbExrngCond.SetItemIndex(0);
    edtExrngCond.SetText("");
    memExrngSheets.SetText("");
    if (kind_ == FileKind::Excel) {
        const std::string condition = entry.Sheets.empty() ? std::string() : entry.Sheets.front();
        switch (entry.ExcelRange) {
        case ExcelRangeMode::WholeBook:
            CheckRadio(rdoExrngBook);
            break;
        case ExcelRangeMode::ActiveSheet:
            CheckRadio(rdoExrngActiveSheet);
            break;
        case ExcelRangeMode::SelectedSheets:
            CheckRadio(rdoExrngSheets);
            SetSheetList(entry.Sheets);
            break;
        case ExcelRangeMode::NameContains:
        case ExcelRangeMode::NameNotContains:
            CheckRadio(rdoExrngCond);
            cmbExrngCond.SetItemIndex(entry.ExcelRange == ExcelRangeMode::NameContains ? 0 : 1);
            edtExrngCond.SetText(condition);
            break;
        case ExcelRangeMode::None:
            break;
        }
        chkExshtSepjob.SetChecked(entry.SeparateJobs);
    } else {
        for (Control* control : std::initializer_list<Control*>{&grbExcel, &rdoExrngBook, &rdoExrngActiveSheet, &rdoExrngCond, &lblExrngCond,
                                 &edtExrngCond, &cmbExrngCond, &rdoExrngSheets, &btnExrngSheets, &memExrngSheets,
                                 &chkExshtSepjob})
            control->SetVisible(false);
    }
    RefreshControls();
}

void TdlgDetail::RefreshControls() {
    if (!edtSPage.Text().empty() || !edtEPage.Text().empty() || !edtPages.Text().empty())
        CheckRadio(rdoPageRange);
    if (NoRangeKind())
        rdoPageRange.SetEnabled(false);
    memExrngSheets.SetEnabled(rdoExrngSheets.Checked());
    btnExrngSheets.SetEnabled(rdoExrngSheets.Checked());
    edtExrngCond.SetEnabled(rdoExrngCond.Checked());
    cmbExrngCond.SetEnabled(rdoExrngCond.Checked());
}

void TdlgDetail::edtPasswdChange() {
    chkPasswd.SetChecked(!edtPasswd.Text().empty());
}

void TdlgDetail::btnExrngSheetsClick() {
    sheetDialog_.ShowSheetDialog(*this);
    TrimSheetMemo();
}

bool TdlgDetail::ValidateInput() {
    if (rdoExrngSheets.Checked() && SheetMemoLines().empty()) {
        ShowMessageId(13023);
        return false;
    }
    if (rdoExrngCond.Checked() && edtExrngCond.Text().empty()) {
        ShowMessageId(13024);
        return false;
    }
    if (chkPasswd.Checked() && edtPasswd.Text().empty()) {
        ShowMessageId(13037);
        return false;
    }
    return true;
}

void TdlgDetail::ApplyToEntry() {
    std::string pageRange;
    if (!rdoPageAll.Checked()) {
        if (FromToKind())
            pageRange = JoinFromTo(PageNumberFromText(edtSPage.Text()), PageNumberFromText(edtEPage.Text()));
        else
            pageRange = TrimBlanks(edtPages.Text());
    }
    ExcelRangeMode mode = ExcelRangeMode::None;
    std::vector<std::string> sheets;
    if (kind_ == FileKind::Excel) {
        if (rdoExrngSheets.Checked()) {
            mode = ExcelRangeMode::SelectedSheets;
            sheets = SheetMemoLines();
        } else if (rdoExrngCond.Checked()) {
            mode = cmbExrngCond.ItemIndex() == 1 ? ExcelRangeMode::NameNotContains : ExcelRangeMode::NameContains;
            sheets = {edtExrngCond.Text()};
        } else if (rdoExrngActiveSheet.Checked()) {
            mode = ExcelRangeMode::ActiveSheet;
        } else if (rdoExrngBook.Checked()) {
            mode = ExcelRangeMode::WholeBook;
        }
    }
    const bool separateJobs = kind_ == FileKind::Excel && chkExshtSepjob.Checked();
    const std::string password = chkPasswd.Checked() ? edtPasswd.Text() : std::string();
    list_.SetEntrySettings(row_, pageRange, separateJobs, sheets, mode, password);
}

void TdlgDetail::btnOkClick() {
    if (!ValidateInput())
        return;
    ApplyToEntry();
    Close(mrOk);
}

void TdlgDetail::btnHelpClick() {
    if (ShowHelp)
        ShowHelp(kHelpContext);
}

void TdlgDetail::btnHelpPasswdClick() {
    if (ShowHelp)
        ShowHelp(kPasswordHelpContext);
}

} // namespace tarvoline
