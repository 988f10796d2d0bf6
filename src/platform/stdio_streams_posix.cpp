#include "platform/stdio_streams.h"

#include <unistd.h>
#include <cerrno>

#include "platform/path_encoding.h"

namespace tessik {

std::FILE* OpenStreamForReading(const std::u16string& path) {
    const std::string native = ToNativePath(path);
    if (native.empty() || native.find('\0') != std::string::npos) {
        errno = ENOENT;
        return nullptr;
    }
    return std::fopen(native.c_str(), "rb");
}

void UseBinaryStandardStreams() {}

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

bool WriteStream(std::FILE* stream, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

}  // namespace tessik
