// SHA-512 with BMI2 rotates in the rounds and the message schedule in AVX2 registers, two
// words at a time, running sixteen rounds ahead of the rounds that use it: the schedule's
// shifts then no longer compete with the rounds' rotates for the same execution ports. This
// file is compiled for AVX2 and BMI2 and runs only where the processor and OS support them, so
// it calls no inline function from another header: the linker could keep this file's copy of
// it, built for those extensions, for callers on any processor.

#include <immintrin.h>

#include <utility>

#include "digest/digest_kernels.h"

namespace tessik {
namespace {

alignas(16) constexpr std::uint64_t kConstants[80] = {
    0x428a2f98d728ae22, 0x7137449123ef65cd, 0xb5c0fbcfec4d3b2f, 0xe9b5dba58189dbbc,
    0x3956c25bf348b538, 0x59f111f1b605d019, 0x923f82a4af194f9b, 0xab1c5ed5da6d8118,
    0xd807aa98a3030242, 0x12835b0145706fbe, 0x243185be4ee4b28c, 0x550c7dc3d5ffb4e2,
    0x72be5d74f27b896f, 0x80deb1fe3b1696b1, 0x9bdc06a725c71235, 0xc19bf174cf692694,
    0xe49b69c19ef14ad2, 0xefbe4786384f25e3, 0x0fc19dc68b8cd5b5, 0x240ca1cc77ac9c65,
    0x2de92c6f592b0275, 0x4a7484aa6ea6e483, 0x5cb0a9dcbd41fbd4, 0x76f988da831153b5,
    0x983e5152ee66dfab, 0xa831c66d2db43210, 0xb00327c898fb213f, 0xbf597fc7beef0ee4,
    0xc6e00bf33da88fc2, 0xd5a79147930aa725, 0x06ca6351e003826f, 0x142929670a0e6e70,
    0x27b70a8546d22ffc, 0x2e1b21385c26c926, 0x4d2c6dfc5ac42aed, 0x53380d139d95b3df,
    0x650a73548baf63de, 0x766a0abb3c77b2a8, 0x81c2c92e47edaee6, 0x92722c851482353b,
    0xa2bfe8a14cf10364, 0xa81a664bbc423001, 0xc24b8b70d0f89791, 0xc76c51a30654be30,
    0xd192e819d6ef5218, 0xd69906245565a910, 0xf40e35855771202a, 0x106aa07032bbd1b8,
    0x19a4c116b8d2d0c8, 0x1e376c085141ab53, 0x2748774cdf8eeb99, 0x34b0bcb5e19b48a8,
    0x391c0cb3c5c95a63, 0x4ed8aa4ae3418acb, 0x5b9cca4f7763e373, 0x682e6ff3d6b2b8a3,
    0x748f82ee5defb2fc, 0x78a5636f43172f60, 0x84c87814a1f0ab72, 0x8cc702081a6439ec,
    0x90befffa23631e28, 0xa4506cebde82bde9, 0xbef9a3f7b2c67915, 0xc67178f2e372532b,
    0xca273eceea26619c, 0xd186b8c721c0c207, 0xeada7dd6cde0eb1e, 0xf57d4f7fee6ed178,
    0x06f067aa72176fba, 0x0a637dc5a2c898a6, 0x113f9804bef90dae, 0x1b710b35131c471b,
    0x28db77f523047d84, 0x32caab7b40c72493, 0x3c9ebe0a15c9bebc, 0x431d67c49c100d4c,
    0x4cc5d4becb3e42b6, 0x597f299cfc657e2a, 0x5fcb6fab3ad6faec, 0x6c44198c4a475817,
};

[[gnu::always_inline]] inline std::uint64_t Rotr(std::uint64_t x, int n) {
    return (x >> n) | (x << (64 - n));
}

template <int kBy>
[[gnu::always_inline]] inline __m128i RotrPair(__m128i x) {
    return _mm_or_si128(_mm_srli_epi64(x, kBy), _mm_slli_epi64(x, 64 - kBy));
}

struct Schedule {
    __m128i pairs[8];                  // words 2k and 2k + 1 of the last sixteen, in slot k mod 8
    alignas(16) std::uint64_t wk[80];  // each word plus its round constant
};

// Words 2k and 2k + 1 from the sixteen before them.
template <int kPair>
[[gnu::always_inline]] inline void SchedulePair(Schedule& s) {
    __m128i* x = s.pairs;
    const __m128i minus2 = x[(kPair - 1) % 8];
    const __m128i minus7 = _mm_alignr_epi8(x[(kPair - 3) % 8], x[(kPair - 4) % 8], 8);
    const __m128i minus15 = _mm_alignr_epi8(x[(kPair - 7) % 8], x[kPair % 8], 8);
    const __m128i sigma0 = _mm_xor_si128(_mm_xor_si128(RotrPair<1>(minus15), RotrPair<8>(minus15)),
                                         _mm_srli_epi64(minus15, 7));
    const __m128i sigma1 = _mm_xor_si128(_mm_xor_si128(RotrPair<19>(minus2), RotrPair<61>(minus2)),
                                         _mm_srli_epi64(minus2, 6));
    const __m128i word =
        _mm_add_epi64(_mm_add_epi64(x[kPair % 8], sigma0), _mm_add_epi64(minus7, sigma1));
    x[kPair % 8] = word;
    _mm_store_si128(
        reinterpret_cast<__m128i*>(s.wk + 2 * kPair),
        _mm_add_epi64(word,
                      _mm_load_si128(reinterpret_cast<const __m128i*>(kConstants + 2 * kPair))));
}

// One round; as in the portable engine, the roles a to h move one slot per round and this
// round's a ^ b is the next round's b ^ c.
template <int kRound>
[[gnu::always_inline]] inline void Round(std::uint64_t* v, std::uint64_t& bc, std::uint64_t wk) {
    constexpr auto slot = [](int role) { return (role + 640 - kRound) % 8; };
    const std::uint64_t a = v[slot(0)], b = v[slot(1)];
    const std::uint64_t e = v[slot(4)], f = v[slot(5)], g = v[slot(6)];
    std::uint64_t& d = v[slot(3)];
    std::uint64_t& h = v[slot(7)];
    const std::uint64_t t1 =
        h + (Rotr(e, 14) ^ Rotr(e, 18) ^ Rotr(e, 41)) + ((e & f) ^ (~e & g)) + wk;
    const std::uint64_t ab = a ^ b;
    d += t1;
    h = t1 + (Rotr(a, 28) ^ Rotr(a, 34) ^ Rotr(a, 39)) + (b ^ (ab & bc));
    bc = ab;
}

// Two rounds, with the schedule for the rounds sixteen ahead.
template <int kGroup>
[[gnu::always_inline]] inline void TwoRounds(std::uint64_t* v, std::uint64_t& bc, Schedule& s) {
    if constexpr (kGroup < 32) SchedulePair<kGroup + 8>(s);
    Round<2 * kGroup>(v, bc, s.wk[2 * kGroup]);
    Round<2 * kGroup + 1>(v, bc, s.wk[2 * kGroup + 1]);
}

template <int... kGroups>
[[gnu::always_inline]] inline void AllRounds(std::uint64_t* v, Schedule& s,
                                             std::integer_sequence<int, kGroups...>) {
    std::uint64_t bc = v[1] ^ v[2];
    (TwoRounds<kGroups>(v, bc, s), ...);
}

}  // namespace

void Sha512BlocksAvx2(std::uint64_t state[8], const std::uint8_t* data, std::size_t blockCount) {
    const __m128i byteSwap = _mm_set_epi64x(0x08090a0b0c0d0e0f, 0x0001020304050607);
    Schedule s;
    for (; blockCount > 0; --blockCount, data += 128) {
        for (int k = 0; k < 8; ++k) {
            s.pairs[k] = _mm_shuffle_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * k)), byteSwap);
            _mm_store_si128(
                reinterpret_cast<__m128i*>(s.wk + 2 * k),
                _mm_add_epi64(s.pairs[k], _mm_load_si128(reinterpret_cast<const __m128i*>(
                                              kConstants + 2 * k))));
        }
        std::uint64_t v[8];
        for (int i = 0; i < 8; ++i) v[i] = state[i];
        AllRounds(v, s, std::make_integer_sequence<int, 40>{});
        for (int i = 0; i < 8; ++i) state[i] += v[i];
    }
}

}  // namespace tessik
