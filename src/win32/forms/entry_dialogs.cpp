#include "forms/entry_dialogs.h"

#include <commctrl.h>

#include "dialogs/detail_dialog.h"
#include "forms/entry_form_ids.h"
#include "forms/form_binder.h"
#include "print/prtexcel.h"

namespace tarvoline {

namespace {

FormLook EntryFormLook(int clientWidth, int clientHeight) {
    FormLook look;
    look.clientWidth = clientWidth;
    look.clientHeight = clientHeight;
    look.fontFace = L"ＭＳ Ｐゴシック";
    look.fontPixels = 12;
    return look;
}

// The sheet dialog goes over the detail dialog: over the main window, its end would enable the main
// window again while the detail dialog is still open.
class SheetDialogOverDetail final : public SheetDialogOpener {
public:
    explicit SheetDialogOverDetail(SheetNameSource& sheetNames) : sheetNames_(sheetNames) {}
    // The detail dialog's binder, made after the form that holds this opener.
    void SetDetailBinder(const FormBinder* binder) { detailBinder_ = binder; }
    void ShowSheetDialog(TdlgDetail& detail) override {
        ShowSheetsDialog(detailBinder_ ? detailBinder_->Handle() : nullptr, detail, sheetNames_);
    }

private:
    const FormBinder* detailBinder_ = nullptr;
    SheetNameSource& sheetNames_;
};

// The sheet memo is only read: it shows the arrow, not the text cursor. The dialog still sees the
// cursor message first, for the control's hint.
LRESULT CALLBACK ArrowCursorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        SendMessageW(GetParent(window), WM_SETCURSOR, wParam, lParam);
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
        return TRUE;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void ExcelSheetNames::ListSheetNames(const std::string& path, std::vector<std::string>& names) {
    excel_.ListSheetNames(path, names);
}

int ShowEntryDetailDialog(HWND owner, c_filelist& list, int row, SheetNameSource& sheetNames) {
    SheetDialogOverDetail opener(sheetNames);
    TdlgDetail form(list, row, opener);
    FormBinder detailBinder(form,
                            {{"lblFileName", IDC_DETAIL_LBL_FILE},
                             {"memFileName", IDC_DETAIL_FILE},
                             {"grbPage", IDC_DETAIL_GRB_PAGE},
                             {"rdoPageAll", IDC_DETAIL_RDO_ALL},
                             {"rdoPageRange", IDC_DETAIL_RDO_RANGE},
                             {"edtSPage", IDC_DETAIL_EDT_SPAGE},
                             {"lblSPage", IDC_DETAIL_LBL_SPAGE},
                             {"edtEPage", IDC_DETAIL_EDT_EPAGE},
                             {"lblEPage", IDC_DETAIL_LBL_EPAGE},
                             {"edtPages", IDC_DETAIL_EDT_PAGES},
                             {"lblPages", IDC_DETAIL_LBL_PAGES},
                             {"lblPagesPDF", IDC_DETAIL_LBL_PDF},
                             {"grbPasswd", IDC_DETAIL_GRB_PASSWD},
                             {"chkPasswd", IDC_DETAIL_CHK_PASSWD},
                             {"edtPasswd", IDC_DETAIL_EDT_PASSWD},
                             {"lblPasswdNote", IDC_DETAIL_LBL_PASSWD},
                             {"btnHelpPasswd", IDC_DETAIL_HELP_PASSWD},
                             {"grbExcel", IDC_DETAIL_GRB_EXCEL},
                             {"rdoExrngBook", IDC_DETAIL_RDO_BOOK},
                             {"rdoExrngActiveSheet", IDC_DETAIL_RDO_ACTIVE},
                             {"rdoExrngCond", IDC_DETAIL_RDO_COND},
                             {"lblExrngCond", IDC_DETAIL_LBL_COND},
                             {"edtExrngCond", IDC_DETAIL_EDT_COND},
                             {"cmbExrngCond", IDC_DETAIL_CMB_COND},
                             {"rdoExrngSheets", IDC_DETAIL_RDO_SHEETS},
                             {"btnExrngSheets", IDC_DETAIL_BTN_SHEETS},
                             {"memExrngSheets", IDC_DETAIL_MEM_SHEETS},
                             {"chkExshtSepjob", IDC_DETAIL_CHK_SEPJOB},
                             {"btnOk", IDOK},
                             {"btnCancel", IDCANCEL},
                             {"btnHelp", IDC_DETAIL_HELP}},
                            EntryFormLook(495, 444));
    detailBinder.OnCreated = [](HWND window) {
        SetWindowSubclass(GetDlgItem(window, IDC_DETAIL_MEM_SHEETS), ArrowCursorProc, 1, 0);
    };
    opener.SetDetailBinder(&detailBinder);
    return detailBinder.ShowModal(owner, IDD_ENTRY_DETAIL);
}

int ShowSheetsDialog(HWND owner, TdlgDetail& detail, SheetNameSource& sheetNames) {
    TdlgSheets form(detail, sheetNames);
    FormBinder binder(form,
                      {{"lblFileName", IDC_SHEETS_LBL_FILE},
                       {"memFileName", IDC_SHEETS_FILE},
                       {"lblMsg", IDC_SHEETS_MSG},
                       {"btnAllCheck", IDC_SHEETS_ALL_CHECK},
                       {"btnAllUncheck", IDC_SHEETS_ALL_UNCHECK},
                       {"clxSheets", IDC_SHEETS_LIST},
                       {"btnOk", IDOK},
                       {"btnCancel", IDCANCEL},
                       {"btnHelp", IDC_SHEETS_HELP}},
                      EntryFormLook(375, 345));
    return binder.ShowModal(owner, IDD_EXCEL_SHEETS);
}

} // namespace tarvoline
