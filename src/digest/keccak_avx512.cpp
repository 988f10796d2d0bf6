// Keccak-f[1600] with one lane in each of 25 vector registers, so that AVX-512's three-input
// logic instruction does theta's parities and chi in one step each and its rotate does rho
// without a shift pair. Each round builds and finishes pi's output one row at a time: with all
// 25 lanes of theta, rho and pi built first, and theta's two column terms kept apart, too many
// values were alive at once for the 32 registers, and the spills cost a tenth of the time on a
// Zen 4. This file is compiled for AVX-512 and runs only where the processor and OS support it,
// so it calls no inline function from another header: the linker could keep this file's copy
// of it, built for AVX-512, for callers on any processor.

#include <immintrin.h>

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

// Output lane X + 5Y of pi is input lane ((X + 3Y) mod 5) + 5X, after theta and rho; d holds
// theta's term for each column.
template <int kOut>
[[gnu::always_inline]] inline __m128i ThetaRhoPi(const __m128i* a, const __m128i* d) {
    constexpr int kSource = keccak::kPiSources.values[kOut];
    return Rotate<keccak::kRhoOffsets.values[kSource]>(_mm_xor_si128(a[kSource], d[kSource % 5]));
}

// One row of pi's output, then chi on it.
template <int kRow>
[[gnu::always_inline]] inline void Row(const __m128i* a, const __m128i* d, __m128i* out) {
    constexpr int k = 5 * kRow;
    __m128i b[5];
    b[0] = ThetaRhoPi<k + 0>(a, d);
    b[1] = ThetaRhoPi<k + 1>(a, d);
    b[2] = ThetaRhoPi<k + 2>(a, d);
    b[3] = ThetaRhoPi<k + 3>(a, d);
    b[4] = ThetaRhoPi<k + 4>(a, d);
    out[k + 0] = _mm_ternarylogic_epi64(b[0], b[1], b[2], kChi);
    out[k + 1] = _mm_ternarylogic_epi64(b[1], b[2], b[3], kChi);
    out[k + 2] = _mm_ternarylogic_epi64(b[2], b[3], b[4], kChi);
    out[k + 3] = _mm_ternarylogic_epi64(b[3], b[4], b[0], kChi);
    out[k + 4] = _mm_ternarylogic_epi64(b[4], b[0], b[1], kChi);
}

[[gnu::always_inline]] inline void Round(const __m128i* a, __m128i* out, int round) {
    __m128i c[5], d[5];
    // Every loop fully unrolled, at any optimisation level, so the lanes stay in registers.
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) {
        c[x] = _mm_ternarylogic_epi64(_mm_ternarylogic_epi64(a[x], a[x + 5], a[x + 10], kXor3),
                                      a[x + 15], a[x + 20], kXor3);
    }
    // Theta adds to each lane the parity of the column to its left and the rotated parity of the
    // one to its right.
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) {
        d[x] = _mm_xor_si128(c[(x + 4) % 5], _mm_rol_epi64(c[(x + 1) % 5], 1));
    }
    Row<0>(a, d, out);
    Row<1>(a, d, out);
    Row<2>(a, d, out);
    Row<3>(a, d, out);
    Row<4>(a, d, out);
    out[0] = _mm_xor_si128(
        out[0],
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(keccak::kRoundConstants.values + round)));
}

// All 24 rounds on lanes in registers; e is room for every other round's output.
[[gnu::always_inline]] inline void Permute(__m128i* a, __m128i* e) {
    // Rounds alternate between two sets of registers, so no round copies its result back.
    for (int round = 0; round < 24; round += 2) {
        Round(a, e, round);
        Round(e, a, round + 1);
    }
}

[[gnu::always_inline]] inline void LoadLanes(__m128i* a, const std::uint64_t* lanes) {
#pragma GCC unroll 25
    for (int i = 0; i < 25; ++i)
        a[i] = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(lanes + i));
}

[[gnu::always_inline]] inline void StoreLanes(const __m128i* a, std::uint64_t* lanes) {
#pragma GCC unroll 25
    for (int i = 0; i < 25; ++i) _mm_storel_epi64(reinterpret_cast<__m128i*>(lanes + i), a[i]);
}

}  // namespace

void KeccakPermuteAvx512(std::uint64_t lanes[25]) {
    __m128i a[25], e[25];
    LoadLanes(a, lanes);
    Permute(a, e);
    StoreLanes(a, lanes);
}

// The lanes stay in registers from block to block; only each block's words come from memory.
void KeccakAbsorbAvx512(std::uint64_t lanes[25], const std::uint8_t* data, std::size_t blockCount,
                        std::size_t rateLanes) {
    __m128i a[25], e[25];
    LoadLanes(a, lanes);
    for (; blockCount > 0; --blockCount, data += 8 * rateLanes) {
#pragma GCC unroll 25
        for (std::size_t i = 0; i < 25; ++i) {
            if (i < rateLanes) {
                a[i] = _mm_xor_si128(
                    a[i], _mm_loadl_epi64(reinterpret_cast<const __m128i*>(data + 8 * i)));
            }
        }
        Permute(a, e);
    }
    StoreLanes(a, lanes);
}

}  // namespace tessik
