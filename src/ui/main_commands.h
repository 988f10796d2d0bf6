#pragma once
// The decisions behind the main window's commands, free of any window so they can be tested
// alone: the text that is hashed, the dropped path and where the first command-line argument
// goes.

#include <cstddef>
#include <string>

namespace tessik {

// The multi-line field keeps its lines apart with U+2029 in its raw text; each line end is
// hashed as CR LF. Every other unit, a no-break space or U+2028 too, is hashed as typed.
std::u16string WithCrLfLineBreaks(const std::u16string& rawFieldText);

// A dropped name longer than this many units is cut to it.
inline constexpr std::size_t kMaxDroppedPathUnits = 2046;
std::u16string CutDroppedPath(std::u16string path);

// The first command-line argument goes into the file name field when it names an existing
// file and into the string field otherwise (a folder or plain text).
enum class ArgumentField { kFileName, kString };
ArgumentField FieldForArgument(const std::u16string& argument);

}  // namespace tessik
