#pragma once
#include <string>

namespace tarvoline {

class Registry;

// Prints files of other registered types through their print-to command.
class c_prtoth {
public:
    // Whether the file's type has a registered print-to command. Logs 17030 when the extension is
    // not registered and 17040 when the type has no print-to command.
    static bool HasPrintToCommand(Registry& registry, const std::string& path);
};

} // namespace tarvoline
