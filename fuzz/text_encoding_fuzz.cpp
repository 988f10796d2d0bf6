// UTF-8 <-> UTF-16 on any input: valid text of either form converts back exactly, ill-formed
// text comes back well-formed with U+FFFD in place of each fault, texts never carry a NUL
// past the conversion, and every byte string survives the trip through a path.

#include <cstdint>
#include <string>

#include "platform/text_conversion.h"
#include "fuzz_support.h"
#include "platform/path_encoding.h"
#include "platform/utf8_codec.h"

namespace tessik::fuzz {
namespace {

bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// The UTF-16 text with every unpaired surrogate replaced by U+FFFD: what a text conversion
// must give back.
std::u16string Repaired(const std::u16string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out += unit;
            out += text[++i];
        } else {
            out += IsSurrogate(unit) ? u'\xFFFD' : unit;
        }
    }
    return out;
}

// Well-formed UTF-8 after the Unicode standard's table of well-formed byte sequences, written
// independently of the decoder under test: by code point range after a plain bit-level decode.
bool IsWellFormedUtf8(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length;
        char32_t cp;
        char32_t smallest;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, cp = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, cp = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, cp = lead & 0x07, smallest = 0x10000;
        } else {
            return false;
        }
        if (i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

void CheckBytes(const std::string& bytes) {
    const std::u16string text = DecodeUtf8(bytes, InvalidUtf8::kReplace);
    Require(Repaired(text) == text, "decoded text is well-formed UTF-16");
    const std::string encoded = EncodeUtf8(text, LoneSurrogate::kReplace);
    Require(IsWellFormedUtf8(encoded), "encoded text is well-formed UTF-8");
    if (IsWellFormedUtf8(bytes)) {
        Require(encoded == bytes, "well-formed UTF-8 round-trips");
    } else {
        Require(text.find(u'\xFFFD') != std::u16string::npos, "a fault leaves a U+FFFD");
    }
    Require(ToNativePath(FromNativePath(bytes)) == bytes, "every byte string is a path");
    Require(FromUtf8(bytes).find(u'\0') == std::u16string::npos, "FromUtf8 stops at NUL");
}

void CheckUnits(const std::u16string& text) {
    const std::string encoded = EncodeUtf8(text, LoneSurrogate::kReplace);
    Require(IsWellFormedUtf8(encoded), "encoded text is well-formed UTF-8");
    Require(DecodeUtf8(encoded, InvalidUtf8::kReplace) == Repaired(text),
            "UTF-16 round-trips, unpaired surrogates as U+FFFD");
    const std::string native = ToNativePath(text);
    Require(ToNativePath(FromNativePath(native)) == native, "a path's bytes are stable");
    const std::string utf8 = ToUtf8(text);
    Require(utf8.find('\0') == std::string::npos, "ToUtf8 stops at NUL");
    Require(utf8 == EncodeUtf8(Repaired(text.substr(0, text.find(u'\0'))), LoneSurrogate::kReplace),
            "ToUtf8 converts the text before its NUL");
}

}  // namespace
}  // namespace tessik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tessik::fuzz::CheckBytes(bytes);
    FuzzedDataProvider input(data, size);
    tessik::fuzz::CheckUnits(tessik::fuzz::ConsumeUtf16(input, size));
    return 0;
}
