#pragma once
// What SHA-256 and SHA-512 share: the compression function over either word size, the block
// buffering and the final padding. Each engine supplies a traits type with its word type,
// round count, round constants and rotation amounts.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
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
            w[i] = LoadWord<std::endian::big, Word>(data + i * sizeof(Word));
        }
        Word v[8];
#pragma GCC unroll 8
        for (std::size_t i = 0; i < 8; ++i) v[i] = state[i];
        AllRounds<Traits>(v, w, std::make_index_sequence<Traits::kRounds>{});
#pragma GCC unroll 8
        for (std::size_t i = 0; i < 8; ++i) state[i] += v[i];
    }
}

template <typename Context, typename Word>
void Start(Context& context, const Word (&initialWords)[8], std::uint32_t digestSize) {
    std::copy_n(initialWords, 8, context.h);
    context.total = 0;
    context.fill = 0;
    context.digestSize = digestSize;
}

// Context: total (bytes in transformed blocks), fill, block (two block sizes), h, digestSize.
// Whole blocks go straight from the caller's data to the block function; only a partial block
// is copied.
template <typename Context, typename BlockFunction>
void Update(Context& context, const std::uint8_t* data, std::size_t length, BlockFunction blocks) {
    constexpr std::size_t kBlockSize = sizeof context.block / 2;
    if (length == 0) return;
    if (context.fill > 0) {
        const std::size_t take = std::min<std::size_t>(length, kBlockSize - context.fill);
        std::memcpy(context.block + context.fill, data, take);
        context.fill += static_cast<std::uint32_t>(take);
        data += take;
        length -= take;
        if (context.fill < kBlockSize) return;
        blocks(context.h, context.block, 1);
        context.total += kBlockSize;
        context.fill = 0;
    }
    const std::size_t wholeBlocks = length / kBlockSize;
    if (wholeBlocks > 0) {
        blocks(context.h, data, wholeBlocks);
        context.total += wholeBlocks * kBlockSize;
        data += wholeBlocks * kBlockSize;
        length -= wholeBlocks * kBlockSize;
    }
    if (length > 0) std::memcpy(context.block, data, length);
    context.fill = static_cast<std::uint32_t>(length);
}

// Appends the 80 byte, the zeros and the big-endian bit length (two words wide: 8 bytes for
// SHA-256, 16 for SHA-512), transforms the one or two last blocks and writes the digest.
template <typename Context, typename BlockFunction>
void Finish(Context& context, std::uint8_t* digest, BlockFunction blocks) {
    using Word = std::remove_reference_t<decltype(context.h[0])>;
    constexpr std::size_t kBlockSize = sizeof context.block / 2;
    constexpr std::size_t kLengthBytes = 2 * sizeof(Word);
    const std::uint64_t messageBytes = context.total + context.fill;
    const std::size_t end =
        context.fill + 1 + kLengthBytes <= kBlockSize ? kBlockSize : 2 * kBlockSize;
    context.block[context.fill] = 0x80;
    std::memset(context.block + context.fill + 1, 0, end - context.fill - 1);
    // The byte count times eight, as a number of kLengthBytes bytes; only SHA-512's 128-bit
    // field can hold the bits that shift out of 64.
    StoreWord<std::endian::big>(context.block + end - 8, messageBytes << 3);
    if constexpr (kLengthBytes == 16) {
        StoreWord<std::endian::big>(context.block + end - 16, messageBytes >> 61);
    }
    blocks(context.h, context.block, end / kBlockSize);
    for (std::size_t i = 0; i < context.digestSize / sizeof(Word); ++i) {
        StoreWord<std::endian::big>(digest + i * sizeof(Word), context.h[i]);
    }
}

}  // namespace tessik::sha2
