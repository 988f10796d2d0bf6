#pragma once
// The desktop's style, with the keyboard path through the menus that every desktop's users know:
// Alt alone highlights the menu bar's first menu, and the access keys stay underlined.

#include <QProxyStyle>

namespace tessik {

class KeyboardStyle final : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override;
};

}  // namespace tessik
