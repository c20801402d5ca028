#pragma once
// The password key-in: a worker that finds a document application's password prompt on the
// desktop, types the stored password into it and confirms it.
#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <thread>

#include "platform/desktop_windows.h"
#include "print/password_keyin.h"

namespace tarvoline {

class Clock;

class c_pushbutton_thread {
public:
    // windowsBeforeStart: the top-level windows that existed when the key-in was started. They are
    // never acted on, so a password never goes to a window that was already open, such as a browser's
    // login page; the application's prompt always appears after the start.
    c_pushbutton_thread(DesktopWindows& desktop, Clock& clock, std::string titleText, std::string buttonText,
                        std::string editClassText, std::string keyText, std::set<WindowId> windowsBeforeStart);

    // The worker's loop: until one scan has acted, the 10-minute deadline, or an end request.
    void Run();
    void RequestEnd() { endRequested_ = true; }
    bool Running() const { return running_; }
    int ActionCount() const { return actionCount_; }

private:
    void Loop();
    void ScanWindow(WindowId window);
    void KeyIn();

    DesktopWindows& desktop_;
    Clock& clock_;
    const std::string titleText_;
    const std::string buttonText_;
    const std::string editClassText_;
    const std::string keyText_;
    const std::set<WindowId> windowsBeforeStart_;
    int actionCount_ = 0;
    bool actedThisPass_ = false;
    std::atomic<bool> running_{true};
    std::atomic<bool> endRequested_{false};
    WindowId buttonWindow_ = 0;
    WindowId editWindow_ = 0;
};

// Owns the key-in worker of one handler call.
class c_pushbutton : public PasswordKeyIn {
public:
    c_pushbutton(DesktopWindows& desktop, Clock& clock) : desktop_(desktop), clock_(clock) {}
    ~c_pushbutton() override { Stop(); }
    c_pushbutton(const c_pushbutton&) = delete;
    c_pushbutton& operator=(const c_pushbutton&) = delete;

    void Start(const std::string& titleText, const std::string& buttonText, const std::string& editClassText,
               const std::string& keyText) override;
    // Asks the worker to end, waits for it (checking every 100 ms, at most 60 seconds) and releases it.
    void Stop() override;

private:
    DesktopWindows& desktop_;
    Clock& clock_;
    std::unique_ptr<c_pushbutton_thread> worker_;
    std::thread thread_;
};

} // namespace tarvoline
