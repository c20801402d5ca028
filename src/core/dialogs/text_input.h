#pragma once
// The masked one-line input dialog, through which the list password is asked.
#include <string>

#include "platform/ui.h"

namespace tarvoline {

// Shows the dialog owned by the main window with the prompt and text as the initial answer; text is set to
// the edit's content, also when the dialog was cancelled. Returns Ok or Cancel (Cancel when no window
// system is installed, text unchanged).
MessageResult PromptPassword(const std::string& prompt, std::string& text);

} // namespace tarvoline
