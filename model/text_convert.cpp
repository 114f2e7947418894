#include "model/text_convert.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

size_t skipBlanks(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    return i;
}

// The characters a stream gathers for a floating-point number: a sign, digits
// with at most one point, then an 'e' or 'E' (only after a digit) with an
// optional sign and digits. Returns the end of that run; the run is a number
// only when its mantissa and, if it has one, its exponent hold a digit.
struct FloatRun {
    size_t begin = 0;
    size_t end = 0;
    bool valid = false;
};

FloatRun scanFloat(std::string_view text) {
    FloatRun run;
    size_t i = skipBlanks(text);
    run.begin = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool mantissaDigit = false;
    bool point = false;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            mantissaDigit = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ++i;
    }
    bool exponentDigit = true;
    if (mantissaDigit && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        exponentDigit = false;
        while (i < text.size() && isDigit(text[i])) {
            exponentDigit = true;
            ++i;
        }
    }
    run.end = i;
    run.valid = mantissaDigit && exponentDigit;
    return run;
}

locale_t classicLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

// from_chars reports underflow and overflow alike as out of range; a stream
// takes an underflow as the nearest value (0 or a subnormal) and an overflow as
// a failure, so those rare cases go through strtod, which tells them apart.
template <typename T>
bool convertFloat(std::string_view text, T& value) {
    const FloatRun run = scanFloat(text);
    if (!run.valid) return false;
    const char* first = text.data() + run.begin;
    const char* last = text.data() + run.end;
    if (*first == '+') ++first;  // from_chars takes no plus sign
    T result{};
    const std::from_chars_result r = std::from_chars(first, last, result);
    if (r.ec == std::errc::result_out_of_range) {
        const std::string copy(first, last);
        if constexpr (std::is_same_v<T, float>) {
            result = strtof_l(copy.c_str(), nullptr, classicLocale());
        } else {
            result = strtod_l(copy.c_str(), nullptr, classicLocale());
        }
        if (std::isinf(result)) return false;
    } else if (r.ec != std::errc() || r.ptr != last) {
        return false;
    }
    value = result;
    return true;
}

}  // namespace

bool toDouble(std::string_view text, double& value) { return convertFloat(text, value); }

float toFloat(std::string_view text) {
    float value = 0.0f;
    convertFloat(text, value);
    return value;
}

bool toInt(std::string_view text, int& value) {
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude; past 2^31 it can be neither an int nor, negated, INT_MIN.
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    std::uint64_t magnitude = 0;
    bool digit = false;
    bool overflow = false;
    while (i < text.size() && isDigit(text[i])) {
        digit = true;
        if (!overflow) {
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[i] - '0');
            overflow = magnitude > limit;
        }
        ++i;
    }
    if (!digit || overflow) return false;
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<int>(magnitude);
    return true;
}

std::string directoryOf(const std::string& path) {
    size_t found = path.find_last_of('\\');
    if (found == std::string::npos) found = path.find_last_of('/');
    if (found == std::string::npos) return std::string();
    return path.substr(0, found + 1);
}
