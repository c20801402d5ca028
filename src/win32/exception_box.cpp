#include "exception_box.h"

#include <exception>
#include <string>

#include "win32_ui.h"

namespace tarvoline {

void ShowCurrentException(HWND owner) noexcept {
    const char* text = "";
    try {
        throw;
    } catch (const std::exception& error) {
        text = error.what();
    } catch (...) {
        // Not an exception object: shown with an empty text.
    }
    MessageBoxA(owner, text, kApplicationTitle, MB_OK | MB_ICONSTOP);
}

} // namespace tarvoline
