#include "ui/win32/win32_font_host.h"

#include <algorithm>

#include "ui/win32/win32_dialog.h"

namespace tessik {

FontDescription DescriptionOf(const LOGFONTW& font) {
    FontDescription description;
    description.height = font.lfHeight;
    description.width = font.lfWidth;
    description.escapement = font.lfEscapement;
    description.orientation = font.lfOrientation;
    description.weight = font.lfWeight;
    description.italic = font.lfItalic;
    description.underline = font.lfUnderline;
    description.strikeOut = font.lfStrikeOut;
    description.charSet = font.lfCharSet;
    description.outPrecision = font.lfOutPrecision;
    description.clipPrecision = font.lfClipPrecision;
    description.quality = font.lfQuality;
    description.pitchAndFamily = font.lfPitchAndFamily;
    const std::wstring_view face(font.lfFaceName);
    description.faceName = LimitFaceName(std::u16string(face.begin(), face.end()));
    return description;
}

LOGFONTW LogicalFontOf(const FontDescription& font) {
    LOGFONTW logical{};
    logical.lfHeight = font.height;
    logical.lfWidth = font.width;
    logical.lfEscapement = font.escapement;
    logical.lfOrientation = font.orientation;
    logical.lfWeight = font.weight;
    logical.lfItalic = font.italic;
    logical.lfUnderline = font.underline;
    logical.lfStrikeOut = font.strikeOut;
    logical.lfCharSet = font.charSet;
    logical.lfOutPrecision = font.outPrecision;
    logical.lfClipPrecision = font.clipPrecision;
    logical.lfQuality = font.quality;
    logical.lfPitchAndFamily = font.pitchAndFamily;
    const std::u16string face = LimitFaceName(font.faceName);
    std::copy(face.begin(), face.end(), logical.lfFaceName);
    return logical;
}

Win32FontHost::~Win32FontHost() {
    if (font_ != nullptr) DeleteObject(font_);
}

FontDescription Win32FontHost::systemMessageFont() const {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return DescriptionOf(metrics.lfMessageFont);
}

// The font as built is the one the window has when first asked, before any font was given.
FontDescription Win32FontHost::currentFont() const {
    if (builtFont_) return *builtFont_;
    LOGFONTW logical{};
    GetObjectW(window_.font(), sizeof logical, &logical);
    const FontDescription current = DescriptionOf(logical);
    if (own_ == OwnFont::kAsBuilt) builtFont_ = current;
    return current;
}

// The old font is deleted only once no control uses it any more.
void Win32FontHost::applyFont(const FontDescription& font) {
    const LOGFONTW logical = LogicalFontOf(font);
    HFONT created = CreateFontIndirectW(&logical);
    if (created == nullptr) return;
    window_.applyFont(created);
    if (font_ != nullptr) DeleteObject(font_);
    font_ = created;
}

}  // namespace tessik
