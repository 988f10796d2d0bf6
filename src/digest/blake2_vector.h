#pragma once
// BLAKE2b and BLAKE2s with each row of the 4x4 working matrix in one vector register: 256 bits
// of four 64-bit words for BLAKE2b, 128 bits of four 32-bit words for BLAKE2s. A round is the
// four column steps at once, then the four diagonal steps at once after turning rows a, c and d
// so that each diagonal lines up in a lane. Row b, the last one each step computes, never turns:
// the turns of the others overlap its work instead of following it. Where AVX-512 is enabled the
// rotations are single instructions and each round's message words are picked out of the block
// by one or two permutes; elsewhere they are gathered word by word, away from the chain of
// dependences that sets the speed.
//
// Included only by the files that build this kernel for their extensions. Everything here has
// internal linkage, so no copy built for one set of extensions can stand in for another's.
#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "digest/blake2_constants.h"
#include "digest/sha2_constants.h"

namespace tessik {
namespace {

// Lane j of the diagonal step computes the diagonal whose b is word 4 + j: the one the
// BLAKE2 paper and RFC 7693 number (j + 3) mod 4.
constexpr int kDiagonalOfLane[4] = {3, 0, 1, 2};

// For a round, the message word index of each lane's first and second addition, column step
// then diagonal step: 16 indices.
constexpr std::uint8_t MessageIndex(std::size_t round, int slot) {
    const std::uint8_t* s = blake2::kSigma[round % 10];
    const int step = slot / 8, second = slot / 4 % 2, lane = slot % 4;
    const int g = step == 0 ? lane : 4 + kDiagonalOfLane[lane];
    return s[2 * g + second];
}

// Four 64-bit words per register.
struct WideRows {
    using Word = std::uint64_t;
    using Vector = __m256i;
    static constexpr std::size_t kRounds = 12;
    static constexpr const Word (&kInitialWords)[8] = kSha512InitialWords;

    static Vector Load(const Word* words) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(words));
    }
    static void Store(Word* words, Vector v) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(words), v);
    }
    static Vector Add(Vector x, Vector y) { return _mm256_add_epi64(x, y); }
    static Vector Xor(Vector x, Vector y) { return _mm256_xor_si256(x, y); }
    static Vector CounterAndFlag(std::uint64_t counter, bool last) {
        return _mm256_set_epi64x(0, last ? -1 : 0, 0, static_cast<long long>(counter));
    }
    template <int kLanes>
    static Vector Turn(Vector v) {
        return _mm256_permute4x64_epi64(v, kLanes);
    }
    template <int kBits>
    static Vector Rotr(Vector x) {
#if defined(__AVX512VL__)
        return _mm256_ror_epi64(x, kBits);
#else
        if constexpr (kBits == 32) {
            return _mm256_shuffle_epi32(x, _MM_SHUFFLE(2, 3, 0, 1));
        } else if constexpr (kBits == 24) {
            return _mm256_shuffle_epi8(
                x, _mm256_setr_epi8(3, 4, 5, 6, 7, 0, 1, 2, 11, 12, 13, 14, 15, 8, 9, 10, 3, 4, 5,
                                    6, 7, 0, 1, 2, 11, 12, 13, 14, 15, 8, 9, 10));
        } else if constexpr (kBits == 16) {
            return _mm256_shuffle_epi8(
                x, _mm256_setr_epi8(2, 3, 4, 5, 6, 7, 0, 1, 10, 11, 12, 13, 14, 15, 8, 9, 2, 3, 4,
                                    5, 6, 7, 0, 1, 10, 11, 12, 13, 14, 15, 8, 9));
        } else {
            static_assert(kBits == 63);
            return _mm256_or_si256(_mm256_srli_epi64(x, 63), _mm256_add_epi64(x, x));
        }
#endif
    }

    // The block's sixteen words as the rounds pick them.
    struct Message {
#if defined(__AVX512F__)
        __m512i low, high;
        explicit Message(const std::uint8_t* block)
            : low(_mm512_loadu_si512(block)), high(_mm512_loadu_si512(block + 64)) {}
        // Quarter 0 and 1: the column step's first and second words; 2 and 3 the diagonal's.
        template <std::size_t kRound>
        void Pick(Vector (&quarters)[4]) const {
            const __m512i columns = _mm512_permutex2var_epi64(low, Indices<kRound, 0>(), high);
            const __m512i diagonals = _mm512_permutex2var_epi64(low, Indices<kRound, 8>(), high);
            quarters[0] = _mm512_castsi512_si256(columns);
            quarters[1] = _mm512_extracti64x4_epi64(columns, 1);
            quarters[2] = _mm512_castsi512_si256(diagonals);
            quarters[3] = _mm512_extracti64x4_epi64(diagonals, 1);
        }
        template <std::size_t kRound, int kFirst>
        static __m512i Indices() {
            return _mm512_setr_epi64(
                MessageIndex(kRound, kFirst + 0), MessageIndex(kRound, kFirst + 1),
                MessageIndex(kRound, kFirst + 2), MessageIndex(kRound, kFirst + 3),
                MessageIndex(kRound, kFirst + 4), MessageIndex(kRound, kFirst + 5),
                MessageIndex(kRound, kFirst + 6), MessageIndex(kRound, kFirst + 7));
        }
#else
        Word m[16];
        // x86 is little-endian, as the words are.
        explicit Message(const std::uint8_t* block) {
            std::memcpy(m, block, sizeof m);
        }
        template <std::size_t kRound>
        void Pick(Vector (&quarters)[4]) const {
            for (int q = 0; q < 4; ++q) {
                quarters[q] =
                    _mm256_setr_epi64x(static_cast<long long>(m[MessageIndex(kRound, 4 * q)]),
                                       static_cast<long long>(m[MessageIndex(kRound, 4 * q + 1)]),
                                       static_cast<long long>(m[MessageIndex(kRound, 4 * q + 2)]),
                                       static_cast<long long>(m[MessageIndex(kRound, 4 * q + 3)]));
            }
        }
#endif
    };
};

// Four 32-bit words per register.
struct NarrowRows {
    using Word = std::uint32_t;
    using Vector = __m128i;
    static constexpr std::size_t kRounds = 10;
    static constexpr const Word (&kInitialWords)[8] = kSha256InitialWords;

    static Vector Load(const Word* words) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(words));
    }
    static void Store(Word* words, Vector v) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(words), v);
    }
    static Vector Add(Vector x, Vector y) { return _mm_add_epi32(x, y); }
    static Vector Xor(Vector x, Vector y) { return _mm_xor_si128(x, y); }
    static Vector CounterAndFlag(std::uint64_t counter, bool last) {
        return _mm_setr_epi32(static_cast<int>(counter), static_cast<int>(counter >> 32),
                              last ? -1 : 0, 0);
    }
    template <int kLanes>
    static Vector Turn(Vector v) {
        return _mm_shuffle_epi32(v, kLanes);
    }
    template <int kBits>
    static Vector Rotr(Vector x) {
#if defined(__AVX512VL__)
        return _mm_ror_epi32(x, kBits);
#else
        if constexpr (kBits == 16) {
            return _mm_shuffle_epi8(
                x, _mm_setr_epi8(2, 3, 0, 1, 6, 7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13));
        } else if constexpr (kBits == 8) {
            return _mm_shuffle_epi8(
                x, _mm_setr_epi8(1, 2, 3, 0, 5, 6, 7, 4, 9, 10, 11, 8, 13, 14, 15, 12));
        } else {
            return _mm_or_si128(_mm_srli_epi32(x, kBits), _mm_slli_epi32(x, 32 - kBits));
        }
#endif
    }

    struct Message {
#if defined(__AVX512F__)
        __m512i words;
        explicit Message(const std::uint8_t* block) : words(_mm512_loadu_si512(block)) {}
        template <std::size_t kRound>
        void Pick(Vector (&quarters)[4]) const {
            const __m512i picked = _mm512_permutexvar_epi32(Indices<kRound>(), words);
            quarters[0] = _mm512_castsi512_si128(picked);
            quarters[1] = _mm512_extracti32x4_epi32(picked, 1);
            quarters[2] = _mm512_extracti32x4_epi32(picked, 2);
            quarters[3] = _mm512_extracti32x4_epi32(picked, 3);
        }
        template <std::size_t kRound>
        static __m512i Indices() {
            return _mm512_setr_epi32(
                MessageIndex(kRound, 0), MessageIndex(kRound, 1), MessageIndex(kRound, 2),
                MessageIndex(kRound, 3), MessageIndex(kRound, 4), MessageIndex(kRound, 5),
                MessageIndex(kRound, 6), MessageIndex(kRound, 7), MessageIndex(kRound, 8),
                MessageIndex(kRound, 9), MessageIndex(kRound, 10), MessageIndex(kRound, 11),
                MessageIndex(kRound, 12), MessageIndex(kRound, 13), MessageIndex(kRound, 14),
                MessageIndex(kRound, 15));
        }
#else
        Word m[16];
        explicit Message(const std::uint8_t* block) {
            std::memcpy(m, block, sizeof m);
        }
        template <std::size_t kRound>
        void Pick(Vector (&quarters)[4]) const {
            for (int q = 0; q < 4; ++q) {
                quarters[q] = _mm_setr_epi32(static_cast<int>(m[MessageIndex(kRound, 4 * q)]),
                                             static_cast<int>(m[MessageIndex(kRound, 4 * q + 1)]),
                                             static_cast<int>(m[MessageIndex(kRound, 4 * q + 2)]),
                                             static_cast<int>(m[MessageIndex(kRound, 4 * q + 3)]));
            }
        }
#endif
    };
};

template <typename Rows>
struct Matrix {
    using Vector = typename Rows::Vector;
    Vector a, b, c, d;

    // Half of G on every lane: the first or the second word of the message and its rotations.
    template <int kRotateD, int kRotateB>
    [[gnu::always_inline]] void HalfStep(Vector words) {
        a = Rows::Add(Rows::Add(a, words), b);
        d = Rows::template Rotr<kRotateD>(Rows::Xor(d, a));
        c = Rows::Add(c, d);
        b = Rows::template Rotr<kRotateB>(Rows::Xor(b, c));
    }
};

template <typename Rows, std::size_t kRound>
[[gnu::always_inline]] inline void VectorRound(Matrix<Rows>& v,
                                               const typename Rows::Message& message) {
    // Rotations: BLAKE2b's 32, 24, 16, 63; BLAKE2s's 16, 12, 8, 7.
    constexpr bool kWide = sizeof(typename Rows::Word) == 8;
    constexpr int r1 = kWide ? 32 : 16, r2 = kWide ? 24 : 12, r3 = kWide ? 16 : 8,
                  r4 = kWide ? 63 : 7;
    typename Rows::Vector words[4];
    message.template Pick<kRound>(words);
    v.template HalfStep<r1, r2>(words[0]);
    v.template HalfStep<r3, r4>(words[1]);
    // Lane j of a takes word (j + 3) mod 4, of c word (j + 1) mod 4, of d word (j + 2) mod 4.
    v.a = Rows::template Turn<0x93>(v.a);
    v.c = Rows::template Turn<0x39>(v.c);
    v.d = Rows::template Turn<0x4e>(v.d);
    v.template HalfStep<r1, r2>(words[2]);
    v.template HalfStep<r3, r4>(words[3]);
    v.a = Rows::template Turn<0x39>(v.a);
    v.c = Rows::template Turn<0x93>(v.c);
    v.d = Rows::template Turn<0x4e>(v.d);
}

template <typename Rows, std::size_t... kRounds>
[[gnu::always_inline]] inline void VectorRounds(Matrix<Rows>& v,
                                                const typename Rows::Message& message,
                                                std::index_sequence<kRounds...>) {
    (VectorRound<Rows, kRounds>(v, message), ...);
}

template <typename Rows>
void Blake2VectorBlocks(typename Rows::Word* h, const std::uint8_t* data, std::size_t blockCount,
                        std::uint64_t counter, bool last) {
    constexpr std::size_t kBlockSize = 16 * sizeof(typename Rows::Word);
    using Vector = typename Rows::Vector;
    Vector low = Rows::Load(h), high = Rows::Load(h + 4);
    const Vector initialLow = Rows::Load(Rows::kInitialWords);
    const Vector initialHigh = Rows::Load(Rows::kInitialWords + 4);
    for (; blockCount > 0; --blockCount, data += kBlockSize, counter += kBlockSize) {
        const typename Rows::Message message(data);
        Matrix<Rows> v{low, high, initialLow,
                       Rows::Xor(initialHigh, Rows::CounterAndFlag(counter, last))};
        VectorRounds<Rows>(v, message, std::make_index_sequence<Rows::kRounds>());
        low = Rows::Xor(low, Rows::Xor(v.a, v.c));
        high = Rows::Xor(high, Rows::Xor(v.b, v.d));
    }
    Rows::Store(h, low);
    Rows::Store(h + 4, high);
}

}  // namespace
}  // namespace tessik
