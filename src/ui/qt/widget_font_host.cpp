#include "ui/qt/widget_font_host.h"

#include <QApplication>
#include <QWidget>

#include "ui/qt/qt_font.h"

namespace tessik {

WidgetFontHost::WidgetFontHost(QWidget& window, OwnFont own)
    : window_(window),
      own_(own),
      builtFont_(own == OwnFont::kAsBuilt ? FromQFont(window.font()) : FontDescription()) {}

FontDescription WidgetFontHost::systemMessageFont() const {
    return FromQFont(QApplication::font());
}

FontDescription WidgetFontHost::currentFont() const {
    return own_ == OwnFont::kAsBuilt ? builtFont_ : FromQFont(window_.font());
}

void WidgetFontHost::applyFont(const FontDescription& font) {
    const QFont qtFont = ToQFont(font, window_.font());
    // Controls that were given a font of their own take this one as well, before the window
    // does: a window lays itself out again when its font changes, from its controls' sizes.
    for (QWidget* child : window_.findChildren<QWidget*>()) child->setFont(qtFont);
    window_.setFont(qtFont);
    window_.update();
}

}  // namespace tessik
