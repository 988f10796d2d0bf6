#include "platform/text_conversion.h"

#include "platform/utf8_codec.h"

namespace tessik {

std::string ToUtf8(std::u16string_view text) {
    return EncodeUtf8(text.substr(0, text.find(u'\0')), LoneSurrogate::kReplace);
}

std::u16string FromUtf8(std::string_view bytes) {
    return DecodeUtf8(bytes.substr(0, bytes.find('\0')), InvalidUtf8::kReplace);
}

}  // namespace tessik
