// Stored numbers and window positions from any text: a number reads as the C library reads it
// (clamped to int), a position is either refused or a usable rectangle that is written back to
// the same text it came from once normalised, and fitted into a screen it lies on that screen,
// no larger than before.

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "settings/decimal_number.h"
#include "settings/window_position.h"

namespace tessik::fuzz {
namespace {

void CheckDecimal(const std::string& text) {
    const DecimalNumber number = ScanDecimal(text);
    // strtol reads a C string; a NUL ends the number in both readers.
    const std::string cString = text.substr(0, text.find('\0'));
    char* end = nullptr;
    errno = 0;
    const long expected = std::strtol(cString.c_str(), &end, 10);
    const bool read = end != cString.c_str();
    Require(number.hasDigits == read, "digits are found where strtol finds them");
    if (!read) {
        Require(number.value == 0 && number.end == 0, "no digits reads as 0 at the start");
        return;
    }
    const long clamped = expected < INT_MIN ? INT_MIN : expected > INT_MAX ? INT_MAX : expected;
    Require(number.value == clamped, "the value is strtol's, clamped to int");
    Require(number.end == static_cast<std::size_t>(end - cString.c_str()), "the end is strtol's");
    Require(number.overflowed == (errno == ERANGE || expected != clamped),
            "overflow is reported exactly when the int range is left");
}

// Screens side by side, one left of the origin, and one too small for any window.
void CheckFitted(const WindowRect& r) {
    const WindowRect screens[] = {{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}, {0, 0, 1, 1}};
    for (const WindowRect& screen : screens) {
        const WindowRect f = FitIntoArea(r, screen);
        Require(f.left >= screen.left && f.top >= screen.top && f.right <= screen.right &&
                    f.bottom <= screen.bottom,
                "a fitted window lies on the screen");
        Require(
            static_cast<long long>(f.right) - f.left <= static_cast<long long>(r.right) - r.left &&
                static_cast<long long>(f.bottom) - f.top <=
                    static_cast<long long>(r.bottom) - r.top,
            "a fitted window grows no larger");
        Require(f.right > f.left && f.bottom > f.top, "a fitted window keeps a size");
    }
}

void CheckPosition(const std::string& text) {
    const StoredPosition position = ParseWindowPosition(text);
    switch (position.action) {
        case StoredPositionAction::kKeep:
            Require(text != "MAX", "MAX maximises");
            break;
        case StoredPositionAction::kMaximise:
            Require(text == "MAX", "only MAX maximises");
            break;
        case StoredPositionAction::kMove: {
            const WindowRect& r = position.rect;
            Require(r.left >= 0 && r.top >= 0 && r.right > r.left && r.bottom > r.top,
                    "a moved window has a usable rectangle");
            const std::string written = FormatWindowPosition(position);
            Require(ParseWindowPosition(written) == position, "a written position reads back");
            CheckFitted(r);
            break;
        }
    }
}

}  // namespace
}  // namespace tessik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tessik::fuzz::CheckDecimal(text);
    tessik::fuzz::CheckPosition(text);
    return 0;
}
