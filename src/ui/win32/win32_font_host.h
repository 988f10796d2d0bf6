#pragma once
// A Win32 window as the font logic sees it: fonts are the LOGFONT fields of FontDescription, the
// system's message font comes from the non-client metrics, and a font given to the window lays
// it out again in units of that font.

#include <windows.h>

#include <optional>

#include "settings/font_settings.h"

namespace tessik {

class Win32Dialog;

FontDescription DescriptionOf(const LOGFONTW& font);
LOGFONTW LogicalFontOf(const FontDescription& font);

class Win32FontHost final : public FontHost {
  public:
    // What the host calls the window's own font: whatever it shows now, or the font it was built
    // with, for a window that previews other fonts on itself and still resets to its own.
    enum class OwnFont { kCurrent, kAsBuilt };

    explicit Win32FontHost(Win32Dialog& window, OwnFont own = OwnFont::kCurrent)
        : window_(window), own_(own) {}
    ~Win32FontHost() override;
    Win32FontHost(const Win32FontHost&) = delete;
    Win32FontHost& operator=(const Win32FontHost&) = delete;

    FontDescription systemMessageFont() const override;
    FontDescription currentFont() const override;
    void applyFont(const FontDescription& font) override;

  private:
    Win32Dialog& window_;
    const OwnFont own_;
    mutable std::optional<FontDescription> builtFont_;
    HFONT font_ = nullptr;  // the font last given, which the window's controls use
};

}  // namespace tessik
