#pragma once
// What the list benchmarks share: the clock without the save pause, the password answer, timing, and
// the 10,000-entry list they work on.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "list/detached_list_host.h"
#include "list/filelist.h"
#include "platform/clock.h"
#include "platform/ui.h"

namespace tarvoline::bench {

class NoPauseClock : public Clock {
public:
    LocalTime Now() const override { return {}; }
    std::int64_t TickMilliseconds() const override { return 0; }
    void Sleep(std::int64_t) override {}
};

// Answers the list password prompt and counts the other boxes.
class PromptAnswer : public Ui {
public:
    MessageResult ShowMessageBox(const std::string& text, MessageButtons) override {
        ++boxes;
        lastBox = text;
        return MessageResult::Ok;
    }
    void SetStatusBarText(const std::string&) override {}
    void ProcessPendingMessages() override {}
    MessageResult PromptPassword(const std::string&, std::string& text) override {
        text = password;
        return MessageResult::Ok;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

    std::string password;
    int boxes = 0;
    std::string lastBox;
};

inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double BestSeconds(const std::function<void()>& work) {
    double best = 1e9;
    for (int round = 0; round < 3; ++round) best = std::min(best, Seconds(work));
    return best;
}

// A weekly list: every kind of document, sheets, page ranges, some passwords, copies and a memo.
inline void FillWeeklyList(c_filelist& list, DetachedListHost& host, int count) {
    const char* extensions[] = {".docx", ".xlsx", ".pptx", ".pdf", ".vsdx"};
    for (int i = 0; i < count; ++i) {
        const std::string path = "D:\\shared\\weekly\\folder" + std::to_string(i / 100) + "\\document" +
                                 std::to_string(i) + extensions[i % 5];
        if (i % 5 == 1)
            list.AddFiles({path}, i % 2 == 0, c_filelist::kAppend, true, {"Sheet1", "Sheet2"},
                          ExcelRangeMode::SelectedSheets, "", "1-2");
        else
            list.AddFiles({path}, true, c_filelist::kAppend, false, {}, ExcelRangeMode::None, i % 7 ? "" : "pw", "1-3");
    }
    host.copies = "2";
    host.memo = "weekly batch\r\nprinted on Mondays";
}

} // namespace tarvoline::bench
