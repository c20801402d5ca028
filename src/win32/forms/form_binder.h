#pragma once
// One binder for every window and dialog: it builds the window from a DIALOGEX template, ties each
// control-state object of the core form to the real control of the same name, keeps both in step,
// and turns the user's actions into the form's handlers.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/form.h"

namespace tarvoline {

// Control name -> control id in the template.
struct ControlId {
    std::string name;
    int id;
};

// Check boxes and radio buttons are CheckControls; edits Controls or EditControls; combo boxes, list boxes
// and check list boxes (list views with check boxes) ListControls; report lists of captions with icons
// (list views without check boxes) RowListControls.

// Which edges of the client area a control keeps its distance to when the window is resized; a control
// anchored to neither left nor right stays centred horizontally.
enum Anchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

struct ControlLook {
    std::string name;
    const wchar_t* fontFace = nullptr; // nullptr: the window's font
    int fontPixels = 0;                // character height in pixels
    unsigned anchors = akLeft | akTop;
    bool bold = false; // with fontFace, or else the window's font of the look
    // A row list's small icons; the template gives the list view LVS_SHAREIMAGELISTS, the caller keeps it.
    HIMAGELIST smallIcons = nullptr;
};

struct FormLook {
    // Client area in pixels; 0 keeps the template's size.
    int clientWidth = 0;
    int clientHeight = 0;
    // Resizable windows never get a smaller client area than this.
    int minClientWidth = 0;
    int minClientHeight = 0;
    // A font for the window and all its controls, replacing the template's; nullptr keeps it.
    const wchar_t* fontFace = nullptr;
    int fontPixels = 0;
    std::vector<ControlLook> controls;
};

class FormBinder final : public ControlSink {
public:
    FormBinder(Form& form, std::vector<ControlId> ids, FormLook look = {});
    ~FormBinder() override;
    FormBinder(const FormBinder&) = delete;
    FormBinder& operator=(const FormBinder&) = delete;

    // Shows the form modally over owner from the template resource and returns its modal result
    // (mrCancel when the window cannot be made). The form's help goes to the help file unless the
    // form already has a way to it.
    int ShowModal(HWND owner, int templateId, HINSTANCE instance = GetModuleHandleW(nullptr));

    // Runs once the window exists, before FormShow.
    std::function<void(HWND)> OnCreated;

    HWND Handle() const { return window_; }
    HWND ControlHandle(const std::string& name) const;

    void ControlChanged(Control& control) override;

private:
    struct Bound;
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Initialize();
    void Push(Bound& bound);
    void SyncTimer(std::size_t index);
    void Command(int id, int code, HWND control);
    void Notify(const NMHDR& header);
    void RunHandler(const std::function<void()>& handler);
    void FinishIfClosed();
    void ApplyLayout();
    void ShowHintInOwnerStatusBar(HWND control);
    Bound* Find(int id);
    Bound* Find(HWND control);

    Form& form_;
    std::vector<ControlId> ids_;
    FormLook look_;
    std::vector<Bound> bound_;
    std::vector<TimerControl*> timers_; // timer id = index + 1
    std::vector<HFONT> fonts_;
    HWND window_ = nullptr;
    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr;
    SIZE designClient_{};
    bool pushing_ = false;
    bool finished_ = false;
    bool shown_ = false; // FormShow has run
    bool activatePending_ = false; // activated while still hidden
};

} // namespace tarvoline
