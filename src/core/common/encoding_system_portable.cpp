#include "common/ansi_text.h"
#include "common/encoding.h"
#include "common/encoding_system.h"

namespace tarvoline::detail {
std::u16string SystemAnsiToUtf16(std::string_view ansi) { return cp932::Decode(ansi); }
std::optional<std::string> SystemUtf16ToAnsi(std::u16string_view text) { return cp932::Encode(text); }

int SystemCompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::string upperA = AnsiUpperCase(a);
    const std::string upperB = AnsiUpperCase(b);
    return upperA.compare(upperB);
}
} // namespace tarvoline::detail
