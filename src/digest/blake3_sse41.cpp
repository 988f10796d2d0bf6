// BLAKE3 on four inputs at once in 128-bit registers (SSE4.1, with SSSE3's byte shuffle for the
// rotations by 8 and 16).

#include <immintrin.h>

#include <bit>

#include "digest/blake3_lanes.h"

namespace tessik {
namespace {

struct Sse41Lanes {
    using Word = std::uint32_t __attribute__((vector_size(16)));
    static constexpr std::size_t kCount = 4;

    template <int kBy>
    [[gnu::always_inline]] static Word Rotr(Word x) {
        const __m128i v = std::bit_cast<__m128i>(x);
        if constexpr (kBy == 16) {
            const __m128i turn =
                _mm_setr_epi8(2, 3, 0, 1, 6, 7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13);
            return std::bit_cast<Word>(_mm_shuffle_epi8(v, turn));
        } else if constexpr (kBy == 8) {
            const __m128i turn =
                _mm_setr_epi8(1, 2, 3, 0, 5, 6, 7, 4, 9, 10, 11, 8, 13, 14, 15, 12);
            return std::bit_cast<Word>(_mm_shuffle_epi8(v, turn));
        } else {
            return (x >> kBy) | (x << (32 - kBy));
        }
    }

    // Rows of four words become columns: r[j][i] lands in r[i][j].
    [[gnu::always_inline]] static void Transpose(__m128i r[4]) {
        const __m128i t0 = _mm_unpacklo_epi32(r[0], r[1]), t1 = _mm_unpackhi_epi32(r[0], r[1]);
        const __m128i t2 = _mm_unpacklo_epi32(r[2], r[3]), t3 = _mm_unpackhi_epi32(r[2], r[3]);
        r[0] = _mm_unpacklo_epi64(t0, t2);
        r[1] = _mm_unpackhi_epi64(t0, t2);
        r[2] = _mm_unpacklo_epi64(t1, t3);
        r[3] = _mm_unpackhi_epi64(t1, t3);
    }

    [[gnu::always_inline]] static void LoadBlock(const std::uint8_t* first, std::size_t stride,
                                                 Word m[16]) {
        for (int quarter = 0; quarter < 4; ++quarter) {
            __m128i r[4];
            for (int lane = 0; lane < 4; ++lane) {
                r[lane] = _mm_loadu_si128(
                    reinterpret_cast<const __m128i*>(first + lane * stride + 16 * quarter));
            }
            Transpose(r);
            for (int i = 0; i < 4; ++i) m[4 * quarter + i] = std::bit_cast<Word>(r[i]);
        }
    }

    [[gnu::always_inline]] static void StoreCvs(const Word h[8], std::uint8_t* out) {
        for (int half = 0; half < 2; ++half) {
            __m128i r[4];
            for (int i = 0; i < 4; ++i) r[i] = std::bit_cast<__m128i>(h[4 * half + i]);
            Transpose(r);
            for (int lane = 0; lane < 4; ++lane) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 32 * lane + 16 * half), r[lane]);
            }
        }
    }
};

}  // namespace

void Blake3ManySse41(const std::uint8_t* inputs, std::size_t count, bool parents,
                     std::uint64_t firstChunk, std::uint8_t* cvs) {
    Blake3ManyLanes<Sse41Lanes>(inputs, count, parents, firstChunk, cvs, Blake3ManyPortable);
}

}  // namespace tessik
