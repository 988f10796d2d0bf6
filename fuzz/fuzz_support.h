#pragma once
// What every fuzz target shares: a broken property is a crash, so the fuzzer keeps the input.

#include <fuzzer/FuzzedDataProvider.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tessik::fuzz {

inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// UTF-16 text of any units, lone surrogates and NULs included.
inline std::u16string ConsumeUtf16(FuzzedDataProvider& input, std::size_t maxUnits) {
    const std::string bytes = input.ConsumeRandomLengthString(maxUnits * 2);
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return text;
}

}  // namespace tessik::fuzz
