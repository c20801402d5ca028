#include "print/automation_values.h"

namespace tarvoline {

AutoObjectPtr AutoObjectOf(const AutoValue& value, const std::string& member) {
    if (const auto* object = std::get_if<AutoObjectPtr>(&value); object && *object)
        return *object;
    throw AutomationError(member + ": no object returned");
}

std::int32_t AutoIntegerOf(const AutoValue& value, const std::string& member) {
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return *number;
    if (const auto* byte = std::get_if<AutoByte>(&value))
        return byte->value;
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? -1 : 0;
    throw AutomationError(member + ": no number returned");
}

std::string AutoTextOf(const AutoValue& value, const std::string& member) {
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    throw AutomationError(member + ": no text returned");
}

} // namespace tarvoline
