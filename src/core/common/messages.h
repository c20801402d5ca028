#pragma once
// The message catalogue and the one way the program shows messages, questions, status texts
// and errors.
#include <cstdint>
#include <exception>
#include <string>
#include <variant>

#include "platform/ui.h"

namespace tarvoline {

// An argument for a catalogue format: a 32-bit integer or a narrow text. Formatting is type-safe:
// a text where %d stands, an integer where %s stands and a missing argument are all rendered
// without reading out of bounds.
class MessageArg {
public:
    MessageArg() : value_(std::int32_t{0}) {}
    MessageArg(int value) : value_(static_cast<std::int32_t>(value)) {}
    MessageArg(unsigned value) : value_(static_cast<std::int32_t>(value)) {}
    MessageArg(long value) : value_(static_cast<std::int32_t>(value)) {}
    MessageArg(unsigned long value) : value_(static_cast<std::int32_t>(value)) {}
    MessageArg(const char* text) : value_(std::string(text ? text : "")) {}
    MessageArg(std::string text) : value_(std::move(text)) {}
    MessageArg(std::string_view text) : value_(std::string(text)) {}

    bool IsText() const { return std::holds_alternative<std::string>(value_); }
    std::int32_t AsInt() const; // a text reads as 0
    std::string AsText() const; // an integer reads as its decimal digits

private:
    std::variant<std::int32_t, std::string> value_;
};

// The catalogue text of an id; "" for an id that is not in the catalogue.
std::string LoadMessageText(std::int32_t id);

// printf semantics for %s, %d (%i, %u), %x (%X) with flags, width and precision, and %%.
// The result is cut after 9,998 bytes (never in the middle of a double-byte character).
std::string FormatText(std::string_view format, std::initializer_list<MessageArg> args);
std::string FormatMessageId(std::int32_t id, const MessageArg& first = {}, const MessageArg& second = {});

MessageResult ShowMessageText(const std::string& text, MessageButtons buttons);
MessageResult MessageBoxId(std::int32_t id, const MessageArg& first, const MessageArg& second, MessageButtons buttons);
void ShowMessageId(std::int32_t id, const MessageArg& first = {}, const MessageArg& second = {});
MessageResult AskOkCancel(std::int32_t id, const MessageArg& first = {}, const MessageArg& second = {});
MessageResult AskYesNoCancel(std::int32_t id, const MessageArg& first = {}, const MessageArg& second = {});
void SetStatusMessage(std::int32_t id, const MessageArg& first = {}, const MessageArg& second = {});
void SetStatusText(const std::string& text);
// Lets the window system handle every pending message (nothing without an installed Ui).
void PumpMessages();
void ShowInternalError(const std::string& functionName, std::int32_t code1, std::int32_t code2);

// The program's own exception. Every place that throws it has already shown its message and
// throws id 0, so the enclosing operation stops without a second message.
class c_userexcp : public std::exception {
public:
    c_userexcp(std::int32_t messageId = 0, MessageArg first = {}, MessageArg second = {})
        : messageId_(messageId), first_(std::move(first)), second_(std::move(second)) {}
    const char* what() const noexcept override { return ""; }
    std::int32_t MessageId() const { return messageId_; }
    const MessageArg& First() const { return first_; }
    const MessageArg& Second() const { return second_; }

private:
    std::int32_t messageId_;
    MessageArg first_;
    MessageArg second_;
};
void ShowUserError(const c_userexcp& error);

// The window system the message operations use; installed once by the composition root
// (WinMain or a test). Without one, boxes answer as if closed at once and nothing is shown.
void SetMessageUi(Ui* ui);
Ui* MessageUi();

} // namespace tarvoline
