#pragma once
// A window as the font settings see it: its font, the system's message font (the application's
// default font) and the way a font reaches the window and everything in it.

#include "settings/font_settings.h"

class QWidget;

namespace tessik {

// Which font counts as the window's own.
enum class OwnFont {
    kCurrent,  // whatever the window shows now
    // The font the window had when the host was made: a window that previews other fonts on
    // itself still resets to the font it was built with.
    kAsBuilt,
};

class WidgetFontHost final : public FontHost {
  public:
    explicit WidgetFontHost(QWidget& window, OwnFont own = OwnFont::kCurrent);

    FontDescription systemMessageFont() const override;
    FontDescription currentFont() const override;
    void applyFont(const FontDescription& font) override;

  private:
    QWidget& window_;
    OwnFont own_;
    FontDescription builtFont_;
};

}  // namespace tessik
