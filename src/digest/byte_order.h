#pragma once
// Fixed-order word loads and stores, whatever the host's order. memcpy lets the compiler emit
// a single (possibly byte-swapping) move instead of byte arithmetic.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tessik {

inline std::uint32_t LoadLe32(const std::uint8_t* bytes) {
    std::uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap32(word);
    return word;
}

inline std::uint32_t LoadBe32(const std::uint8_t* bytes) {
    std::uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap32(word);
    return word;
}

inline std::uint64_t LoadLe64(const std::uint8_t* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    return word;
}

inline std::uint64_t LoadBe64(const std::uint8_t* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
    return word;
}

inline void StoreLe32(std::uint32_t word, std::uint8_t* bytes) {
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap32(word);
    std::memcpy(bytes, &word, sizeof word);
}

inline void StoreBe32(std::uint32_t word, std::uint8_t* bytes) {
    if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap32(word);
    std::memcpy(bytes, &word, sizeof word);
}

inline void StoreLe64(std::uint64_t word, std::uint8_t* bytes) {
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    std::memcpy(bytes, &word, sizeof word);
}

inline void StoreBe64(std::uint64_t word, std::uint8_t* bytes) {
    if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
    std::memcpy(bytes, &word, sizeof word);
}

// Each word in the given order, one after the other.
template <std::endian kOrder, typename Word>
void StoreWords(const Word* words, std::size_t count, std::uint8_t* bytes) {
    static_assert(sizeof(Word) == 4 || sizeof(Word) == 8);
    for (std::size_t i = 0; i < count; ++i, bytes += sizeof(Word)) {
        Word word = words[i];
        if constexpr (kOrder != std::endian::native && sizeof(Word) == 4) {
            word = __builtin_bswap32(word);
        } else if constexpr (kOrder != std::endian::native) {
            word = __builtin_bswap64(word);
        }
        std::memcpy(bytes, &word, sizeof word);
    }
}

}  // namespace tessik
