// Text-to-number conversion for the model readers, with the semantics of reading
// a number from a string stream in the classic locale: leading white space is
// skipped, whatever follows the number is ignored, and a text that does not hold
// a number (or one out of range) is a failure. And the directory part of a path.
#pragma once

#include <string>
#include <string_view>

// On success stores the number and returns true; on failure leaves value as it was.
bool toDouble(std::string_view text, double& value);
bool toInt(std::string_view text, int& value);

// The number, or 0 when the text does not convert.
float toFloat(std::string_view text);

// The path up to and including its last backslash, or, only when it has none,
// its last forward slash; empty when it has neither. "a\b/c" gives "a\".
std::string directoryOf(const std::string& path);

// The white space of the classic locale: space, \t, \n, \v, \f, \r.
inline bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
