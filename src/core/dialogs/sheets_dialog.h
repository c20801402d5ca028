#pragma once
// The choice of the sheets to print, from the sheets the workbook really has; the names are read once,
// on the first activation, because that starts Excel.
#include <string>
#include <vector>

#include "dialogs/dlg_common.h"

namespace tarvoline {

class TdlgDetail;

// The visible sheets of a workbook in workbook order; the program reads them through the main window's
// Excel handler, which has shown its own message when the workbook could not be read.
class SheetNameSource {
public:
    virtual ~SheetNameSource() = default;
    virtual void ListSheetNames(const std::string& path, std::vector<std::string>& names) = 0;
};

class TdlgSheets : public TdlgCommon {
public:
    static constexpr int kHelpContext = 30;
    static constexpr int kCloseWhenEmptyInterval = 500;

    TdlgSheets(TdlgDetail& detail, SheetNameSource& source);

    Control lblFileName{"lblFileName", "対象ファイル："};
    Control memFileName{"memFileName"};
    Control lblMsg{"lblMsg"};
    Control btnAllCheck{"btnAllCheck", "全選択", "全てのファイルをチェックオン（印刷対象）にします"};
    Control btnAllUncheck{"btnAllUncheck", "全解除", "全てのファイルのチェックを解除します"};
    ListControl clxSheets{"clxSheets", "", "チェックボックスがチェックされているシートを印刷"};
    TimerControl tmrActivated{"tmrActivated", kCloseWhenEmptyInterval, false};

    std::vector<Control*> Controls() override;

    void FormActivate() override;
    void tmrActivatedTimer();
    void btnOkClick();
    void btnAllCheckClick() { CheckAll(true); }
    void btnAllUncheckClick() { CheckAll(false); }

private:
    void CheckAll(bool checked);

    TdlgDetail& detail_;
    SheetNameSource& source_;
    bool activated_ = false;
};

} // namespace tarvoline
