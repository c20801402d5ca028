#include "list/page_range.h"

#include <charconv>

#include "common/ansi_text.h"

namespace tarvoline {
namespace {

// A whole integer with an optional sign; anything else (blanks, letters, overflow) is -1.
int WholeInteger(std::string_view text) {
    if (text.empty()) return -1;
    if (text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return -1;
    return value;
}

} // namespace

FromTo SplitFromTo(const std::string& text) {
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty()) return {};
    const std::size_t dash = trimmed.find('-');
    if (dash == std::string::npos) {
        const int page = WholeInteger(trimmed);
        return {page, page};
    }
    return {WholeInteger(std::string_view(trimmed).substr(0, dash)),
            WholeInteger(std::string_view(trimmed).substr(dash + 1))};
}

std::string PageNumberText(int number) { return number == -1 ? std::string() : std::to_string(number); }

std::string JoinFromTo(int from, int to) {
    if (from == -1 && to == -1) return {};
    return PageNumberText(from) + "-" + PageNumberText(to);
}

int PageNumberFromText(const std::string& text) { return WholeInteger(text); }

} // namespace tarvoline
