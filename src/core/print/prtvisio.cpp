#include "print/prtvisio.h"

#include "common/messages.h"
#include "platform/clock.h"
#include "print/automation_values.h"
#include "print/prn.h"

namespace tarvoline {

namespace {
constexpr std::int32_t kPrintAllPages = 0;  // visPrintAll
constexpr std::int32_t kPrintPageRange = 1; // visPrintFromTo
constexpr std::int8_t kAnswerNo = 7;        // IDNO, for every alert the server would show
constexpr int kPrintAttempts = 3;
constexpr std::int64_t kAfterOpenMilliseconds = 1000;
constexpr std::int64_t kRetryMilliseconds = 3000;
} // namespace

bool c_prtvisio::Print(const std::string& path, int from, int to) {
    step_ = "start";
    bool printed = false;
    try {
        OpenDrawing(path);
        printed = PrintDrawing(from, to);
    } catch (const AutomationError& error) {
        ShowMessageId(13008, path, ErrorText(error));
    } catch (const std::exception& error) {
        ShowMessageId(13008, path, std::string(error.what()) + " Proc:" + step_);
    }
    CloseDrawing(path);
    return printed;
}

std::string c_prtvisio::ErrorText(const AutomationError& error) const {
    if (!error.Code())
        return error.Message() + " Proc:" + step_;
    return error.Message() + " Code:" + FormatText("%.8X", {*error.Code()}) + " Proc:" + step_;
}

void c_prtvisio::OpenDrawing(const std::string& path) {
    path_ = path;
    application_ = automation_.Create("Visio.Application");
    step_ = "CreateObject done";
    documents_ = GetAutoObject(automation_, application_, "Documents");
    document_ = CallForAutoObject(automation_, documents_, "Open", {path});
    clock_.Sleep(kAfterOpenMilliseconds);
    step_ = "Open done";
}

bool c_prtvisio::PrintDrawing(int from, int to) {
    for (int attempt = 1;; ++attempt) {
        try {
            // Without a first page the whole drawing prints, whatever the last page says.
            if (from == -1) {
                automation_.Call(
                    document_, "PrintOut",
                    {kPrintAllPages, AutoMissing{}, AutoMissing{}, AutoMissing{}, printer_.EffectivePrinter()});
            } else {
                automation_.Call(document_, "PrintOut",
                                 {kPrintPageRange, std::int32_t{from}, std::int32_t{to}, AutoMissing{},
                                  printer_.EffectivePrinter()});
            }
            return true;
        } catch (const AutomationError& error) {
            // Only system-kind errors (with a code) are worth another try.
            if (!error.Code())
                throw;
            if (attempt == kPrintAttempts) {
                ShowMessageId(13009, path_, ErrorText(error));
                return false;
            }
            clock_.Sleep(kRetryMilliseconds);
        }
    }
}

void c_prtvisio::CloseDrawing(const std::string& path) {
    // Two independent blocks: the server is told to quit even when the document would not close.
    // Without a server (its creation failed) there is nothing to answer or close.
    if (application_) {
        try {
            automation_.Put(application_, "AlertResponse", AutoByte{kAnswerNo});
            if (document_) {
                automation_.Call(document_, "Close");
                document_.reset();
            }
        } catch (const AutomationError& error) {
            ShowMessageId(13020, path, error.Message());
        }
        try {
            automation_.Call(application_, "Quit");
            application_.reset();
        } catch (const AutomationError& error) {
            ShowMessageId(13020, path, error.Message());
        }
    }
    // No reference outlives the call, whatever failed.
    document_.reset();
    documents_.reset();
    application_.reset();
}

} // namespace tarvoline
