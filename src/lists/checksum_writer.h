#pragma once
// Checksum lines as the standard tools write them, byte for byte, so that either side can check
// the other's lists: GNU "digest␠␠name" ("digest␠*name" in binary mode) and BSD
// "TAG (name) = digest". A name holding a backslash, a line feed or a carriage return is
// escaped (\\, \n, \r) and the line starts with a backslash; lines ended by NUL are never
// escaped, since nothing in a name can end them early.

#include <string>
#include <string_view>

#include "digest/digest_engine.h"

namespace tessik {

enum class LineStyle { kGnu, kBsd };

struct LineFormat {
    LineStyle style = LineStyle::kGnu;
    bool binary = false;     // GNU '*' marker
    bool upperCase = false;  // digits A-F instead of a-f
    char end = '\n';         // '\n', or '\0' for lists read with NUL-separated tools
};

// `tag` is the algorithm's list tag (BSD lines only); the name is the file name's bytes.
std::string FormatChecksumLine(const LineFormat& format, std::string_view tag, const Digest& digest,
                               std::string_view name);

// How a check names a file in its report: as is, unless it holds a line feed, which would
// break the report's lines; then escaped, with a backslash in front.
std::string NameForReport(std::string_view name);

}  // namespace tessik
