// The yes/no question asked before the window opens. On Windows a message
// box; elsewhere a desktop dialog (zenity) when one can be shown, else a
// prompt on the terminal, else No.
#pragma once

#include <string>

bool askYesNo(const std::string& text, const std::string& caption);
