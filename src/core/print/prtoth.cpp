#include "print/prtoth.h"

#include "app/settings_store.h"
#include "common/ansi_text.h"
#include "common/print_log.h"
#include "print/prn.h"

namespace tarvoline {

bool c_prtoth::HasPrintToCommand(Registry& registry, const std::string& path) {
    // The extension of the file-name part, in the path's own letter case.
    const std::string extension = ExtractFileExt(ExtractFileName(path));
    const std::string typeId = c_regcom::ReadRegistryString(registry, RegistryRoot::ClassesRoot, extension, "");
    if (typeId.empty()) {
        LogMessage(17030, path);
        return false;
    }
    const std::string command =
        c_regcom::ReadRegistryString(registry, RegistryRoot::ClassesRoot, typeId + "\\shell\\Printto\\command", "");
    if (command.empty()) {
        LogMessage(17040, path);
        return false;
    }
    return true;
}

bool c_prtoth::Print(const std::string& path) {
    return PrintThroughShell(services_, printer_.EffectivePrinter(), path, /*showWindow=*/true, 13054);
}

} // namespace tarvoline
