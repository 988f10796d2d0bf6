// SHA-1 on the SHA extensions. This file is compiled for them and runs only where they exist,
// so it calls no inline function from another header: the linker could keep this file's copy
// of it, built with the extensions, for callers on any processor.

#include <immintrin.h>

#include <utility>

#include "digest/digest_kernels.h"

namespace tessik {
namespace {

struct Sha1Lanes {
    __m128i abcd;      // A in the top lane
    __m128i w[4];      // the last sixteen message words, four to a register
    __m128i previous;  // abcd before the latest four rounds: it carries the next E
    __m128i next[4];   // the next block's first sixteen words
};

// Sixteen big-endian words in the order the rounds instruction expects: the first word last.
[[gnu::always_inline]] inline void LoadBlock(__m128i* w, const std::uint8_t* block) {
    const __m128i byteSwap = _mm_set_epi64x(0x0001020304050607, 0x08090a0b0c0d0e0f);
    for (int i = 0; i < 4; ++i) {
        w[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i)),
                                byteSwap);
    }
}

// Four rounds of group kGroup (0 to 19), the five groups of each function sharing its selector.
// The first group's input, E plus the first words, comes ready.
template <int kGroup>
[[gnu::always_inline]] inline void FourRounds(Sha1Lanes& s, __m128i firstInput) {
    __m128i& w = s.w[kGroup % 4];
    if constexpr (kGroup >= 4) {
        // W[t] = rotl(W[t-3] ^ W[t-8] ^ W[t-14] ^ W[t-16], 1), four at a time.
        const __m128i partial = _mm_sha1msg1_epu32(w, s.w[(kGroup + 1) % 4]);
        w = _mm_sha1msg2_epu32(_mm_xor_si128(partial, s.w[(kGroup + 2) % 4]),
                               s.w[(kGroup + 3) % 4]);
    }
    const __m128i input = kGroup == 0 ? firstInput : _mm_sha1nexte_epu32(s.previous, w);
    s.previous = s.abcd;
    s.abcd = _mm_sha1rnds4_epu32(s.abcd, input, kGroup / 5);
}

template <int... kGroups>
[[gnu::always_inline]] inline void AllRounds(Sha1Lanes& s, __m128i firstInput,
                                             std::integer_sequence<int, kGroups...>) {
    (FourRounds<kGroups>(s, firstInput), ...);
}

}  // namespace

void Sha1BlocksShaNi(std::uint32_t state[5], const std::uint8_t* data, std::size_t blockCount) {
    if (blockCount == 0) return;
    Sha1Lanes s;
    s.abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0x1b);
    __m128i e = _mm_set_epi32(static_cast<int>(state[4]), 0, 0, 0);  // the other lanes zero
    LoadBlock(s.next, data);
    for (; blockCount > 0; --blockCount, data += 64) {
        for (int i = 0; i < 4; ++i) s.w[i] = s.next[i];
        // The next block's words load and swap while this block's rounds run, instead of
        // standing between the last rounds of this block and the first of the next.
        if (blockCount > 1) LoadBlock(s.next, data + 64);
        const __m128i abcdBefore = s.abcd;
        AllRounds(s, _mm_add_epi32(e, s.w[0]), std::make_integer_sequence<int, 20>{});
        e = _mm_sha1nexte_epu32(s.previous, e);
        s.abcd = _mm_add_epi32(s.abcd, abcdBefore);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_shuffle_epi32(s.abcd, 0x1b));
    state[4] = static_cast<std::uint32_t>(_mm_extract_epi32(e, 3));
}

}  // namespace tessik
