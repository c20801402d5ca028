#include "listfile/memo_lines.h"

namespace tarvoline {
namespace {

// CR LF and lone CR become LF. Neither byte can be the second byte of a double-byte character.
std::string WithLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] != '\r') {
            out.push_back(text[pos]);
            continue;
        }
        out.push_back('\n');
        if (pos + 1 < text.size() && text[pos + 1] == '\n')
            ++pos;
    }
    return out;
}

// Reads the quoted string that starts at pos and ends before lineEnd; false when it is not closed there.
bool ReadQuoted(std::string_view text, std::size_t& pos, std::size_t lineEnd, std::string& line) {
    std::string content;
    for (std::size_t i = pos + 1; i < lineEnd; ++i) {
        if (text[i] != '"') {
            content.push_back(text[i]);
            continue;
        }
        if (i + 1 < lineEnd && text[i + 1] == '"') {
            content.push_back('"');
            ++i;
            continue;
        }
        line = std::move(content);
        pos = i + 1;
        return true;
    }
    return false;
}

} // namespace

std::vector<std::string> SplitMemoText(std::string_view memo) {
    const std::string text = WithLfLineEnds(memo);
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t lineEnd = text.find('\n', pos);
        if (lineEnd == std::string::npos)
            lineEnd = text.size();
        std::string quoted;
        if (pos < lineEnd && text[pos] == '"' && ReadQuoted(text, pos, lineEnd, quoted)) {
            lines.push_back(std::move(quoted));
            if (pos < lineEnd)
                lines.push_back(text.substr(pos, lineEnd - pos));
        } else {
            lines.push_back(text.substr(pos, lineEnd - pos));
        }
        pos = lineEnd;
        if (pos < text.size()) {
            ++pos; // the LF
            if (pos == text.size())
                lines.emplace_back();
        }
    }
    return lines;
}

std::string JoinMemoLines(const std::vector<std::string>& lines) {
    std::string joined;
    if (lines.size() == 1 && lines[0].empty()) {
        joined = "\"\"";
    } else {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i)
                joined.push_back('\n');
            const std::string& line = lines[i];
            if (line.find_first_of("\"\n") == std::string::npos) {
                joined.append(line);
                continue;
            }
            joined.push_back('"');
            for (char c : line) {
                if (c == '"')
                    joined.push_back('"');
                joined.push_back(c);
            }
            joined.push_back('"');
        }
    }
    std::string text;
    text.reserve(joined.size() + lines.size());
    for (char c : joined) {
        if (c == '\n')
            text.push_back('\r');
        text.push_back(c);
    }
    return text;
}

} // namespace tarvoline
