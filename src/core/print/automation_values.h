#pragma once
// What the handlers rely on from the automation servers' answers: an object from a get or an
// open, a number from Count and Visible, a text from Name. An answer of another type fails like
// any other automation error, so the handler reports it and goes on.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/automation.h"

namespace tarvoline {

AutoObjectPtr AutoObjectOf(const AutoValue& value, const std::string& member);
// VT_BOOL comes over as a bool; as a number it is what the server means by it (-1 true, 0 false).
std::int32_t AutoIntegerOf(const AutoValue& value, const std::string& member);
std::string AutoTextOf(const AutoValue& value, const std::string& member);

inline AutoObjectPtr GetAutoObject(Automation& automation, const AutoObjectPtr& object, const std::string& member,
                                   const std::vector<AutoValue>& arguments = {}) {
    return AutoObjectOf(automation.Get(object, member, arguments), member);
}
inline std::int32_t GetAutoInteger(Automation& automation, const AutoObjectPtr& object, const std::string& member) {
    return AutoIntegerOf(automation.Get(object, member), member);
}
inline std::string GetAutoText(Automation& automation, const AutoObjectPtr& object, const std::string& member) {
    return AutoTextOf(automation.Get(object, member), member);
}
inline AutoObjectPtr CallForAutoObject(Automation& automation, const AutoObjectPtr& object, const std::string& member,
                                       const std::vector<AutoValue>& arguments) {
    return AutoObjectOf(automation.Call(object, member, arguments), member);
}

} // namespace tarvoline
