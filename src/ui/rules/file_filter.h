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

// Which entry of a Qt filter, counted from 0, the dialog reported as chosen: it names the entry
// whole, or only by its description when it hides the patterns. -1 when it names none.
int QtFilterEntryIndex(std::u16string_view qtFilter, std::u16string_view chosen);

}  // namespace tessik
