#include "platform/ask.h"

#include <windows.h>

bool askYesNo(const std::string& text, const std::string& caption) {
    // No owner window: the question comes before the window exists.
    return MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}
