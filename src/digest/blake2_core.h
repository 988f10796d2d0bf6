#pragma once
// What BLAKE2b and BLAKE2s share (RFC 7693): the message schedule, and the compression function
// over either word size written plainly for any processor. Each size supplies a traits type with
// its word, its round count, its four rotations and its starting words (SHA-512's and SHA-256's).

#include <cstddef>
#include <cstdint>
#include <utility>

#include "digest/blake2_constants.h"
#include "digest/byte_order.h"

namespace tessik::blake2 {

template <typename Word>
[[gnu::always_inline]] inline Word Rotr(Word x, int n) {
    return static_cast<Word>((x >> n) | (x << (8 * sizeof(Word) - n)));
}

template <typename Word>
[[gnu::always_inline]] inline Word LoadWord(const std::uint8_t* bytes) {
    if constexpr (sizeof(Word) == 4) {
        return LoadLe32(bytes);
    } else {
        return LoadLe64(bytes);
    }
}

template <typename Traits, std::size_t kA, std::size_t kB, std::size_t kC, std::size_t kD>
[[gnu::always_inline]] inline void G(typename Traits::Word* v, typename Traits::Word x,
                                     typename Traits::Word y) {
    v[kA] += v[kB] + x;
    v[kD] = Rotr(v[kD] ^ v[kA], Traits::kRotations[0]);
    v[kC] += v[kD];
    v[kB] = Rotr(v[kB] ^ v[kC], Traits::kRotations[1]);
    v[kA] += v[kB] + y;
    v[kD] = Rotr(v[kD] ^ v[kA], Traits::kRotations[2]);
    v[kC] += v[kD];
    v[kB] = Rotr(v[kB] ^ v[kC], Traits::kRotations[3]);
}

template <typename Traits, std::size_t kRound>
[[gnu::always_inline]] inline void Round(typename Traits::Word* v, const typename Traits::Word* m) {
    constexpr const std::uint8_t* s = kSigma[kRound % 10];
    G<Traits, 0, 4, 8, 12>(v, m[s[0]], m[s[1]]);
    G<Traits, 1, 5, 9, 13>(v, m[s[2]], m[s[3]]);
    G<Traits, 2, 6, 10, 14>(v, m[s[4]], m[s[5]]);
    G<Traits, 3, 7, 11, 15>(v, m[s[6]], m[s[7]]);
    G<Traits, 0, 5, 10, 15>(v, m[s[8]], m[s[9]]);
    G<Traits, 1, 6, 11, 12>(v, m[s[10]], m[s[11]]);
    G<Traits, 2, 7, 8, 13>(v, m[s[12]], m[s[13]]);
    G<Traits, 3, 4, 9, 14>(v, m[s[14]], m[s[15]]);
}

template <typename Traits, std::size_t... kRounds>
[[gnu::always_inline]] inline void AllRounds(typename Traits::Word* v,
                                             const typename Traits::Word* m,
                                             std::index_sequence<kRounds...>) {
    (Round<Traits, kRounds>(v, m), ...);
}

// Compresses `blockCount` consecutive blocks into h. `counter` is the byte count the first of
// them ends at, each later one a block further; `last` marks the final block of the message.
template <typename Traits>
void Blocks(typename Traits::Word* h, const std::uint8_t* data, std::size_t blockCount,
            std::uint64_t counter, bool last) {
    using Word = typename Traits::Word;
    constexpr std::size_t kBlockSize = 16 * sizeof(Word);
    for (; blockCount > 0; --blockCount, data += kBlockSize, counter += kBlockSize) {
        Word m[16];
        for (std::size_t i = 0; i < 16; ++i) m[i] = LoadWord<Word>(data + i * sizeof(Word));
        Word v[16];
        for (std::size_t i = 0; i < 8; ++i) {
            v[i] = h[i];
            v[i + 8] = Traits::kInitialWords[i];
        }
        // The counter is two words wide; a message never reaches the high word of BLAKE2b's.
        v[12] ^= static_cast<Word>(counter);
        if constexpr (sizeof(Word) == 4) v[13] ^= static_cast<Word>(counter >> 32);
        if (last) v[14] = ~v[14];
        AllRounds<Traits>(v, m, std::make_index_sequence<Traits::kRounds>());
        for (std::size_t i = 0; i < 8; ++i) h[i] ^= v[i] ^ v[i + 8];
    }
}

}  // namespace tessik::blake2
