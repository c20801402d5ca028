#pragma once
#include "common/messages.h"

namespace tarvoline {

// The hourglass cursor for the life of the object; the cursor shown before comes back at its end.
class c_waitcursor {
public:
    c_waitcursor() : ui_(MessageUi()) {
        if (ui_)
            ui_->BeginWaitCursor();
    }
    ~c_waitcursor() {
        if (ui_)
            ui_->EndWaitCursor();
    }
    c_waitcursor(const c_waitcursor&) = delete;
    c_waitcursor& operator=(const c_waitcursor&) = delete;

private:
    Ui* ui_;
};

} // namespace tarvoline
