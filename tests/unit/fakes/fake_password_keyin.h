#pragma once
#include <string>
#include <vector>

#include "print/password_keyin.h"

namespace tarvoline::testing {

// Records the key-in's starts and stops as "keyin start <title>|<button>|<class>|<text>" and
// "keyin stop", into its own list or into a journal shared with other fakes to show the order.
class FakePasswordKeyIn : public PasswordKeyIn {
public:
    FakePasswordKeyIn() = default;
    explicit FakePasswordKeyIn(std::vector<std::string>& journal) : journal_(&journal) {}

    void Start(const std::string& titleText, const std::string& buttonText, const std::string& editClassText,
               const std::string& keyText) override {
        Record("keyin start " + titleText + "|" + buttonText + "|" + editClassText + "|" + keyText);
    }
    void Stop() override { Record("keyin stop"); }

    std::vector<std::string> calls;

private:
    void Record(std::string line) {
        calls.push_back(line);
        if (journal_)
            journal_->push_back(std::move(line));
    }
    std::vector<std::string>* journal_ = nullptr;
};

} // namespace tarvoline::testing
