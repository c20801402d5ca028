#pragma once
#include <windows.h>

#include <string>

#include "forms/form_ids.h"
#include "platform/ui.h"

namespace tarvoline {

// Control ids of the text input dialog, for tests that drive it.
enum TextInputControl : int { kTextInputPrompt = IDC_TEXT_INPUT_MSG, kTextInputEdit = IDC_TEXT_INPUT_EDIT };

// The modal masked input dialog (TdlgTextInput): caption "入力ダイアログ", the prompt, an edit showing "*" for
// every character and starting with text, OK and Cancel. OK is enabled exactly while the edit holds text,
// from the first change on. text receives the edit's content whichever button closed the dialog.
MessageResult ShowTextInputDialog(HWND owner, const std::string& prompt, std::string& text);

} // namespace tarvoline
