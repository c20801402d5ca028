#pragma once
// The boundary to the document applications' automation servers, late bound by member name.
// The Win32 implementation goes through IDispatch; tests use a recording fake.
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tarvoline {

// A reference to an object of an automation server; dropping the last reference releases it.
class AutoObject {
public:
    virtual ~AutoObject() = default;
};
using AutoObjectPtr = std::shared_ptr<AutoObject>;

// An optional argument left out (passed as an error value holding DISP_E_PARAMNOTFOUND).
struct AutoMissing {
    bool operator==(const AutoMissing&) const = default;
};
// A one-byte integer (VT_I1), which Visio's AlertResponse takes.
struct AutoByte {
    std::int8_t value = 0;
    bool operator==(const AutoByte&) const = default;
};

// Values that cross the boundary. Texts are narrow (ANSI code page) here and UTF-16 on the other
// side. A string array goes as a one-dimensional array with lower bound 0.
using AutoValue = std::variant<std::monostate, AutoMissing, std::string, std::int32_t, AutoByte, bool,
                               std::vector<std::string>, AutoObjectPtr>;

// Every failing create, get, put or call throws this. System-kind errors carry the HRESULT.
class AutomationError : public std::exception {
public:
    explicit AutomationError(std::string message, std::optional<std::int32_t> code = std::nullopt)
        : message_(std::move(message)), code_(code) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const { return message_; }
    const std::optional<std::int32_t>& Code() const { return code_; }

private:
    std::string message_;
    std::optional<std::int32_t> code_;
};

class Automation {
public:
    virtual ~Automation() = default;
    // A new application object for the ProgID (never an already running one).
    virtual AutoObjectPtr Create(const std::string& progId) = 0;
    // Property get, with arguments for indexed properties (Worksheets(1)).
    virtual AutoValue Get(const AutoObjectPtr& object, const std::string& member,
                          const std::vector<AutoValue>& arguments = {}) = 0;
    virtual void Put(const AutoObjectPtr& object, const std::string& member, const AutoValue& value) = 0;
    // Method call with positional arguments, first argument first.
    virtual AutoValue Call(const AutoObjectPtr& object, const std::string& member,
                           const std::vector<AutoValue>& arguments = {}) = 0;
};

} // namespace tarvoline
