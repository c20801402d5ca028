#pragma once
// The from-to page range of Excel and Visio entries: "3-7", "3-", "-7", "" (all pages).
#include <string>

namespace tarvoline {

struct FromTo {
    int from = -1; // -1: left out
    int to = -1;
    bool operator==(const FromTo&) const = default;
};

FromTo SplitFromTo(const std::string& text);
std::string JoinFromTo(int from, int to);
std::string PageNumberText(int number);
int PageNumberFromText(const std::string& text);

} // namespace tarvoline
