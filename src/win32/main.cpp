// The composition root: creates the main window and the objects it needs, and runs the message loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "common/messages.h"
#include "common/print_log.h"
#include "platform/clock.h"
#include "platform/win32_file_system.h"
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

        // The shell link object and the automation servers need COM on the window thread.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        struct ComUninitialize {
            ~ComUninitialize() { CoUninitialize(); }
        } comUninitialize;

        SystemClock clock;
        Win32FileSystem fileSystem;
        c_print_log printLog(clock, fileSystem);
        TMainForm mainForm;
        Win32Ui ui(mainForm);
        SetMessageUi(&ui);
        SetPrintLog(&printLog);
        struct GlobalsReset {
            ~GlobalsReset() {
                SetMessageUi(nullptr);
                SetPrintLog(nullptr);
            }
        } globalsReset;

        mainForm.Create(instance, showCommand);
        RunMessageLoop(mainForm.Handle(), mainForm.Accelerators());
    } catch (...) {
        ShowCurrentException(nullptr);
    }
    // The exit code is 0 in every case, also after a failed start.
    return 0;
}
