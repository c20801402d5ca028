#include "common/messages.h"

#include <charconv>
#include <cstdio>

#include "common/ansi_text.h"
#include "common/print_log.h"

namespace tarvoline {
namespace {

Ui* g_messageUi = nullptr;

// The formatted text keeps at most this many bytes, as a 10,000-byte buffer with its terminator would.
constexpr std::size_t kMaxFormattedBytes = 9998;

struct Conversion {
    bool leftAlign = false, plusSign = false, blankSign = false, alternate = false, zeroPad = false;
    int width = -1;
    int precision = -1;
    char kind = 0;
};

// Reads "%[flags][width][.precision][length]kind" starting just after '%'. Returns the position after
// the conversion, or npos when the sequence is not one this formatter knows.
std::size_t ParseConversion(std::string_view format, std::size_t pos, Conversion& conv) {
    for (; pos < format.size(); ++pos) {
        const char c = format[pos];
        if (c == '-') conv.leftAlign = true;
        else if (c == '+') conv.plusSign = true;
        else if (c == ' ') conv.blankSign = true;
        else if (c == '#') conv.alternate = true;
        else if (c == '0') conv.zeroPad = true;
        else break;
    }
    auto readNumber = [&](int& out) {
        int value = 0;
        bool any = false;
        while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9') {
            value = std::min(value * 10 + (format[pos] - '0'), 4096);
            ++pos;
            any = true;
        }
        if (any) out = value;
        return any;
    };
    readNumber(conv.width);
    if (pos < format.size() && format[pos] == '.') {
        ++pos;
        conv.precision = 0;
        readNumber(conv.precision);
    }
    while (pos < format.size() && (format[pos] == 'h' || format[pos] == 'l')) ++pos;
    if (pos >= format.size()) return std::string_view::npos;
    const char kind = format[pos];
    if (std::string_view("diuxXsc").find(kind) == std::string_view::npos) return std::string_view::npos;
    conv.kind = kind;
    return pos + 1;
}

void Pad(std::string& out, const Conversion& conv, std::string_view sign, std::string_view body) {
    const std::size_t length = sign.size() + body.size();
    const std::size_t fill = conv.width > 0 && static_cast<std::size_t>(conv.width) > length
                                 ? static_cast<std::size_t>(conv.width) - length
                                 : 0;
    if (conv.leftAlign) {
        out.append(sign).append(body).append(fill, ' ');
    } else if (conv.zeroPad && conv.precision < 0 && conv.kind != 's' && conv.kind != 'c') {
        out.append(sign).append(fill, '0').append(body);
    } else {
        out.append(fill, ' ').append(sign).append(body);
    }
}

void AppendNumber(std::string& out, const Conversion& conv, std::int32_t value) {
    char digits[16];
    std::string_view sign;
    std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    int base = 10;
    bool upper = false;
    switch (conv.kind) {
    case 'd':
    case 'i':
        if (value < 0) {
            sign = "-";
            magnitude = 0u - magnitude;
        } else if (conv.plusSign) {
            sign = "+";
        } else if (conv.blankSign) {
            sign = " ";
        }
        break;
    case 'x':
        base = 16;
        break;
    case 'X':
        base = 16;
        upper = true;
        break;
    default:
        break;
    }
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, magnitude, base);
    std::string body(digits, end);
    if (upper) {
        for (char& c : body) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
    }
    if (conv.precision >= 0) {
        if (conv.precision == 0 && magnitude == 0) body.clear();
        if (body.size() < static_cast<std::size_t>(conv.precision))
            body.insert(0, static_cast<std::size_t>(conv.precision) - body.size(), '0');
    }
    if (conv.alternate && base == 16 && magnitude != 0) sign = upper ? "0X" : "0x";
    Pad(out, conv, sign, body);
}

// Cuts to at most maxBytes without leaving the first half of a double-byte character at the end.
void CutAtCharacterBoundary(std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return;
    std::size_t pos = 0;
    while (pos < maxBytes) {
        const std::size_t step = IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
        if (pos + step > maxBytes) break;
        pos += step;
    }
    text.resize(pos);
}

MessageResult ClosedWithoutAnswer(MessageButtons buttons) {
    return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
}

} // namespace

std::int32_t MessageArg::AsInt() const {
    if (const auto* value = std::get_if<std::int32_t>(&value_)) return *value;
    return 0;
}

std::string MessageArg::AsText() const {
    if (const auto* text = std::get_if<std::string>(&value_)) return *text;
    return std::to_string(std::get<std::int32_t>(value_));
}

std::string FormatText(std::string_view format, std::initializer_list<MessageArg> args) {
    std::string out;
    out.reserve(format.size() + 64);
    const MessageArg* next = args.begin();
    // A placeholder without an argument reads an empty text (or 0 where a number stands).
    const MessageArg missingText{std::string()};
    const MessageArg missingNumber{0};

    std::size_t pos = 0;
    while (pos < format.size() && out.size() <= kMaxFormattedBytes) {
        const char c = format[pos];
        if (c != '%') {
            // Copy a double-byte character whole: its second byte may look like '%'.
            const std::size_t step = IsLeadByte(static_cast<unsigned char>(c)) && pos + 1 < format.size() ? 2 : 1;
            out.append(format.substr(pos, step));
            pos += step;
            continue;
        }
        if (pos + 1 < format.size() && format[pos + 1] == '%') {
            out.push_back('%');
            pos += 2;
            continue;
        }
        Conversion conv;
        const std::size_t after = ParseConversion(format, pos + 1, conv);
        if (after == std::string_view::npos) {
            out.push_back('%');
            ++pos;
            continue;
        }
        const bool isTextConversion = conv.kind == 's';
        const MessageArg& arg = next != args.end() ? *next++ : (isTextConversion ? missingText : missingNumber);
        if (isTextConversion || arg.IsText()) {
            // A text stands where a number was expected: show the text rather than a pointer value.
            std::string text = arg.AsText();
            if (conv.kind == 's' && conv.precision >= 0) CutAtCharacterBoundary(text, static_cast<std::size_t>(conv.precision));
            Pad(out, conv, {}, text);
        } else if (conv.kind == 'c') {
            const char ch = static_cast<char>(arg.AsInt());
            Pad(out, conv, {}, std::string_view(&ch, 1));
        } else {
            AppendNumber(out, conv, arg.AsInt());
        }
        pos = after;
    }
    CutAtCharacterBoundary(out, kMaxFormattedBytes);
    return out;
}

std::string FormatMessageId(std::int32_t id, const MessageArg& first, const MessageArg& second) {
    return FormatText(LoadMessageText(id), {first, second});
}

void SetMessageUi(Ui* ui) { g_messageUi = ui; }
Ui* MessageUi() { return g_messageUi; }

MessageResult ShowMessageText(const std::string& text, MessageButtons buttons) {
    const MessageResult result = g_messageUi ? g_messageUi->ShowMessageBox(text, buttons) : ClosedWithoutAnswer(buttons);
    LogText(text);
    return result;
}

MessageResult MessageBoxId(std::int32_t id, const MessageArg& first, const MessageArg& second, MessageButtons buttons) {
    return ShowMessageText(FormatMessageId(id, first, second), buttons);
}

void ShowMessageId(std::int32_t id, const MessageArg& first, const MessageArg& second) {
    MessageBoxId(id, first, second, MessageButtons::Ok);
}

MessageResult AskOkCancel(std::int32_t id, const MessageArg& first, const MessageArg& second) {
    return MessageBoxId(id, first, second, MessageButtons::OkCancel);
}

MessageResult AskYesNoCancel(std::int32_t id, const MessageArg& first, const MessageArg& second) {
    return MessageBoxId(id, first, second, MessageButtons::YesNoCancel);
}

void SetStatusMessage(std::int32_t id, const MessageArg& first, const MessageArg& second) {
    SetStatusText(id == 0 ? std::string() : FormatMessageId(id, first, second));
}

void SetStatusText(const std::string& text) {
    if (!g_messageUi) return;
    g_messageUi->SetStatusBarText(text);
    PumpMessages();
}

void PumpMessages() {
    if (g_messageUi) g_messageUi->ProcessPendingMessages();
}

void ShowInternalError(const std::string& functionName, std::int32_t code1, std::int32_t code2) {
    ShowMessageText(FormatText("%s func=%s code1=%d code2= %d", {LoadMessageText(15004), functionName, code1, code2}),
                    MessageButtons::Ok);
}

void ShowUserError(const c_userexcp& error) {
    if (error.MessageId() != 0) ShowMessageId(error.MessageId(), error.First(), error.Second());
}

} // namespace tarvoline
