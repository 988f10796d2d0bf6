#include "ui/qt/qt_font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace tessik {
namespace {

// Pitch in the low two bits, family in the high four.
constexpr std::uint8_t kFixedPitch = 1;
constexpr std::uint8_t kVariablePitch = 2;
constexpr std::uint8_t kPitchMask = 0x03;
constexpr std::uint8_t kFamilyMask = 0xF0;

struct FamilyHint {
    std::uint8_t family;
    QFont::StyleHint hint;
};
constexpr FamilyHint kFamilies[] = {
    {0x10, QFont::Serif},   {0x20, QFont::SansSerif},  {0x30, QFont::Monospace},
    {0x40, QFont::Cursive}, {0x50, QFont::Decorative},
};

std::uint8_t FamilyOf(QFont::StyleHint hint) {
    if (hint == QFont::TypeWriter) hint = QFont::Monospace;
    if (hint == QFont::Fantasy) hint = QFont::Decorative;
    for (const FamilyHint& entry : kFamilies) {
        if (entry.hint == hint) return entry.family;
    }
    return 0;
}

QFont::StyleHint HintOf(std::uint8_t pitchAndFamily) {
    for (const FamilyHint& entry : kFamilies) {
        if (entry.family == (pitchAndFamily & kFamilyMask)) return entry.hint;
    }
    return QFont::AnyStyle;
}

// Widened, so that even the most negative height has a magnitude.
int LimitedPixels(std::int64_t pixels) {
    return static_cast<int>(std::clamp<std::int64_t>(pixels, 1, kMaxFontPixels));
}

// The em size whose line height is the given cell height.
int EmHeightForCell(QFont font, int cellHeight) {
    font.setPixelSize(cellHeight);
    const int lineHeight = std::max(1, QFontMetrics(font).height());
    return LimitedPixels(std::llround(double(cellHeight) * cellHeight / lineHeight));
}

}  // namespace

QFont ToQFont(const FontDescription& description, const QFont& base) {
    QFont font = base;
    font.setFamily(QString::fromStdU16String(description.faceName));
    font.setStyleHint(HintOf(description.pitchAndFamily));
    font.setFixedPitch((description.pitchAndFamily & kPitchMask) == kFixedPitch);
    if (description.height < 0) font.setPixelSize(LimitedPixels(-std::int64_t{description.height}));
    if (description.height > 0) {
        font.setPixelSize(EmHeightForCell(font, LimitedPixels(description.height)));
    }
    if (description.weight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::clamp(description.weight, 1, 1000)));
    }
    font.setItalic(description.italic != 0);
    font.setUnderline(description.underline != 0);
    font.setStrikeOut(description.strikeOut != 0);
    return font;
}

FontDescription FromQFont(const QFont& font) {
    const QFontInfo info(font);
    FontDescription description;
    description.height = -(font.pixelSize() > 0 ? font.pixelSize() : info.pixelSize());
    description.weight = font.weight();
    description.italic = font.italic() ? 1 : 0;
    description.underline = font.underline() ? 1 : 0;
    description.strikeOut = font.strikeOut() ? 1 : 0;
    description.charSet = kDefaultCharSet;
    description.pitchAndFamily = static_cast<std::uint8_t>(
        (info.fixedPitch() ? kFixedPitch : kVariablePitch) | FamilyOf(font.styleHint()));
    description.faceName = LimitFaceName(font.family().toStdU16String());
    return description;
}

}  // namespace tessik
