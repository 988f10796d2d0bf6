#include "platform/path_encoding.h"

#include <algorithm>

#include "platform/utf8_codec.h"

namespace tessik {

std::string ToNativePath(std::u16string_view path) {
    return EncodeUtf8(path, LoneSurrogate::kAsRawByte);
}

std::string ToListName(std::u16string_view path) {
    std::string bytes = ToNativePath(path);
    if (kPathSeparator != u'/') std::replace(bytes.begin(), bytes.end(), '\\', '/');
    return bytes;
}

std::u16string FromNativePath(std::string_view bytes) {
    return DecodeUtf8(bytes, InvalidUtf8::kAsLoneSurrogate);
}

}  // namespace tessik
