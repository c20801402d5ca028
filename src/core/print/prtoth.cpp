#include "print/prtoth.h"

#include "app/settings_store.h"
#include "common/ansi_text.h"
#include "common/print_log.h"
#include "print/prn.h"

namespace tarvoline {

bool c_prtoth::HasPrintToCommand(Registry& registry, const std::string& path) {
    // The extension of the file-name part, in the path's own letter case.
    const std::int32_t missing = MissingPrintToCommand(registry, ExtractFileExt(ExtractFileName(path)));
    if (missing != 0)
        LogMessage(missing, path);
    return missing == 0;
}

std::int32_t c_prtoth::MissingPrintToCommand(Registry& registry, const std::string& extension) {
    const std::string typeId = c_regcom::ReadRegistryString(registry, RegistryRoot::ClassesRoot, extension, "");
    if (typeId.empty())
        return 17030;
    const std::string command =
        c_regcom::ReadRegistryString(registry, RegistryRoot::ClassesRoot, typeId + "\\shell\\Printto\\command", "");
    return command.empty() ? 17040 : 0;
}

bool c_prtoth::Print(const std::string& path) {
    return PrintThroughShell(services_, printer_.EffectivePrinter(), path, /*showWindow=*/true, 13054);
}

} // namespace tarvoline
