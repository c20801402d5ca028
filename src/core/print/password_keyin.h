#pragma once
#include <string>

namespace tarvoline {

// Types a document's password into its application's own prompt while a handler opens the
// document: the handlers never pass passwords to the applications.
class PasswordKeyIn {
public:
    virtual ~PasswordKeyIn() = default;
    // Starts watching the other programs' windows for a prompt whose title contains titleText; types
    // keyText into its edit box (class name containing editClassText) and confirms with the button
    // whose caption contains buttonText. Returns at once.
    virtual void Start(const std::string& titleText, const std::string& buttonText, const std::string& editClassText,
                       const std::string& keyText) = 0;
    // Ends the watching and waits until it has ended. Never throws: handlers call it while unwinding.
    virtual void Stop() = 0;
};

// Starts the key-in for a document that has a password, with the prompt's title and button texts,
// and stops it when the handler's work on the file is over, however that ends.
class KeyInScope {
public:
    KeyInScope(PasswordKeyIn& keyIn, const std::string& password, const std::string& editClassText);
    ~KeyInScope();
    KeyInScope(const KeyInScope&) = delete;
    KeyInScope& operator=(const KeyInScope&) = delete;

private:
    PasswordKeyIn& keyIn_;
    bool started_;
};

} // namespace tarvoline
