#pragma once
// The font settings a window opened by the main window is given, for a window a test opens on
// its own.

#include "settings/fake_font_host.h"
#include "settings/font_settings.h"

namespace tessik::test {

struct WindowFonts {
    FakeFontHost host{MakeFont(u"Tahoma", -11, 400, 1, 0), MakeFont(u"Tahoma", -11, 400, 1, 0),
                      nullptr};
    FontSettings settings{host};
    operator FontSettings&() { return settings; }
};

}  // namespace tessik::test
