#pragma once
// File-dialog filters are written (and translated) in the form "description|pattern|" repeated
// and closed by a second bar, e.g. "All files(*.*)|*.*||". The Qt file dialog wants
// "description (patterns)" entries joined by ";;".

#include <string>
#include <string_view>

namespace tessik {

// Patterns separated by ';' become space-separated, and "*.*" becomes "*" because it stands for
// every file, with or without a dot in its name. An entry without a pattern is dropped; an
// empty result lets the dialog show every file.
std::u16string ToQtFileFilter(std::u16string_view filter);

}  // namespace tessik
