#include "dialogs/sheets_dialog.h"

#include "common/ansi_text.h"
#include "common/messages.h"
#include "common/wait_cursor.h"
#include "dialogs/detail_dialog.h"

namespace tarvoline {

TdlgSheets::TdlgSheets(TdlgDetail& detail, SheetNameSource& source)
    : TdlgCommon("Ｅｘｃｅｌシート選択"), detail_(detail), source_(source) {
    HelpContext = kHelpContext;
    lblMsg.SetText(LoadMessageText(15006));
    memFileName.SetText(detail_.Path());
    btnOk.OnClick = [this] { btnOkClick(); };
    btnAllCheck.OnClick = [this] { btnAllCheckClick(); };
    btnAllUncheck.OnClick = [this] { btnAllUncheckClick(); };
    tmrActivated.OnTimer = [this] { tmrActivatedTimer(); };
}

std::vector<Control*> TdlgSheets::Controls() {
    return {&lblFileName, &memFileName, &lblMsg,  &btnAllCheck, &btnAllUncheck, &clxSheets,
            &btnOk,       &btnCancel,   &btnHelp, &tmrActivated};
}

void TdlgSheets::FormActivate() {
    // Coming back from another window must not start Excel again.
    if (activated_)
        return;
    activated_ = true;
    c_waitcursor waitCursor;
    // The wait text is painted before Excel keeps the thread busy.
    PumpMessages();

    std::vector<std::string> names;
    source_.ListSheetNames(detail_.Path(), names);
    clxSheets.SetItems(names);
    const std::vector<std::string> chosen = detail_.SheetMemoLines();
    for (std::size_t i = 0; i < names.size(); ++i)
        for (const std::string& line : chosen)
            if (SameTextIgnoringCase(names[i], line)) {
                clxSheets.SetItemChecked(static_cast<int>(i), true);
                break;
            }
    if (names.empty())
        ShowMessageId(13035);
    lblMsg.SetText(LoadMessageText(15007));
    tmrActivated.SetEnabled(true);
}

void TdlgSheets::tmrActivatedTimer() {
    if (clxSheets.Items().empty())
        Close(mrCancel);
}

void TdlgSheets::btnOkClick() {
    std::string text;
    const auto& names = clxSheets.Items();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (clxSheets.ItemChecked(static_cast<int>(i)))
            text += names[i] + "\r\n";
    if (text.empty()) {
        ShowMessageId(13025);
        return;
    }
    detail_.memExrngSheets.SetText(text);
    Close(mrOk);
}

void TdlgSheets::CheckAll(bool checked) {
    for (int i = 0; i < static_cast<int>(clxSheets.Items().size()); ++i)
        clxSheets.SetItemChecked(i, checked);
}

} // namespace tarvoline
