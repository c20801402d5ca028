#include "app/print_log_window.h"

#include "app/settings_store.h"
#include "common/print_log.h"

namespace tarvoline {

namespace {
constexpr char kPlacementKey[] = "MAIN";
constexpr char kPlacementSubKey[] = "WindowStatePrintLog";
} // namespace

TfrmPrintLog::TfrmPrintLog(c_reg& reg, const c_print_log& log, PlacementWindow& window)
    : Form("印刷ログ"), reg_(reg), log_(log), window_(window) {
    btnClose.OnClick = [this] { Close(mrCancel); };
}

void TfrmPrintLog::FormShow() {
    reg_.LoadWindowPlacement(window_, kPlacementKey, kPlacementSubKey);
    memLog.SetText(log_.GetText());
}

void TfrmPrintLog::FormClose() {
    reg_.SaveWindowPlacement(window_, kPlacementKey, kPlacementSubKey);
}

} // namespace tarvoline
