#include "print/prtword.h"

#include "common/ansi_text.h"
#include "common/messages.h"
#include "platform/automation.h"
#include "print/automation_values.h"
#include "print/password_keyin.h"
#include "print/prn.h"

namespace tarvoline {

namespace {
constexpr std::int32_t kRangeWholeDocument = 0; // wdPrintAllDocument
constexpr std::int32_t kRangePages = 4;         // wdPrintRangeOfPages
} // namespace

bool c_prtword::Print(const std::string& path, const std::string& pageRange, const std::string& password) {
    KeyInScope keyIn(keyIn_, password, "RichEdit");
    const std::string printerName = printer_.EffectivePrinter();
    // The page text goes as stored: the server reads its syntax.
    const bool wholeDocument = TrimBlanks(pageRange).empty();
    const AutoValue pages = wholeDocument ? AutoValue(AutoMissing{}) : AutoValue(pageRange);
    try {
        const AutoObjectPtr application = automation_.Create("Word.Application");
        automation_.Put(application, "ActivePrinter", printerName);
        const AutoObjectPtr documents = GetAutoObject(automation_, application, "Documents");
        const AutoObjectPtr document = CallForAutoObject(automation_, documents, "Open", {path, false, true});
        // Copies stay 1: the run makes the copies as whole-list passes.
        automation_.Call(document, "PrintOut",
                         {false, AutoMissing{}, wholeDocument ? kRangeWholeDocument : kRangePages, AutoMissing{},
                          AutoMissing{}, AutoMissing{}, std::int32_t{0}, std::int32_t{1}, pages});
        automation_.Call(document, "Close", {false});
        automation_.Call(application, "Quit");
        return true;
    } catch (const std::exception& error) {
        // No further call: a server that failed once is left alone.
        ShowMessageId(13008, path, error.what());
        return false;
    }
}

} // namespace tarvoline
