#include "print/prtppt.h"

#include "common/ansi_text.h"
#include "common/messages.h"
#include "list/filelist.h"
#include "list/page_range.h"
#include "platform/automation.h"
#include "print/automation_values.h"
#include "print/password_keyin.h"
#include "print/prn.h"

namespace tarvoline {

namespace {
constexpr std::int32_t kWindowMinimized = 2; // ppWindowMinimized
constexpr std::int32_t kRangeAll = 1;        // ppPrintAll
constexpr std::int32_t kRangeSlides = 4;     // ppPrintSlideRange
constexpr int kLastSlide = 9999;
} // namespace

bool c_prtppt::Print(const std::string& path, const std::string& pageRange, const std::string& password) {
    KeyInScope keyIn(keyIn_, password, "Edit");
    try {
        const AutoObjectPtr application = automation_.Create("PowerPoint.Application");
        automation_.Put(application, "Visible", true);
        automation_.Put(application, "WindowState", kWindowMinimized);
        const AutoObjectPtr presentations = GetAutoObject(automation_, application, "Presentations");
        const AutoObjectPtr presentation = CallForAutoObject(automation_, presentations, "Open", {path});
        // The slide count is read before the print options are touched.
        const std::int32_t slideCount =
            GetAutoInteger(automation_, GetAutoObject(automation_, presentation, "Slides"), "Count");
        const AutoObjectPtr options = GetAutoObject(automation_, presentation, "PrintOptions");
        automation_.Put(options, "ActivePrinter", printer_.EffectivePrinter());
        automation_.Put(options, "PrintInBackground", false);
        if (pageRange.empty()) {
            automation_.Put(options, "RangeType", kRangeAll);
            automation_.Call(presentation, "PrintOut");
        } else {
            automation_.Put(options, "RangeType", kRangeSlides);
            const AutoObjectPtr ranges = GetAutoObject(automation_, options, "Ranges");
            automation_.Call(ranges, "ClearAll");
            for (const std::string& rawItem : SplitCommaText(pageRange)) {
                const std::string item = TrimBlanks(rawItem);
                if (item.empty())
                    continue;
                FromTo slides = SplitFromTo(item);
                if (slides.from == -1)
                    slides.from = 1;
                if (slides.to == -1)
                    slides.to = kLastSlide;
                // Only the start is checked: the server decides about an end beyond the last slide.
                if (slides.from > slideCount) {
                    ShowMessageId(13036, path, pageRange);
                    continue;
                }
                automation_.Call(ranges, "Add", {std::int32_t{slides.from}, std::int32_t{slides.to}});
            }
            if (GetAutoInteger(automation_, ranges, "Count") != 0)
                automation_.Call(presentation, "PrintOut");
        }
        automation_.Call(presentation, "Close");
        automation_.Call(application, "Quit");
        return true;
    } catch (const std::exception& error) {
        // No further call: a server that failed once is left alone.
        ShowMessageId(13008, path, error.what());
        return false;
    }
}

} // namespace tarvoline
