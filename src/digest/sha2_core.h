#pragma once
// The compression function SHA-256 and SHA-512 share, over either word size. Each engine supplies
// a traits type with its word type, round count, round constants and rotation amounts.

#include <cstddef>
#include <cstdint>
#include <utility>

#include "digest/byte_order.h"

namespace tessik::sha2 {

template <typename Word>
inline Word Choose(Word e, Word f, Word g) {
    return g ^ (e & (f ^ g));
}

// One round. The eight working words stay in their slots; the roles a to h move one slot per
// round instead, so no round copies words around. Majority is b ^ ((a ^ b) & (b ^ c)), and this
// round's a ^ b is the next round's b ^ c, carried in bc.
template <typename Traits, std::size_t kRound>
[[gnu::always_inline]] inline void Round(typename Traits::Word* v, typename Traits::Word* w,
                                         typename Traits::Word& bc) {
    using Word = typename Traits::Word;
    constexpr auto slot = [](std::size_t role) {
        return (role + 8 * Traits::kRounds - kRound) % 8;
    };
    Word word;
    if constexpr (kRound < 16) {
        word = w[kRound];
    } else {
        // The schedule keeps only its last sixteen words, overwritten in place.
        word = w[kRound % 16] += Traits::SmallSigma1(w[(kRound - 2) % 16]) + w[(kRound - 7) % 16] +
                                 Traits::SmallSigma0(w[(kRound - 15) % 16]);
    }
    const Word a = v[slot(0)], b = v[slot(1)];
    const Word e = v[slot(4)], f = v[slot(5)], g = v[slot(6)];
    Word& d = v[slot(3)];
    Word& h = v[slot(7)];
    const Word t1 = h + Traits::BigSigma1(e) + Choose(e, f, g) + Traits::kConstants[kRound] + word;
    const Word ab = a ^ b;
    d += t1;
    h = t1 + Traits::BigSigma0(a) + (b ^ (ab & bc));
    bc = ab;
}

template <typename Traits, std::size_t... kRounds>
[[gnu::always_inline]] inline void AllRounds(typename Traits::Word* v, typename Traits::Word* w,
                                             std::index_sequence<kRounds...>) {
    typename Traits::Word bc = v[1] ^ v[2];
    (Round<Traits, kRounds>(v, w, bc), ...);
}

// The compression function over blockCount consecutive blocks.
template <typename Traits>
void Blocks(typename Traits::Word* state, const std::uint8_t* data, std::size_t blockCount) {
    using Word = typename Traits::Word;
    constexpr std::size_t kBlockSize = 16 * sizeof(Word);
    for (; blockCount > 0; --blockCount, data += kBlockSize) {
        Word w[16];
#pragma GCC unroll 16
        for (std::size_t i = 0; i < 16; ++i) {
            if constexpr (sizeof(Word) == 4) {
                w[i] = LoadBe32(data + 4 * i);
            } else {
                w[i] = LoadBe64(data + 8 * i);
            }
        }
        Word v[8];
#pragma GCC unroll 8
        for (std::size_t i = 0; i < 8; ++i) v[i] = state[i];
        AllRounds<Traits>(v, w, std::make_index_sequence<Traits::kRounds>{});
#pragma GCC unroll 8
        for (std::size_t i = 0; i < 8; ++i) state[i] += v[i];
    }
}

}  // namespace tessik::sha2
