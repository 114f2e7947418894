#include "model/text_convert.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale>
#include <sstream>
#include <system_error>
#include <type_traits>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The characters a stream gathers for a floating-point number: a sign, digits
// with at most one point, then an 'e' or 'E' (only after a digit) with an
// optional sign and digits. The run is a number only when its mantissa and,
// if it has one, its exponent hold a digit. On the way, the digits are
// gathered as an integer and a power of ten while they fit, for the fast path.
struct FloatRun {
    size_t begin = 0;
    size_t end = 0;
    bool valid = false;
    bool negative = false;
    bool exact = true;         // digits and exponent fit: value = digits * 10^power
    std::uint64_t digits = 0;  // the significant digits as an integer
    int power = 0;
};

FloatRun scanFloat(std::string_view text) {
    constexpr std::uint64_t kManyDigits = 100000000000000000;  // 10^17: one more digit still fits
    FloatRun run;
    const char* const first = text.data();
    const char* const end = first + text.size();
    const char* p = first;
    while (p < end && isBlank(*p)) ++p;
    run.begin = static_cast<size_t>(p - first);
    if (p < end && (*p == '+' || *p == '-')) {
        run.negative = *p == '-';
        ++p;
    }
    const char* const mantissa = p;
    std::uint64_t digits = 0;
    int power = 0;
    bool exact = true;
    for (; p < end && isDigit(*p); ++p) {
        if (digits < kManyDigits)
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        else
            exact = false;
    }
    bool mantissaDigit = p > mantissa;
    if (p < end && *p == '.') {
        const char* const fraction = ++p;
        for (; p < end && isDigit(*p); ++p) {
            if (digits < kManyDigits) {
                digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
                --power;
            } else {
                exact = false;
            }
        }
        mantissaDigit = mantissaDigit || p > fraction;
    }
    bool exponentDigit = true;
    if (mantissaDigit && p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p < end && (*p == '+' || *p == '-')) {
            negativeExponent = *p == '-';
            ++p;
        }
        const char* const exponentStart = p;
        int exponent = 0;
        for (; p < end && isDigit(*p); ++p) {
            if (exponent < 10000) exponent = exponent * 10 + (*p - '0');
        }
        exponentDigit = p > exponentStart;
        power += negativeExponent ? -exponent : exponent;
    }
    run.exact = exact;
    run.power = power;
    run.digits = digits;
    run.end = static_cast<size_t>(p - first);
    run.valid = mantissaDigit && exponentDigit;
    return run;
}

// Clinger's fast path: an integer below 2^53 times or divided by an exact
// power of ten up to 10^22 is one correctly rounded operation, the same value
// strtod gives. Most coordinates ("%.6f") take it.
bool fastDouble(const FloatRun& run, double& value) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (!run.exact || run.digits > (std::uint64_t{1} << 53) || run.power < -22 || run.power > 22) {
        return false;
    }
    const double digits = static_cast<double>(run.digits);
    const double magnitude =
        run.power < 0 ? digits / kPowers[-run.power] : digits * kPowers[run.power];
    value = run.negative ? -magnitude : magnitude;
    return true;
}

// from_chars reports underflow and overflow alike as out of range; a stream
// takes an underflow as the nearest value (0 or a subnormal) and an overflow as
// a failure, so those rare cases go through a stream in the classic locale,
// which tells them apart (whatever the process's locale).
template <typename T>
bool convertFloat(std::string_view text, T& value) {
    const FloatRun run = scanFloat(text);
    if (!run.valid) return false;
    if constexpr (std::is_same_v<T, double>) {
        if (fastDouble(run, value)) return true;
    }
    const char* first = text.data() + run.begin;
    const char* last = text.data() + run.end;
    if (*first == '+') ++first;  // from_chars takes no plus sign
    T result{};
    const std::from_chars_result r = std::from_chars(first, last, result);
    if (r.ec == std::errc::result_out_of_range) {
        std::istringstream in(std::string(first, last));
        in.imbue(std::locale::classic());
        in >> result;
        if (in.fail() || std::isinf(result)) return false;
    } else if (r.ec != std::errc() || r.ptr != last) {
        return false;
    }
    value = result;
    return true;
}

}  // namespace

bool toDouble(std::string_view text, double& value) {
    return convertFloat(text, value);
}

float toFloat(std::string_view text) {
    float value = 0.0f;
    convertFloat(text, value);
    return value;
}

bool toInt(std::string_view text, int& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    if (text.size() <= 9 && p < end && isDigit(*p)) {
        // The common case, a face index: at most nine digits always fit.
        int number = 0;
        for (; p < end && isDigit(*p); ++p) number = number * 10 + (*p - '0');
        value = number;
        return true;
    }
    while (p < end && isBlank(*p)) ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    while (p + 1 < end && *p == '0' && isDigit(p[1])) ++p;  // leading zeros do not count
    const char* const digits = p;
    const char* const stop = end - p > 11 ? p + 11 : end;
    std::uint64_t magnitude = 0;
    for (; p < stop && isDigit(*p); ++p) {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    if (p == digits) return false;
    // Eleven digits are past any int, and so is a longer number.
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    if (magnitude > limit || (p < end && isDigit(*p))) return false;
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
