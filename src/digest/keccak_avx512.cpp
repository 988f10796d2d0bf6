// Keccak-f[1600] with one lane in each of 25 vector registers, so that AVX-512's three-input
// logic instruction does theta's parities and chi in one step each and its rotate does rho
// without a shift pair. This file is compiled for AVX-512 and runs only where the processor and
// OS support it, so it calls no inline function from another header: the linker could keep
// this file's copy of it, built for AVX-512, for callers on any processor.

#include <immintrin.h>

#include <utility>

#include "digest/digest_kernels.h"
#include "digest/keccak_constants.h"

namespace tessik {
namespace {

constexpr int kXor3 = 0x96;  // a ^ b ^ c
constexpr int kChi = 0xd2;   // a ^ (~b & c)

template <int kBy>
[[gnu::always_inline]] inline __m128i Rotate(__m128i lane) {
    if constexpr (kBy == 0) {
        return lane;
    } else {
        return _mm_rol_epi64(lane, kBy);
    }
}

// Output lane X + 5Y of pi is input lane ((X + 3Y) mod 5) + 5X, after theta and rho.
template <int kOut>
[[gnu::always_inline]] inline __m128i ThetaRhoPi(const __m128i* a, const __m128i* left,
                                                 const __m128i* rightRotated) {
    constexpr int kSource = keccak::kPiSources.values[kOut];
    constexpr int kColumn = kSource % 5;
    return Rotate<keccak::kRhoOffsets.values[kSource]>(
        _mm_ternarylogic_epi64(a[kSource], left[kColumn], rightRotated[kColumn], kXor3));
}

template <int kRow>
[[gnu::always_inline]] inline void ChiRow(const __m128i* b, __m128i* out) {
    constexpr int k = 5 * kRow;
    out[k + 0] = _mm_ternarylogic_epi64(b[k + 0], b[k + 1], b[k + 2], kChi);
    out[k + 1] = _mm_ternarylogic_epi64(b[k + 1], b[k + 2], b[k + 3], kChi);
    out[k + 2] = _mm_ternarylogic_epi64(b[k + 2], b[k + 3], b[k + 4], kChi);
    out[k + 3] = _mm_ternarylogic_epi64(b[k + 3], b[k + 4], b[k + 0], kChi);
    out[k + 4] = _mm_ternarylogic_epi64(b[k + 4], b[k + 0], b[k + 1], kChi);
}

template <int... kOut>
[[gnu::always_inline]] inline void AllThetaRhoPi(const __m128i* a, const __m128i* left,
                                                 const __m128i* rightRotated, __m128i* b,
                                                 std::integer_sequence<int, kOut...>) {
    ((b[kOut] = ThetaRhoPi<kOut>(a, left, rightRotated)), ...);
}

[[gnu::always_inline]] inline void Round(const __m128i* a, __m128i* out, int round) {
    __m128i c[5], left[5], rightRotated[5], b[25];
    // Every loop fully unrolled, at any optimisation level, so the lanes stay in registers.
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) {
        c[x] = _mm_ternarylogic_epi64(_mm_ternarylogic_epi64(a[x], a[x + 5], a[x + 10], kXor3),
                                      a[x + 15], a[x + 20], kXor3);
    }
    // Theta adds to each lane the parities of the columns to its left and (rotated) right.
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) {
        left[x] = c[(x + 4) % 5];
        rightRotated[x] = _mm_rol_epi64(c[(x + 1) % 5], 1);
    }
    AllThetaRhoPi(a, left, rightRotated, b, std::make_integer_sequence<int, 25>{});
    ChiRow<0>(b, out);
    ChiRow<1>(b, out);
    ChiRow<2>(b, out);
    ChiRow<3>(b, out);
    ChiRow<4>(b, out);
    out[0] = _mm_xor_si128(
        out[0],
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(keccak::kRoundConstants.values + round)));
}

}  // namespace

void KeccakPermuteAvx512(std::uint64_t lanes[25]) {
    __m128i a[25], e[25];
#pragma GCC unroll 25
    for (int i = 0; i < 25; ++i)
        a[i] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes + i));
    // Rounds alternate between two sets of registers, so no round copies its result back.
    for (int round = 0; round < 24; round += 2) {
        Round(a, e, round);
        Round(e, a, round + 1);
    }
#pragma GCC unroll 25
    for (int i = 0; i < 25; ++i) _mm_storel_epi64(reinterpret_cast<__m128i*>(lanes + i), a[i]);
}

void KeccakAbsorbAvx512(std::uint64_t lanes[25], const std::uint8_t* data, std::size_t blockCount,
                        std::size_t rateLanes) {
    for (; blockCount > 0; --blockCount, data += 8 * rateLanes) {
        // The XOR into memory costs a few percent of the permutation and keeps one permutation
        // body for every rate.
        for (std::size_t i = 0; i < rateLanes; ++i) {
            __m128i lane = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes + i));
            lane = _mm_xor_si128(lane,
                                 _mm_loadl_epi64(reinterpret_cast<const __m128i*>(data + 8 * i)));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(lanes + i), lane);
        }
        KeccakPermuteAvx512(lanes);
    }
}

}  // namespace tessik
