#pragma once
// Fonts cross between the settings' plain descriptions and Qt here. Heights are pixels: a
// negative height is the character (em) height, a positive one the cell height, 0 the default
// size. Qt knows no character sets; a font read from Qt reports the default one.

#include <QFont>

#include "settings/font_settings.h"

namespace tessik {

inline constexpr std::uint8_t kDefaultCharSet = 1;
// The largest font, in pixels, a description becomes. A settings file may hold any height; far
// beyond this, text no longer fits any screen and the windows, sized from their font, would
// leave the 16-bit coordinates of window systems.
inline constexpr int kMaxFontPixels = 500;

// Fields the description leaves at 0 (height, weight) keep those of the base font; any other
// height gives 1 to kMaxFontPixels pixels.
QFont ToQFont(const FontDescription& description, const QFont& base);
FontDescription FromQFont(const QFont& font);

}  // namespace tessik
