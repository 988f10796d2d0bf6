// SHA-256 on the SHA extensions. This file is compiled for them and runs only where they exist,
// so it calls no inline function from another header: the linker could keep this file's copy
// of it, built with the extensions, for callers on any processor.

#include <immintrin.h>

#include <utility>

#include "digest/digest_kernels.h"
#include "digest/sha2_constants.h"

namespace tessik {
namespace {

// The rounds instruction keeps the working words as two halves: A B E F and C D G H.
struct Sha256Lanes {
    __m128i abef;
    __m128i cdgh;
    __m128i w[4];  // the last sixteen message words, four to a register
};

// Four rounds of group kGroup (0 to 15), two per instruction.
template <int kGroup>
[[gnu::always_inline]] inline void FourRounds(Sha256Lanes& s) {
    __m128i& w = s.w[kGroup % 4];
    if constexpr (kGroup >= 4) {
        // W[t] = s1(W[t-2]) + W[t-7] + s0(W[t-15]) + W[t-16], four at a time.
        const __m128i wMinus7 = _mm_alignr_epi8(s.w[(kGroup + 3) % 4], s.w[(kGroup + 2) % 4], 4);
        w = _mm_sha256msg2_epu32(
            _mm_add_epi32(_mm_sha256msg1_epu32(w, s.w[(kGroup + 1) % 4]), wMinus7),
            s.w[(kGroup + 3) % 4]);
    }
    const __m128i input = _mm_add_epi32(
        w, _mm_load_si128(reinterpret_cast<const __m128i*>(kSha256RoundConstants + 4 * kGroup)));
    s.cdgh = _mm_sha256rnds2_epu32(s.cdgh, s.abef, input);
    s.abef = _mm_sha256rnds2_epu32(s.abef, s.cdgh, _mm_shuffle_epi32(input, 0x0e));
}

template <int... kGroups>
[[gnu::always_inline]] inline void AllRounds(Sha256Lanes& s,
                                             std::integer_sequence<int, kGroups...>) {
    (FourRounds<kGroups>(s), ...);
}

}  // namespace

void Sha256BlocksShaNi(std::uint32_t state[8], const std::uint8_t* data, std::size_t blockCount) {
    const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0b, 0x0405060700010203);
    const __m128i dcba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state));
    const __m128i hgfe = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4));
    const __m128i cdab = _mm_shuffle_epi32(dcba, 0xb1);
    const __m128i efgh = _mm_shuffle_epi32(hgfe, 0x1b);
    Sha256Lanes s;
    s.abef = _mm_alignr_epi8(cdab, efgh, 8);
    s.cdgh = _mm_blend_epi16(efgh, cdab, 0xf0);
    for (; blockCount > 0; --blockCount, data += 64) {
        const __m128i abefBefore = s.abef, cdghBefore = s.cdgh;
        for (int i = 0; i < 4; ++i) {
            s.w[i] = _mm_shuffle_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * i)), byteSwap);
        }
        AllRounds(s, std::make_integer_sequence<int, 16>{});
        s.abef = _mm_add_epi32(s.abef, abefBefore);
        s.cdgh = _mm_add_epi32(s.cdgh, cdghBefore);
    }
    const __m128i feba = _mm_shuffle_epi32(s.abef, 0x1b);
    const __m128i dchg = _mm_shuffle_epi32(s.cdgh, 0xb1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_blend_epi16(feba, dchg, 0xf0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), _mm_alignr_epi8(dchg, feba, 8));
}

}  // namespace tessik
