#include "ui/widget_font_host.h"

#include <QApplication>
#include <QWidget>

#include "ui/qt_font.h"

namespace tessik {

FontDescription WidgetFontHost::systemMessageFont() const {
    return FromQFont(QApplication::font());
}

FontDescription WidgetFontHost::currentFont() const {
    return FromQFont(window_.font());
}

void WidgetFontHost::applyFont(const FontDescription& font) {
    const QFont qtFont = ToQFont(font, window_.font());
    window_.setFont(qtFont);
    // Controls that were given a font of their own take this one as well.
    for (QWidget* child : window_.findChildren<QWidget*>()) child->setFont(qtFont);
    window_.update();
}

}  // namespace tessik
