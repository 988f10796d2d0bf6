#pragma once
// A window as the font settings see it: its font, the system's message font (the application's
// default font) and the way a font reaches the window and everything in it.

#include "settings/font_settings.h"

class QWidget;

namespace tessik {

class WidgetFontHost final : public FontHost {
  public:
    explicit WidgetFontHost(QWidget& window) : window_(window) {}

    FontDescription systemMessageFont() const override;
    FontDescription currentFont() const override;
    void applyFont(const FontDescription& font) override;

  private:
    QWidget& window_;
};

}  // namespace tessik
