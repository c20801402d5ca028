#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace tarvoline::testing {

// Answers message boxes from a script and records every box and status text.
class FakeUi : public Ui {
public:
    struct Box {
        std::string text;
        MessageButtons buttons;
    };

    MessageResult ShowMessageBox(const std::string& text, MessageButtons buttons) override {
        boxes.push_back({text, buttons});
        if (!answers.empty()) {
            const MessageResult answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    }
    void SetStatusBarText(const std::string& text) override { statusTexts.push_back(text); }
    void ProcessPendingMessages() override { ++pumpCount; }

    std::vector<Box> boxes;
    std::vector<std::string> statusTexts;
    std::deque<MessageResult> answers;
    int pumpCount = 0;
};

} // namespace tarvoline::testing
