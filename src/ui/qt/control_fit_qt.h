#pragma once
// What a built control needs to show its content whole, in pixels of its font, and how it gives
// way when its window is narrower or wider than its template: what the fitting rule works with.

#include <QWidget>

#include "ui/rules/control_fit.h"
#include "ui/rules/dialog_template.h"

namespace tessik {

// The control as it stands now (its text, its font) at its template place.
FitControl FitControlOf(const QWidget& control, const ControlTemplate& row, PixelRect place);

}  // namespace tessik
