#include "print/prtpdf.h"

#include "common/messages.h"
#include "platform/shell.h"
#include "print/password_keyin.h"
#include "print/prmon.h"
#include "print/prn.h"

namespace tarvoline {

bool PrintThroughShell(const PrintToServices& services, const std::string& printer, const std::string& path,
                       bool showWindow, std::int32_t refusalMessageId) {
    // The file goes unquoted, the printer always in double quotes, blanks or not.
    const int result = services.shell.PrintTo(path, "\"" + printer + "\"", showWindow);
    if (result <= 32) {
        ShowMessageId(refusalMessageId, path, result);
        return false;
    }
    return c_prmon(services.printerWatcher, services.clock, abortRequested, printer).Watch();
}

bool c_prtpdf::Print(const std::string& path, const std::string& password) {
    const KeyInScope keyIn(keyIn_, password, "RICHEDIT");
    return PrintThroughShell(services_, printer_.EffectivePrinter(), path, /*showWindow=*/false, 13053);
}

} // namespace tarvoline
