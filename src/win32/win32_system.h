#pragma once
// The system's implementation of every interface the program's logic uses, made together by the
// program and by the tools that run its main window.
#include <string>
#include <vector>

#include "app/main_form.h"
#include "main_window.h"
#include "platform/clock.h"
#include "platform/win32_automation.h"
#include "platform/win32_crypto.h"
#include "platform/win32_desktop_windows.h"
#include "platform/win32_file_system.h"
#include "platform/win32_printer_watch.h"
#include "platform/win32_registry.h"
#include "platform/win32_shell.h"
#include "platform/win32_spooler.h"

namespace tarvoline {

struct Win32System {
    SystemClock clock;
    Win32FileSystem fileSystem;
    Win32Registry registry;
    Win32Shell shell;
    Win32Spooler spooler;
    Win32Automation automation;
    Win32PrinterWatcher printerWatcher;
    Win32DesktopWindows desktop;
    Win32Crypto crypto;

    // What the main window's logic is made from, with this window around it.
    MainFormServices ForMainForm(MainWindow& window, MainFormDialogs& dialogs, std::string programPath,
                                 std::vector<std::string> arguments) {
        return MainFormServices{registry, fileSystem, shell, spooler, automation, printerWatcher, desktop, clock,
                                crypto,   window,     window, dialogs, std::move(programPath), std::move(arguments)};
    }
};

} // namespace tarvoline
