#pragma once
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "platform/automation.h"

namespace tarvoline::testing {

// Stands for the document applications: journals every create, get, put and call with the member,
// the arguments and their types, numbers the objects it hands out, returns scripted results and
// fails where told to.
//
// Journal lines:
//   create Word.Application -> #1
//   put #1.ActivePrinter = "PDF"
//   get #1.Documents -> #2
//   get #4.Item(3) -> #5
//   call #2.Open("C:\a.doc", false, true) -> #3
//   call #3.PrintOut(false, missing, 0, byte 7, ["a", "b"])
//   call #3.Close(false) !! the error text
// Strings are quoted, 32-bit integers bare, one-byte integers "byte n", arrays in brackets.
class FakeAutomation : public Automation {
public:
    class Object : public AutoObject {
    public:
        Object(int number, std::shared_ptr<int> live) : number(number), live_(std::move(live)) { ++*live_; }
        ~Object() override { --*live_; }
        const int number;

    private:
        std::shared_ptr<int> live_;
    };

    AutoObjectPtr Create(const std::string& progId) override {
        const std::string line = "create " + progId;
        Step(progId, line);
        auto object = NewObject();
        journal.push_back(line + " -> " + Text(object));
        return object;
    }

    AutoValue Get(const AutoObjectPtr& object, const std::string& member,
                  const std::vector<AutoValue>& arguments = {}) override {
        std::string line = "get " + Text(object) + "." + member;
        if (!arguments.empty())
            line += ArgumentsText(arguments);
        Step(member, line);
        AutoValue result = Result(member);
        if (std::holds_alternative<std::monostate>(result))
            result = NewObject();
        journal.push_back(line + " -> " + Text(result));
        return result;
    }

    void Put(const AutoObjectPtr& object, const std::string& member, const AutoValue& value) override {
        const std::string line = "put " + Text(object) + "." + member + " = " + Text(value);
        Step(member, line);
        journal.push_back(line);
    }

    AutoValue Call(const AutoObjectPtr& object, const std::string& member,
                   const std::vector<AutoValue>& arguments = {}) override {
        std::string line = "call " + Text(object) + "." + member + ArgumentsText(arguments);
        Step(member, line);
        AutoValue result = Result(member);
        if (std::holds_alternative<std::monostate>(result) && objectMethods.count(member))
            result = NewObject();
        if (!std::holds_alternative<std::monostate>(result))
            line += " -> " + Text(result);
        journal.push_back(line);
        return result;
    }

    // The next results of a member (a get or a call), used in order. A get without a scripted result
    // gives a new object; a call gives one only for a member in objectMethods, else nothing.
    void Script(const std::string& member, std::vector<AutoValue> values) {
        for (auto& value : values)
            results[member].push_back(std::move(value));
    }
    // Operation n (from 1, counting every create, get, put and call) fails.
    void FailAt(int operation, std::string text, std::optional<std::int32_t> code = std::nullopt) {
        failures.push_back({"", operation, 1, std::move(text), code, ""});
    }
    // The next `times` operations on the member (or creates of the ProgID) fail.
    void FailOn(std::string member, std::string text, std::optional<std::int32_t> code = std::nullopt, int times = 1) {
        failures.push_back({std::move(member), 0, times, std::move(text), code, ""});
    }
    // The next operation whose journal line contains the fragment fails: "Item(2)", "Sheets([".
    void FailWhere(std::string fragment, std::string text, std::optional<std::int32_t> code = std::nullopt) {
        failures.push_back({"", 0, 1, std::move(text), code, std::move(fragment)});
    }

    AutoObjectPtr NewObject() { return std::make_shared<Object>(++lastNumber, live_); }
    // Objects handed out and not yet released by everybody holding them.
    int LiveObjects() const { return *live_; }
    int Operations() const { return operations_; }

    std::vector<std::string> journal;
    std::map<std::string, std::deque<AutoValue>> results;
    std::set<std::string> objectMethods{"Open"};
    int lastNumber = 0;

    static std::string Text(const AutoValue& value) {
        struct Visitor {
            std::string operator()(std::monostate) const { return "empty"; }
            std::string operator()(const AutoMissing&) const { return "missing"; }
            std::string operator()(const std::string& text) const { return "\"" + text + "\""; }
            std::string operator()(std::int32_t number) const { return std::to_string(number); }
            std::string operator()(const AutoByte& byte) const { return "byte " + std::to_string(byte.value); }
            std::string operator()(bool flag) const { return flag ? "true" : "false"; }
            std::string operator()(const std::vector<std::string>& texts) const {
                std::string out = "[";
                for (std::size_t i = 0; i < texts.size(); ++i)
                    out += (i ? ", \"" : "\"") + texts[i] + "\"";
                return out + "]";
            }
            std::string operator()(const AutoObjectPtr& object) const { return Text(object); }
        };
        return std::visit(Visitor{}, value);
    }
    static std::string Text(const AutoObjectPtr& object) {
        if (!object)
            return "null";
        auto* fake = dynamic_cast<const Object*>(object.get());
        return fake ? "#" + std::to_string(fake->number) : "foreign";
    }

private:
    struct Failure {
        std::string member;
        int operation = 0;
        int times = 1;
        std::string text;
        std::optional<std::int32_t> code;
        std::string fragment;
    };

    static std::string ArgumentsText(const std::vector<AutoValue>& arguments) {
        std::string out = "(";
        for (std::size_t i = 0; i < arguments.size(); ++i)
            out += (i ? ", " : "") + Text(arguments[i]);
        return out + ")";
    }

    // Counts the operation and throws when a failure is due; the failed operation is journaled.
    void Step(const std::string& member, const std::string& line) {
        ++operations_;
        for (auto it = failures.begin(); it != failures.end(); ++it) {
            const bool due = it->operation           ? it->operation == operations_
                             : !it->fragment.empty() ? line.find(it->fragment) != std::string::npos
                                                     : it->member == member;
            if (!due)
                continue;
            AutomationError error(it->text, it->code);
            journal.push_back(line + " !! " + it->text);
            if (--it->times == 0)
                failures.erase(it);
            throw error;
        }
    }

    AutoValue Result(const std::string& member) {
        auto found = results.find(member);
        if (found == results.end() || found->second.empty())
            return {};
        AutoValue value = std::move(found->second.front());
        found->second.pop_front();
        return value;
    }

    std::vector<Failure> failures;
    std::shared_ptr<int> live_ = std::make_shared<int>(0);
    int operations_ = 0;
};

} // namespace tarvoline::testing
