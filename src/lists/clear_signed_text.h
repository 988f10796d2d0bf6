#pragma once
// The signed text of a clear-signed list, as the list reader reads it, taken out without
// GnuPG: for a list whose signature is not checked, so that only the text the signature claims
// is read, never what was put in front of it or after it. The text is the lines between the
// armor's headers and its signature, with the "- " that escapes a line starting with '-'
// removed. Lines are passed on as they come, so memory stays flat whatever the list's length.

#include <cstddef>
#include <string_view>

#include "lists/checksum_list_reader.h"

namespace tessik {

inline constexpr std::string_view kClearSignedHeader = "-----BEGIN PGP SIGNED MESSAGE-----";

// How far into a file the header is looked for: text in front of a clear-signed message is rare
// and short.
inline constexpr std::size_t kClearSignedSearchBytes = std::size_t{64} << 10;

// The header line at the start of a line within the first kClearSignedSearchBytes of the bytes.
bool HoldsClearSignedText(std::string_view bytes);

// The signed text of the clear-signed bytes; nothing when they hold no such text.
ListBytes SignedTextOf(ListBytes clearSigned);

}  // namespace tessik
