#include <iostream>

#include "platform/console.h"

void attachConsole() {}

void showNotice(const std::string& line) {
    std::cerr << line << "\n";
}
