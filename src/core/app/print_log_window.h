#pragma once
// The print log window: a snapshot of the print log's lines, in a window that remembers its placement.
#include <vector>

#include "app/form.h"

namespace tarvoline {

class c_reg;
class c_print_log;
class PlacementWindow;

class TfrmPrintLog : public Form {
public:
    // window is the real window whose placement is loaded and saved.
    TfrmPrintLog(c_reg& reg, const c_print_log& log, PlacementWindow& window);

    EditControl memLog{"memLog"};
    Control btnClose{"btnClose", "閉じる"};

    std::vector<Control*> Controls() override { return {&memLog, &btnClose}; }
    void FormShow() override;
    void FormClose() override;

private:
    c_reg& reg_;
    const c_print_log& log_;
    PlacementWindow& window_;
};

} // namespace tarvoline
