// Where the program's messages reach the user. On Linux standard output and
// error are the terminal's (or wherever the caller sent them). A Windows
// program with a window has no console of its own: it writes to the console
// of the command prompt that started it, and shows in a message box what must
// be seen when there is none.
#pragma once

#include <string>

// Before anything is printed: takes the starting console where there is one
// and the streams are not already sent somewhere.
void attachConsole();

// One line (without its newline) the user must see: on standard error, and
// in a message box when no console or file receives it.
void showNotice(const std::string& line);
