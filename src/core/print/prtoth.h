#pragma once
#include <cstdint>
#include <string>

#include "print/print_run.h"
#include "print/prtpdf.h"

namespace tarvoline {

class c_prn;
class Registry;

// Prints files of other registered types through their print-to command.
class c_prtoth : public PrintHandler {
public:
    c_prtoth(c_prn& printer, const PrintToServices& services) : printer_(printer), services_(services) {}

    // Whether the file's type has a registered print-to command. Logs 17030 when the extension is
    // not registered and 17040 when the type has no print-to command.
    static bool HasPrintToCommand(Registry& registry, const std::string& path);
    // The registry part of that test for an extension ("" for none), without the log line: 0 when the
    // type has a print-to command, else the id of the log message that says why not (17030 or 17040).
    static std::int32_t MissingPrintToCommand(Registry& registry, const std::string& extension);

    // The registered program is shown; no password is ever used for these files.
    bool Print(const std::string& path);
    bool Print(const PrintRequest& request) override { return Print(request.path); }

private:
    c_prn& printer_;
    PrintToServices services_;
};

} // namespace tarvoline
