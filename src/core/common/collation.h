#pragma once
#include <string_view>

namespace tarvoline {

// Orders two narrow texts ignoring case, by the rules of the user's locale (CompareStringA on
// Windows; elsewhere by their upper-case bytes). Negative, 0 or positive.
int CompareTextIgnoringCase(std::string_view a, std::string_view b);

} // namespace tarvoline
