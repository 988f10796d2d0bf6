#pragma once
// Reads a signed decimal number the way the stored data files have always been read: leading
// white space, an optional sign, then digits up to the first non-digit.

#include <cstddef>
#include <string_view>

namespace tessik {

struct DecimalNumber {
    int value = 0;  // clamped to the int range when the digits overflow it
    bool hasDigits = false;
    bool overflowed = false;
    std::size_t end = 0;  // position just after the last digit (or `start` without digits)
};

DecimalNumber ScanDecimal(std::string_view text, std::size_t start = 0);

}  // namespace tessik
