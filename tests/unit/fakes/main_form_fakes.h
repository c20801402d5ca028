#pragma once
#include <string>
#include <vector>

#include "app/main_form.h"
#include "fakes/fake_automation.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_crypto.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_spooler.h"
#include "fakes/scripted_printer_watch.h"

namespace tarvoline::testing {

// The system around a main form, all fakes but the file system and the windows, which each test picks.
struct MainFormFakes {
    MainFormServices Services(FileSystem& files, PlacementWindow& placement, MainFormWindow& window,
                              MainFormDialogs& dialogs, std::vector<std::string> arguments = {}) {
        return MainFormServices{registry,
                                files,
                                shell,
                                spooler,
                                automation,
                                watcher,
                                desktop,
                                clock,
                                crypto,
                                placement,
                                window,
                                dialogs,
                                "C:\\Tarvoline.exe",
                                std::move(arguments)};
    }

    FakeRegistry registry;
    FakeShell shell;
    FakeSpooler spooler;
    FakeAutomation automation;
    FakeClock clock;
    PrinterScript script;
    ScriptedWatcher watcher{clock, script};
    FakeDesktop desktop{clock};
    FakeCrypto crypto;
};

} // namespace tarvoline::testing
