#include "settings/decimal_number.h"

#include <limits>

namespace tessik {
namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

DecimalNumber ScanDecimal(std::string_view text, std::size_t start) {
    DecimalNumber result;
    result.end = start;
    std::size_t pos = start;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    // Accumulate towards the limit of the sign's side so INT_MIN itself is representable.
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                     : std::numeric_limits<int>::max();
    long long magnitude = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        result.hasDigits = true;
        if (!result.overflowed) {
            magnitude = magnitude * 10 + (text[pos] - '0');
            if (magnitude > limit) {
                result.overflowed = true;
                magnitude = limit;
            }
        }
    }
    if (!result.hasDigits) return result;
    result.value = static_cast<int>(negative ? -magnitude : magnitude);
    result.end = pos;
    return result;
}

}  // namespace tessik
