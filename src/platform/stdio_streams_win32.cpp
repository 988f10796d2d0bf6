#include "platform/stdio_streams.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>

#include "platform/utf8_codec.h"
#include "platform/wide_path.h"

namespace tessik {
namespace {

// The console behind the stream, or nullptr when it goes to a file or a pipe.
HANDLE ConsoleOf(std::FILE* stream) {
    HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

std::FILE* OpenStreamForReading(const std::u16string& path) {
    const std::wstring native = WidePath(path);
    if (native.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    return ::_wfopen(native.c_str(), L"rb");
}

void UseBinaryStandardStreams() {
    for (std::FILE* stream : {stdin, stdout, stderr}) ::_setmode(::_fileno(stream), _O_BINARY);
}

bool IsTerminal(std::FILE* stream) {
    return ConsoleOf(stream) != nullptr;
}

bool WriteStream(std::FILE* stream, std::string_view bytes) {
    HANDLE console = ConsoleOf(stream);
    if (console == nullptr) {
        return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    }
    // What the stream still holds goes first, so that the order of output is kept.
    std::fflush(stream);
    const std::u16string text = DecodeUtf8(bytes, InvalidUtf8::kReplace);
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        const auto count = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 8192));
        if (!::WriteConsoleW(console, text.data() + done, count, &written, nullptr) ||
            written == 0) {
            errno = EIO;
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace tessik
