#pragma once
// File names in messages, quoted as the standard tools quote them on standard error: as they
// are when nothing in them needs quoting; in double quotes when a single quote is all there is;
// otherwise in single quotes, with bytes that print nothing (an escape sequence, invalid UTF-8)
// written as $'\033' escapes. A name can then neither drive the terminal nor be mistaken for
// two names, and a shell reads the quoted text back as the name.

#include <string>
#include <string_view>

namespace tessik {

std::string QuotedName(std::string_view name);

// Standard output keeps the names the standard tools write there, so that scripts read them;
// on a terminal, where nothing reads them but a person, a name holding bytes that print nothing
// is quoted as above.
std::string NameForOutput(std::string_view name, bool terminal);

}  // namespace tessik
