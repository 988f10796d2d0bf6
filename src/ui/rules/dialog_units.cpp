#include "ui/rules/dialog_units.h"

namespace tessik {
namespace {

// value * numerator / denominator, rounded half away from zero without overflow for any
// template size.
int ScaleRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

}  // namespace

int AverageLetterWidth(int widthOf52Letters) {
    return (widthOf52Letters / 26 + 1) / 2;
}

int HorizontalUnitsToPixels(int units, const DialogBaseUnits& base) {
    return ScaleRounded(units, base.averageCharWidth, 4);
}

int VerticalUnitsToPixels(int units, const DialogBaseUnits& base) {
    return ScaleRounded(units, base.charHeight, 8);
}

PixelRect DialogRectToPixels(int x, int y, int width, int height, const DialogBaseUnits& base) {
    const int left = HorizontalUnitsToPixels(x, base);
    const int top = VerticalUnitsToPixels(y, base);
    return {left, top, HorizontalUnitsToPixels(x + width, base) - left,
            VerticalUnitsToPixels(y + height, base) - top};
}

}  // namespace tessik
