#include "platform/console.h"

#include <iostream>

void attachConsole() {}

void showNotice(const std::string& line) {
    std::cerr << line << "\n";
}
