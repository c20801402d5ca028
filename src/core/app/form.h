#pragma once
// What every window or dialog's logic shares: its caption, its controls by name, the modal result
// that closes it, and the way to the program's help.
#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"

namespace tarvoline {

// Modal results, the platform's dialog values.
enum ModalResultValue : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class Form {
public:
    explicit Form(std::string caption) : caption_(std::move(caption)) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Caption() const { return caption_; }
    // Every control the window binds, each under its control's name.
    virtual std::vector<Control*> Controls() = 0;
    Control* FindControl(const std::string& name) {
        for (Control* control : Controls())
            if (control->Name() == name)
                return control;
        return nullptr;
    }

    virtual void FormShow() {}
    // Each time the window becomes the active window, after FormShow.
    virtual void FormActivate() {}
    // Runs once when the window closes, however it was closed.
    virtual void FormClose() {}
    // The window's close box; closes with Cancel unless the form says otherwise.
    virtual void CloseBoxClick() { Close(mrCancel); }

    // Non-zero once a handler asked the window to close; the window then closes with this value.
    int ModalResult() const { return modalResult_; }
    void Close(int result) { modalResult_ = result; }

    // Opens the program's help at a context number; installed by whoever shows the form.
    std::function<void(int)> ShowHelp;

private:
    std::string caption_;
    int modalResult_ = mrNone;
};

} // namespace tarvoline
