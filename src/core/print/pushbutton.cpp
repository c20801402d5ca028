#include "print/pushbutton.h"

#include "common/ansi_text.h"
#include "common/print_log.h"
#include "platform/clock.h"

namespace tarvoline {
namespace {

constexpr std::int64_t kDeadlineMilliseconds = 10 * 60 * 1000;
constexpr std::int64_t kStopWaitMilliseconds = 60 * 1000;

} // namespace

c_pushbutton_thread::c_pushbutton_thread(DesktopWindows& desktop, Clock& clock, std::string titleText,
                                         std::string buttonText, std::string editClassText, std::string keyText,
                                         std::set<WindowId> windowsBeforeStart)
    : desktop_(desktop), clock_(clock), titleText_(std::move(titleText)), buttonText_(std::move(buttonText)),
      editClassText_(std::move(editClassText)), keyText_(std::move(keyText)),
      windowsBeforeStart_(std::move(windowsBeforeStart)) {}

void c_pushbutton_thread::Run() {
    try {
        Loop();
    } catch (...) {
        // Nothing may leave the worker's thread; the key-in simply ends.
    }
    running_ = false;
}

void c_pushbutton_thread::Loop() {
    clock_.Sleep(1000);
    const std::int64_t deadline = clock_.TickMilliseconds() + kDeadlineMilliseconds;
    while (clock_.TickMilliseconds() < deadline && !endRequested_) {
        actedThisPass_ = false;
        for (WindowId window : desktop_.TopLevelWindows()) {
            if (endRequested_) break;
            ScanWindow(window);
        }
        if (actionCount_ > 0 && actedThisPass_) break;
        clock_.Sleep(1000);
    }
}

void c_pushbutton_thread::ScanWindow(WindowId window) {
    if (desktop_.BelongsToThisProcess(window)) return;
    if (windowsBeforeStart_.count(window)) return;
    if (!titleText_.empty() && !ContainsTextIgnoringCase(desktop_.Title(window), titleText_)) return;
    if (!buttonText_.empty()) {
        for (WindowId child : desktop_.Descendants(window)) {
            if (ContainsTextIgnoringCase(desktop_.Title(child), buttonText_)) buttonWindow_ = child;
            if (ContainsTextIgnoringCase(desktop_.ClassName(child), editClassText_)) editWindow_ = child;
        }
    }
    KeyIn();
}

void c_pushbutton_thread::KeyIn() {
    clock_.Sleep(1000);
    if (!editWindow_) {
        LogMessage(17008, "KeyIn Window not found");
        return;
    }
    desktop_.SetText(editWindow_, keyText_);
    clock_.Sleep(500);
    if (buttonWindow_) desktop_.ClickButton(buttonWindow_);
    else desktop_.PressEnter(editWindow_);
    ++actionCount_;
    actedThisPass_ = true;
}

void c_pushbutton::Start(const std::string& titleText, const std::string& buttonText, const std::string& editClassText,
                         const std::string& keyText) {
    Stop();
    const std::vector<WindowId> existing = desktop_.TopLevelWindows();
    worker_ = std::make_unique<c_pushbutton_thread>(desktop_, clock_, titleText, buttonText, editClassText, keyText,
                                                    std::set<WindowId>(existing.begin(), existing.end()));
    thread_ = std::thread([worker = worker_.get()] { worker->Run(); });
}

void c_pushbutton::Stop() {
    if (!worker_) return;
    worker_->RequestEnd();
    for (std::int64_t waited = 0; worker_->Running() && waited < kStopWaitMilliseconds; waited += 100)
        clock_.Sleep(100);
    if (thread_.joinable()) thread_.join();
    worker_.reset();
}

} // namespace tarvoline
