#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace tarvoline::testing {

// Answers message boxes and password prompts from scripts and records every box, prompt and status text.
class FakeUi : public Ui {
public:
    struct Box {
        std::string text;
        MessageButtons buttons;
    };
    struct Prompt {
        std::string prompt;
        std::string initialText;
    };
    struct PromptAnswer {
        MessageResult result;
        std::string text;
    };

    MessageResult ShowMessageBox(const std::string& text, MessageButtons buttons) override {
        boxes.push_back({text, buttons});
        events.push_back("box:" + text);
        if (!answers.empty()) {
            const MessageResult answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    }
    void SetStatusBarText(const std::string& text) override { statusTexts.push_back(text); }
    void ProcessPendingMessages() override { ++pumpCount; }
    // Without a scripted answer the prompt is cancelled and the text left as it was.
    MessageResult PromptPassword(const std::string& prompt, std::string& text) override {
        prompts.push_back({prompt, text});
        events.push_back("prompt:" + prompt);
        if (promptAnswers.empty())
            return MessageResult::Cancel;
        PromptAnswer answer = promptAnswers.front();
        promptAnswers.pop_front();
        text = answer.text;
        return answer.result;
    }
    void BeginWaitCursor() override {
        ++waitCursorDepth;
        ++waitCursorShown;
    }
    void EndWaitCursor() override { --waitCursorDepth; }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const Box& box : boxes)
            texts.push_back(box.text);
        return texts;
    }

    std::vector<Box> boxes;
    std::vector<Prompt> prompts;
    std::vector<std::string> events; // "box:<text>" and "prompt:<prompt>" in order
    std::vector<std::string> statusTexts;
    std::deque<MessageResult> answers;
    std::deque<PromptAnswer> promptAnswers;
    int pumpCount = 0;
    int waitCursorDepth = 0;
    int waitCursorShown = 0;
};

// Lets a test act while long work handles window messages, as a click during that work would.
class PumpingUi : public FakeUi {
public:
    void ProcessPendingMessages() override {
        FakeUi::ProcessPendingMessages();
        if (onPump)
            onPump();
    }
    std::function<void()> onPump;
};

} // namespace tarvoline::testing
