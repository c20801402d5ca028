#include "common/collation.h"

#include "common/encoding_system.h"

namespace tarvoline {

int CompareTextIgnoringCase(std::string_view a, std::string_view b) { return detail::SystemCompareIgnoringCase(a, b); }

} // namespace tarvoline
