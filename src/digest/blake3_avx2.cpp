// BLAKE3 on eight inputs at once in 256-bit registers (AVX2); fewer than eight go four at a time.

#include <immintrin.h>

#include <bit>

#include "digest/blake3_lanes.h"

namespace tessik {
namespace {

struct Avx2Lanes {
    using Word = std::uint32_t __attribute__((vector_size(32)));
    static constexpr std::size_t kCount = 8;

    template <int kBy>
    [[gnu::always_inline]] static Word Rotr(Word x) {
        const __m256i v = std::bit_cast<__m256i>(x);
        if constexpr (kBy == 16) {
            const __m256i turn =
                _mm256_setr_epi8(2, 3, 0, 1, 6, 7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13, 2, 3, 0, 1,
                                 6, 7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13);
            return std::bit_cast<Word>(_mm256_shuffle_epi8(v, turn));
        } else if constexpr (kBy == 8) {
            const __m256i turn =
                _mm256_setr_epi8(1, 2, 3, 0, 5, 6, 7, 4, 9, 10, 11, 8, 13, 14, 15, 12, 1, 2, 3, 0,
                                 5, 6, 7, 4, 9, 10, 11, 8, 13, 14, 15, 12);
            return std::bit_cast<Word>(_mm256_shuffle_epi8(v, turn));
        } else {
            return (x >> kBy) | (x << (32 - kBy));
        }
    }

    // Rows of eight words become columns: r[j][i] lands in r[i][j].
    [[gnu::always_inline]] static void Transpose(__m256i r[8]) {
        __m256i t[8], u[8];
        for (int i = 0; i < 4; ++i) {
            t[2 * i] = _mm256_unpacklo_epi32(r[2 * i], r[2 * i + 1]);
            t[2 * i + 1] = _mm256_unpackhi_epi32(r[2 * i], r[2 * i + 1]);
        }
        for (int i = 0; i < 2; ++i) {
            u[4 * i] = _mm256_unpacklo_epi64(t[4 * i], t[4 * i + 2]);
            u[4 * i + 1] = _mm256_unpackhi_epi64(t[4 * i], t[4 * i + 2]);
            u[4 * i + 2] = _mm256_unpacklo_epi64(t[4 * i + 1], t[4 * i + 3]);
            u[4 * i + 3] = _mm256_unpackhi_epi64(t[4 * i + 1], t[4 * i + 3]);
        }
        for (int i = 0; i < 4; ++i) {
            r[i] = _mm256_permute2x128_si256(u[i], u[i + 4], 0x20);
            r[i + 4] = _mm256_permute2x128_si256(u[i], u[i + 4], 0x31);
        }
    }

    [[gnu::always_inline]] static void LoadBlock(const std::uint8_t* first, std::size_t stride,
                                                 Word m[16]) {
        for (int half = 0; half < 2; ++half) {
            __m256i r[8];
            for (int lane = 0; lane < 8; ++lane) {
                r[lane] = _mm256_loadu_si256(
                    reinterpret_cast<const __m256i*>(first + lane * stride + 32 * half));
            }
            Transpose(r);
            for (int i = 0; i < 8; ++i) m[8 * half + i] = std::bit_cast<Word>(r[i]);
        }
    }

    [[gnu::always_inline]] static void StoreCvs(const Word h[8], std::uint8_t* out) {
        __m256i r[8];
        for (int i = 0; i < 8; ++i) r[i] = std::bit_cast<__m256i>(h[i]);
        Transpose(r);
        for (int lane = 0; lane < 8; ++lane) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32 * lane), r[lane]);
        }
    }
};

}  // namespace

void Blake3ManyAvx2(const std::uint8_t* inputs, std::size_t count, bool parents,
                    std::uint64_t firstChunk, std::uint8_t* cvs) {
    Blake3ManyLanes<Avx2Lanes>(inputs, count, parents, firstChunk, cvs, Blake3ManySse41);
}

}  // namespace tessik
