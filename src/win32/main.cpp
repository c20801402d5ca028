// The composition root: creates the main window and the objects it needs, and runs the message loop.
#include <windows.h>

#include <commctrl.h>

#include "common/messages.h"
#include "exception_box.h"
#include "main_form.h"
#include "message_loop.h"
#include "win32_ui.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using namespace tarvoline;
    try {
        // Status bar, list view and up-down arrows of the main window, and the standard controls.
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);

        TMainForm mainForm;
        Win32Ui ui(mainForm);
        SetMessageUi(&ui);
        struct UiReset {
            ~UiReset() { SetMessageUi(nullptr); }
        } uiReset;

        mainForm.Create(instance, showCommand);
        RunMessageLoop(mainForm.Handle(), mainForm.Accelerators());
    } catch (...) {
        ShowCurrentException(nullptr);
    }
    // The exit code is 0 in every case, also after a failed start.
    return 0;
}
