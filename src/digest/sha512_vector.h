#pragma once
// SHA-512 with BMI2 rotates in the rounds and the message schedule in 256-bit registers, for two
// blocks at once: each 128-bit half of a register holds two words of one block. The schedule of
// both runs interleaved with the rounds of the first, sixteen rounds ahead of its use, so its
// shifts fill the ports the rounds' rotates leave free; the second block's rounds then only
// read it. Where AVX-512 is enabled the schedule's rotates and three-way XORs are single
// instructions.
//
// Included only by the files that build this kernel for their extensions. Everything here has
// internal linkage, so no copy built for one set of extensions can stand in for another's.
#include <immintrin.h>

#include <utility>

#include <cstddef>
#include <cstdint>

#include "digest/sha2_constants.h"

namespace tessik {
namespace {

[[gnu::always_inline]] inline std::uint64_t Rotr(std::uint64_t x, int n) {
    return (x >> n) | (x << (64 - n));
}

template <int kBy>
[[gnu::always_inline]] inline __m256i RotrPairs(__m256i x) {
    return _mm256_or_si256(_mm256_srli_epi64(x, kBy), _mm256_slli_epi64(x, 64 - kBy));
}

struct Schedule {
    // For pair k: the two words plus their round constants of the first block, then those of
    // the second.
    alignas(32) std::uint64_t wk[40][4];
};

// Stores words 2k and 2k + 1 plus their round constants. The empty assembly statement makes
// the rounds load them from memory as an operand of their add, rather than have the compiler
// extract them from the vector register with extra instructions.
[[gnu::always_inline]] inline void StoreWithConstants(Schedule& s, int pair, __m256i words) {
    const __m256i constants = _mm256_broadcastsi128_si256(
        _mm_load_si128(reinterpret_cast<const __m128i*>(kSha512RoundConstants + 2 * pair)));
    _mm256_store_si256(reinterpret_cast<__m256i*>(s.wk[pair]), _mm256_add_epi64(words, constants));
    __asm__("" : "+m"(s.wk[pair]));
}

// Words 2k and 2k + 1 of both blocks from the sixteen before them in x; k mod 8 is kSlot.
template <int kSlot>
[[gnu::always_inline]] inline void SchedulePair(Schedule& s, __m256i* x, int pair) {
    const __m256i minus2 = x[(kSlot + 7) % 8];
    const __m256i minus7 = _mm256_alignr_epi8(x[(kSlot + 5) % 8], x[(kSlot + 4) % 8], 8);
    const __m256i minus15 = _mm256_alignr_epi8(x[(kSlot + 1) % 8], x[kSlot], 8);
#if defined(__AVX512VL__)
    const __m256i sigma0 =
        _mm256_ternarylogic_epi64(_mm256_ror_epi64(minus15, 1), _mm256_ror_epi64(minus15, 8),
                                  _mm256_srli_epi64(minus15, 7), 0x96);
    const __m256i sigma1 =
        _mm256_ternarylogic_epi64(_mm256_ror_epi64(minus2, 19), _mm256_ror_epi64(minus2, 61),
                                  _mm256_srli_epi64(minus2, 6), 0x96);
#else
    // A rotate by a whole byte is one byte shuffle instead of two shifts and an OR.
    const __m256i rotateByte = _mm256_set_epi64x(0x080f0e0d0c0b0a09, 0x0007060504030201,
                                                 0x080f0e0d0c0b0a09, 0x0007060504030201);
    const __m256i sigma0 = _mm256_xor_si256(
        _mm256_xor_si256(RotrPairs<1>(minus15), _mm256_shuffle_epi8(minus15, rotateByte)),
        _mm256_srli_epi64(minus15, 7));
    const __m256i sigma1 =
        _mm256_xor_si256(_mm256_xor_si256(RotrPairs<19>(minus2), RotrPairs<61>(minus2)),
                         _mm256_srli_epi64(minus2, 6));
#endif
    const __m256i word =
        _mm256_add_epi64(_mm256_add_epi64(x[kSlot], sigma0), _mm256_add_epi64(minus7, sigma1));
    x[kSlot] = word;
    StoreWithConstants(s, pair, word);
}

// Keeps the compiler from reassociating a sum past this point.
[[gnu::always_inline]] inline std::uint64_t Settled(std::uint64_t value) {
    __asm__("" : "+r"(value));
    return value;
}

// One round; as in the portable engine, the roles a to h move one slot per round and this
// round's a ^ b is the next round's b ^ c. The first sum takes its terms in the order they are
// ready: h and the schedule word long before e, the choice two operations after e, Sigma1
// three. Left to itself the compiler added them the other way round and made each round wait
// seven operations for the one before.
template <int kRound>
[[gnu::always_inline]] inline void Round(std::uint64_t* v, std::uint64_t& bc, std::uint64_t wk) {
    constexpr auto slot = [](int role) { return (role + 16 - kRound) % 8; };
    const std::uint64_t a = v[slot(0)], b = v[slot(1)];
    const std::uint64_t e = v[slot(4)], f = v[slot(5)], g = v[slot(6)];
    std::uint64_t& d = v[slot(3)];
    std::uint64_t& h = v[slot(7)];
    const std::uint64_t early = Settled(Settled(h + wk) + ((e & f) ^ (~e & g)));
    const std::uint64_t t1 = early + (Rotr(e, 14) ^ Rotr(e, 18) ^ Rotr(e, 41));
    const std::uint64_t ab = a ^ b;
    d += t1;
    h = t1 + (Rotr(a, 28) ^ Rotr(a, 34) ^ Rotr(a, 39)) + (b ^ (ab & bc));
    bc = ab;
}

// Rounds 2k and 2k + 1 of block kBlock of the pair, k being firstPair + kTwoRounds, and with
// kSchedule the schedule of both blocks sixteen rounds ahead.
template <int kBlock, bool kSchedule, int kTwoRounds>
[[gnu::always_inline]] inline void TwoRounds(std::uint64_t* v, std::uint64_t& bc, Schedule& s,
                                             __m256i* x, int firstPair) {
    if constexpr (kSchedule) SchedulePair<kTwoRounds>(s, x, firstPair + 8 + kTwoRounds);
    Round<2 * kTwoRounds>(v, bc, s.wk[firstPair + kTwoRounds][2 * kBlock]);
    Round<2 * kTwoRounds + 1>(v, bc, s.wk[firstPair + kTwoRounds][2 * kBlock + 1]);
}

// Sixteen rounds bring every role and every schedule slot back to where it started, so a loop
// runs this body over and over. Fully unrolled, the rounds of two blocks no longer fit the
// processor's cache of decoded instructions and run only as fast as they can be fetched.
template <int kBlock, bool kSchedule, int... kTwoRounds>
[[gnu::always_inline]] inline void SixteenRounds(std::uint64_t* v, std::uint64_t& bc, Schedule& s,
                                                 __m256i* x, int firstPair,
                                                 std::integer_sequence<int, kTwoRounds...>) {
    (TwoRounds<kBlock, kSchedule, kTwoRounds>(v, bc, s, x, firstPair), ...);
}

template <int kBlock>
[[gnu::always_inline]] inline void Compress(std::uint64_t state[8], Schedule& s, __m256i* x) {
    std::uint64_t v[8];
    for (int i = 0; i < 8; ++i) v[i] = state[i];
    std::uint64_t bc = v[1] ^ v[2];
    constexpr auto kEight = std::make_integer_sequence<int, 8>{};
#pragma GCC unroll 1
    for (int firstPair = 0; firstPair < 32; firstPair += 8) {
        SixteenRounds<kBlock, kBlock == 0>(v, bc, s, x, firstPair, kEight);
    }
    SixteenRounds<kBlock, false>(v, bc, s, x, 32, kEight);
    for (int i = 0; i < 8; ++i) state[i] += v[i];
}

template <int... kPairs>
[[gnu::always_inline]] inline void LoadPairs(Schedule& s, __m256i* x, const std::uint8_t* first,
                                             const std::uint8_t* second,
                                             std::integer_sequence<int, kPairs...>) {
    const __m256i byteSwap = _mm256_set_epi64x(0x08090a0b0c0d0e0f, 0x0001020304050607,
                                               0x08090a0b0c0d0e0f, 0x0001020304050607);
    ((x[kPairs] = _mm256_shuffle_epi8(
          _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(second + 16 * kPairs),
                              reinterpret_cast<const __m128i*>(first + 16 * kPairs)),
          byteSwap),
      StoreWithConstants(s, kPairs, x[kPairs])),
     ...);
}

void Sha512VectorBlocks(std::uint64_t state[8], const std::uint8_t* data, std::size_t blockCount) {
    Schedule s;
    // The last sixteen words of both blocks, pair k in slot k mod 8. A local array the compiler
    // keeps in registers; as a member of the schedule it was reloaded from memory for every pair.
    __m256i x[8];
    while (blockCount > 0) {
        // A lone last block is scheduled beside a copy of itself.
        const bool pair = blockCount > 1;
        LoadPairs(s, x, data, pair ? data + 128 : data, std::make_integer_sequence<int, 8>{});
        Compress<0>(state, s, x);
        if (pair) Compress<1>(state, s, x);
        const std::size_t done = pair ? 2 : 1;
        blockCount -= done;
        data += 128 * done;
    }
}

}  // namespace
}  // namespace tessik
