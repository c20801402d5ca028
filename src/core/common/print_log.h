#pragma once
// The print log: one time-stamped line per run event and per message box shown.
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "common/messages.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace tarvoline {

// "2014/05/12 9:05:03"; the date alone at exactly midnight.
std::string FormatLogTimeStamp(const LocalTime& time);

class c_print_log {
public:
    c_print_log(Clock& clock, FileSystem& fileSystem);

    // Lines may be added from the key-in worker thread as well as the window thread.
    void AddLine(const std::string& text);
    void AddMessage(std::int32_t id, const MessageArg& first = {}, const MessageArg& second = {});
    void Clear();
    bool HasLines() const;
    // Every line followed by CR LF; "" for an empty log.
    std::string GetText() const;
    // Writes the lines to FileName as UTF-8 with BOM and CR LF, replacing any old file;
    // shows 13084 on failure. Does nothing while FileName is "".
    void WriteFile();

    std::string FileName;

private:
    Clock& clock_;
    FileSystem& fileSystem_;
    mutable std::mutex lock_;
    std::vector<std::string> lines_;
};

// The program's one print log, reached from anywhere; installed by the composition root.
void SetPrintLog(c_print_log* log);
void LogText(const std::string& text);
void LogMessage(std::int32_t id, const MessageArg& first = {}, const MessageArg& second = {});
void ClearPrintLog();

} // namespace tarvoline
