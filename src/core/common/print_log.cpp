#include "common/print_log.h"

#include <cstdio>

#include "common/encoding.h"

namespace tarvoline {
namespace {
c_print_log* g_printLog = nullptr;
}

std::string FormatLogTimeStamp(const LocalTime& t) {
    char text[64];
    const bool midnight = t.hour == 0 && t.minute == 0 && t.second == 0 && t.millisecond == 0;
    if (midnight) {
        std::snprintf(text, sizeof text, "%04d/%02d/%02d", t.year, t.month, t.day);
    } else {
        std::snprintf(text, sizeof text, "%04d/%02d/%02d %d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                      t.second);
    }
    return text;
}

c_print_log::c_print_log(Clock& clock, FileSystem& fileSystem) : clock_(clock), fileSystem_(fileSystem) {}

void c_print_log::AddLine(const std::string& text) {
    std::string line = FormatLogTimeStamp(clock_.Now());
    line.push_back(' ');
    line.append(text);
    std::lock_guard guard(lock_);
    lines_.push_back(std::move(line));
}

void c_print_log::AddMessage(std::int32_t id, const MessageArg& first, const MessageArg& second) {
    AddLine(FormatMessageId(id, first, second));
}

void c_print_log::Clear() {
    std::lock_guard guard(lock_);
    lines_.clear();
}

bool c_print_log::HasLines() const {
    std::lock_guard guard(lock_);
    return !lines_.empty();
}

std::string c_print_log::GetText() const {
    std::lock_guard guard(lock_);
    std::string text;
    for (const auto& line : lines_) text.append(line).append("\r\n");
    return text;
}

void c_print_log::WriteFile() {
    if (FileName.empty()) return;
    FileResult result;
    {
        std::lock_guard guard(lock_);
        std::string bytes = "\xEF\xBB\xBF";
        for (const auto& line : lines_) bytes.append(AnsiToUtf8(line)).append("\r\n");
        // A new file is complete before it replaces the old one, so a failure keeps the earlier log whole.
        result = fileSystem_.WriteFileAtomic(FileName, bytes);
    }
    if (!result.ok()) ShowMessageId(13084, FileName, result.error);
}

void SetPrintLog(c_print_log* log) { g_printLog = log; }

void LogText(const std::string& text) {
    if (g_printLog) g_printLog->AddLine(text);
}

void LogMessage(std::int32_t id, const MessageArg& first, const MessageArg& second) {
    if (g_printLog) g_printLog->AddMessage(id, first, second);
}

void ClearPrintLog() {
    if (g_printLog) g_printLog->Clear();
}

} // namespace tarvoline
