#pragma once
// The decisions behind the main window's commands, free of any window so they can be tested
// alone: the text that is hashed, what a comparison says, which message names a read failure,
// the dropped path and where the first command-line argument goes.

#include <cstddef>
#include <string>

#include "platform/input_file.h"
#include "settings/application_settings.h"
#include "settings/translation_tables.h"

namespace tessik {

// The multi-line field keeps its lines apart with U+2029 in its raw text; each line end is
// hashed as CR LF or LF, as chosen. Every other unit, a no-break space or U+2028 too, is hashed
// as typed.
std::u16string WithLineBreaks(const std::u16string& rawFieldText, TypedLineEnds lineEnds);

enum class CompareOutcome { kNoResult, kIdentical, kDifferent };
// An empty result matches nothing. The expected value is taken without the white space around
// it, as it comes when pasted from a listing or a web page; inside it nothing is trimmed.
CompareOutcome CompareDigests(const std::u16string& result, const std::u16string& expected,
                              bool caseSensitive);

// The message that says why a file could not be hashed.
MainMemberText FailureMessage(ReadFailure failure);
// The message that says why a file could not be written.
MainMemberText WriteFailureMessage(WriteFailure failure);

// A shown digest in the other letter case: hexadecimal digits only change.
std::u16string InLetterCase(std::u16string digest, bool lowerCase);

// A dropped name longer than this many units is cut to it.
inline constexpr std::size_t kMaxDroppedPathUnits = 2046;
std::u16string CutDroppedPath(std::u16string path);

// The first command-line argument goes into the file name field when it names an existing
// file and into the string field otherwise (a folder or plain text).
enum class ArgumentField { kFileName, kString };
ArgumentField FieldForArgument(const std::u16string& argument);

}  // namespace tessik
