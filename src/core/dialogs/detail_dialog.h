#pragma once
// How one entry of the print list is printed: page range, document password and, for workbooks, the
// sheets and whether each sheet becomes a job of its own.
#include <string>
#include <vector>

#include "app/form.h"
#include "list/file_kind.h"

namespace tarvoline {

class c_filelist;
class TdlgDetail;

// Opens the sheet dialog over the detail dialog; the program shows a real window, tests script it.
class SheetDialogOpener {
public:
    virtual ~SheetDialogOpener() = default;
    virtual void ShowSheetDialog(TdlgDetail& detail) = 0;
};

class TdlgDetail : public Form {
public:
    static constexpr int kHelpContext = 30;
    static constexpr int kPasswordHelpContext = 70;

    TdlgDetail(c_filelist& list, int row, SheetDialogOpener& sheetDialog);

    Control lblFileName{"lblFileName", "対象ファイル："};
    Control memFileName{"memFileName"};
    Control grbPage{"grbPage", "印刷範囲"};
    CheckControl rdoPageAll{"rdoPageAll", "すべて(&A)", "全ページを印刷"};
    CheckControl rdoPageRange{"rdoPageRange", "ページ範囲(&G)", "印刷するページ範囲を指定"};
    Control edtSPage{"edtSPage", "", "印刷開始ページ"};
    Control lblSPage{"lblSPage", "ページから"};
    Control edtEPage{"edtEPage", "", "印刷終了ページ"};
    Control lblEPage{"lblEPage", "ページまで"};
    Control edtPages{"edtPages"};
    Control lblPages{"lblPages", "1,3,6のようにページ番号をカンマで区切って指定するか、4-6のようにページ範囲を指定してください。"};
    Control lblPagesPDF{"lblPagesPDF", "PDFおよび標準以外のファイル拡張子はページ範囲指定できません"};
    Control grbPasswd{"grbPasswd", "パスワード"};
    CheckControl chkPasswd{"chkPasswd", "パスワード設定"};
    EditControl edtPasswd{"edtPasswd"};
    Control lblPasswdNote{"lblPasswdNote", "初めてパスワード設定を利用する場合は注意事項を参照してください"};
    Control btnHelpPasswd{"btnHelpPasswd", "注意事項"};
    Control grbExcel{"grbExcel", "Ｅｘｃｅｌ 印刷範囲",
                     "EXCELファイルの場合に印刷範囲をしてします。何も指定されていない場合はオプション設定に従います。"};
    CheckControl rdoExrngBook{"rdoExrngBook", "ブック全体", "ブック内の全シートを印刷"};
    CheckControl rdoExrngActiveSheet{"rdoExrngActiveSheet", "現在のシート",
                                     "ブックを開いたときに選択状態になっているシートを印刷"};
    CheckControl rdoExrngCond{"rdoExrngCond", "シート選択条件設定", "シート選択の条件を指定する"};
    Control lblExrngCond{"lblExrngCond", "シート名に"};
    Control edtExrngCond{"edtExrngCond"};
    ListControl cmbExrngCond{"cmbExrngCond"};
    CheckControl rdoExrngSheets{"rdoExrngSheets", "選択したシート",
                                "特定シートのみ印刷。（左のExcelシート選択で印刷対象を設定）"};
    Control btnExrngSheets{"btnExrngSheets", "シート選択...", "印刷するシートの選択画面表示"};
    Control memExrngSheets{
        "memExrngSheets", "",
        "ここに表示されているシートのみを印刷します。リストを修正するには「シート選択」ボタンを押してください。"};
    CheckControl chkExshtSepjob{"chkExshtSepjob", "シート毎にジョブ分割",
                                "EXCELのシート単位に印刷し、シート毎に印刷ジョブにします。"};
    Control btnOk{"btnOk", "OK"};
    Control btnCancel{"btnCancel", "キャンセル"};
    Control btnHelp{"btnHelp", "ヘルプ(&H)"};

    std::vector<Control*> Controls() override;

    // The entry's path, as read when the dialog was made.
    const std::string& Path() const { return path_; }
    FileKind Kind() const { return kind_; }

    // The memo's lines (a line break at the very end adds no empty line).
    std::vector<std::string> SheetMemoLines() const;
    void SetSheetList(const std::vector<std::string>& names);
    // No empty last line in the memo.
    void TrimSheetMemo();

    void FormShow() override;
    void RefreshControls();
    void edtPasswdChange();
    void btnExrngSheetsClick();
    bool ValidateInput();
    void ApplyToEntry();
    void btnOkClick();
    void btnHelpClick();
    void btnHelpPasswdClick();

private:
    // Radio buttons set by the program exclude the others of their group as a click does.
    void CheckRadio(CheckControl& radio);
    bool FromToKind() const { return kind_ == FileKind::Excel || kind_ == FileKind::Visio; }
    bool NoRangeKind() const { return kind_ == FileKind::Pdf || kind_ == FileKind::Other; }

    c_filelist& list_;
    int row_;
    SheetDialogOpener& sheetDialog_;
    std::string path_;
    FileKind kind_ = FileKind::Missing;
};

} // namespace tarvoline
