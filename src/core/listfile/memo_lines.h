#pragma once
// The memo of a list is stored one line per key; these are the rules of its line list (LF as separator,
// the double quote as quote character).
#include <string>
#include <string_view>
#include <vector>

namespace tarvoline {

// The memo's text (CR LF line ends) as the lines to store. A line that starts with a double quote and has
// its closing quote before the line ends is read as a quoted string (quotes removed, "" standing for ");
// text after the closing quote becomes a line of its own. An opening quote without a closing one on the
// same line is an ordinary character, so no stored line ever holds a line break. A lone CR counts as a
// line break too. An LF at the very end adds an empty last line; an empty memo has no lines.
std::vector<std::string> SplitMemoText(std::string_view memo);

// The stored lines as the memo's text: joined with CR LF; a line holding a double quote or a line break is
// enclosed in double quotes with its inner quotes doubled; exactly one empty line gives two double quotes.
std::string JoinMemoLines(const std::vector<std::string>& lines);

} // namespace tarvoline
