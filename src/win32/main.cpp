// The composition root: the system's implementations of the seams, the main window and its logic, the
// message loop, and the exit code the logic decided.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "common/encoding.h"
#include "common/messages.h"
#include "exception_box.h"
#include "main_form_dialogs.h"
#include "main_window.h"
#include "message_loop.h"
#include "win32_system.h"
#include "win32_ui.h"

namespace {

// The arguments as the system splits them (quotes group a path with blanks), without the program's path.
std::vector<std::string> CommandLineArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    if (!arguments)
        return result;
    for (int i = 1; i < count; ++i) {
        const std::u16string wide(reinterpret_cast<const char16_t*>(arguments[i]));
        result.push_back(tarvoline::Utf16ToAnsiReplacing(wide));
    }
    LocalFree(arguments);
    return result;
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using namespace tarvoline;
    int exitCode = 0;
    try {
        // Status bar, list view and up-down arrows of the main window, and the standard controls.
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);

        // The shell link object and the automation servers need COM on the window thread.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        struct ComUninitialize {
            ~ComUninitialize() { CoUninitialize(); }
        } comUninitialize;

        Win32System system;

        MainWindow mainWindow;
        Win32Ui ui(mainWindow);
        SetMessageUi(&ui);
        struct GlobalsReset {
            ~GlobalsReset() { SetMessageUi(nullptr); }
        } globalsReset;

        // Hidden until the logic has applied the stored placement.
        mainWindow.Create(instance, SW_HIDE);
        system.shell.SetParentWindow(mainWindow.Handle());
        const std::string programPath = ProgramPath();
        Win32MainFormDialogs dialogs(mainWindow, system.fileSystem);
        TMainForm form(system.ForMainForm(mainWindow, dialogs, programPath, CommandLineArguments()));
        dialogs.SetMainForm(&form);
        mainWindow.Attach(form);
        mainWindow.Show(showCommand);
        RunMessageLoop(mainWindow.Handle(), mainWindow.Accelerators());
        exitCode = form.ExitCodeValue();
    } catch (...) {
        ShowCurrentException(nullptr);
    }
    return exitCode;
}
