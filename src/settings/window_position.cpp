#include "settings/window_position.h"

#include <algorithm>

#include "settings/decimal_number.h"

namespace tessik {
namespace {

constexpr std::string_view kMaximised = "MAX";

// Reads "%d;%d;%d;%d" from the start of the text. A number beyond the int range is refused
// rather than clamped or wrapped: no screen has such a coordinate.
bool ReadFourNumbers(std::string_view text, int (&numbers)[4]) {
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ';') return false;
            ++pos;
        }
        const DecimalNumber number = ScanDecimal(text, pos);
        if (!number.hasDigits || number.overflowed) return false;
        numbers[i] = number.value;
        pos = number.end;
    }
    return true;
}

}  // namespace

StoredPosition ParseWindowPosition(std::string_view text) {
    if (text == kMaximised) return {StoredPositionAction::kMaximise, {}};
    int n[4];
    if (!ReadFourNumbers(text, n)) return {};
    const WindowRect rect{n[0], n[1], n[2], n[3]};
    // Widened so that no difference of two ints can overflow.
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    if (rect.left < 0 || rect.top < 0 || width <= 0 || height <= 0) return {};
    return {StoredPositionAction::kMove, rect};
}

WindowRect FitIntoArea(const WindowRect& rect, const WindowRect& area) {
    // Widened: a stored rectangle may span nearly the whole int range.
    const long long areaWidth = static_cast<long long>(area.right) - area.left;
    const long long areaHeight = static_cast<long long>(area.bottom) - area.top;
    if (areaWidth <= 0 || areaHeight <= 0) return rect;
    const long long width = std::min(static_cast<long long>(rect.right) - rect.left, areaWidth);
    const long long height = std::min(static_cast<long long>(rect.bottom) - rect.top, areaHeight);
    const long long left = std::clamp<long long>(rect.left, area.left, area.right - width);
    const long long top = std::clamp<long long>(rect.top, area.top, area.bottom - height);
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + width),
            static_cast<int>(top + height)};
}

StoredPosition PositionToStore(const WindowPlacement& placement) {
    if (placement.state == WindowState::kMaximised) return {StoredPositionAction::kMaximise, {}};
    return {StoredPositionAction::kMove,
            placement.state == WindowState::kMinimised ? placement.restoredRect : placement.rect};
}

std::string FormatWindowPosition(const StoredPosition& position) {
    if (position.action == StoredPositionAction::kMaximise) return std::string(kMaximised);
    const WindowRect& r = position.rect;
    return std::to_string(r.left) + ";" + std::to_string(r.top) + ";" + std::to_string(r.right) +
           ";" + std::to_string(r.bottom);
}

}  // namespace tessik
