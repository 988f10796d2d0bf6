#pragma once

#include "cli/console.h"
#include "cli/sum_options.h"

namespace tessik {

// One line per file given, or per file below a folder with -r, in the order given, hashed on
// the workers asked for. A file that cannot be read is reported with its cause on standard
// error and makes the status kExitFailure; the others are still hashed.
int HashFiles(const SumOptions& options, Console& console);

// The digest of the text alone on its line, as the main window shows it for the same text.
int HashText(const SumOptions& options, Console& console);

// The text's line breaks (CR LF, LF or CR) all made CR LF, or all LF.
std::string WithLineEnds(std::string_view text, bool crlf);

}  // namespace tessik
