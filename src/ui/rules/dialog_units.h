#pragma once
// Window templates are laid out in dialog units, which scale with the dialog font: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an eighth of its
// height. Converting the edges (not the width and height) keeps neighbouring controls flush.

namespace tessik {

struct DialogBaseUnits {
    int averageCharWidth;  // pixels
    int charHeight;        // pixels
};

struct PixelRect {
    int x, y, width, height;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
    int width, height;
    bool operator==(const PixelSize&) const = default;
};

// The average width of the 52 letters A-Z and a-z, rounded to the nearest pixel, from the width
// of all 52 drawn side by side.
int AverageLetterWidth(int widthOf52Letters);

int HorizontalUnitsToPixels(int units, const DialogBaseUnits& base);
int VerticalUnitsToPixels(int units, const DialogBaseUnits& base);
PixelRect DialogRectToPixels(int x, int y, int width, int height, const DialogBaseUnits& base);

}  // namespace tessik
