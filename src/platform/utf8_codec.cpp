#include "platform/utf8_codec.h"

#include <cstddef>

namespace tessik {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

struct DecodedSequence {
    char32_t codePoint;
    std::size_t length;  // bytes consumed; for an ill-formed one, its maximal subpart (>= 1)
    bool wellFormed;
};

// One sequence of the well-formed table of the Unicode standard (no overlongs, no
// surrogates, nothing above U+10FFFF).
DecodedSequence DecodeSequence(const unsigned char* p, std::size_t available) {
    const unsigned lead = p[0];
    if (lead < 0x80) return {lead, 1, true};
    std::size_t trailing;
    char32_t cp;
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        cp = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {0, 1, false};
    }
    for (std::size_t i = 1; i <= trailing; ++i) {
        if (i >= available || p[i] < low || p[i] > high) return {0, i, false};
        cp = (cp << 6) | (p[i] & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return {cp, trailing + 1, true};
}

}  // namespace

std::string EncodeUtf8(std::u16string_view text, LoneSurrogate mode) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            if (mode == LoneSurrogate::kAsRawByte && unit >= 0xDC80 && unit <= 0xDCFF) {
                out += static_cast<char>(unit - 0xDC00);
            } else {
                AppendCodePoint(out, kReplacement);
            }
        } else {
            AppendCodePoint(out, unit);
        }
    }
    return out;
}

std::u16string DecodeUtf8(std::string_view bytes, InvalidUtf8 mode) {
    std::u16string out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const DecodedSequence seq = DecodeSequence(p + i, bytes.size() - i);
        if (seq.wellFormed) {
            AppendUtf16(out, seq.codePoint);
            i += seq.length;
        } else if (mode == InvalidUtf8::kAsLoneSurrogate) {
            out += static_cast<char16_t>(0xDC00 + p[i]);
            ++i;
        } else {
            out += kReplacement;
            i += seq.length;
        }
    }
    return out;
}

}  // namespace tessik
