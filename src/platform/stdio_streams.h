#pragma once
// C streams as the command-line program uses them: a named file opened by its UTF-16 path, and
// standard streams that carry bytes unchanged, with text on a console readable whatever code
// page the console is set to.

#include <cstdio>
#include <string>
#include <string_view>

namespace tessik {

// Opens the file for reading bytes; nullptr with errno set when it cannot be opened.
std::FILE* OpenStreamForReading(const std::u16string& path);

// No line-end or end-of-file translation on the standard streams; call before any use of them.
void UseBinaryStandardStreams();

bool IsTerminal(std::FILE* stream);

// Writes the UTF-8 bytes whole; a Windows console gets them as text. False, with errno set, when
// the stream cannot take them.
bool WriteStream(std::FILE* stream, std::string_view bytes);

}  // namespace tessik
