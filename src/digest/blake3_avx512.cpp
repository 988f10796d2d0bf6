// BLAKE3 on sixteen inputs at once in 512-bit registers (AVX-512 F), where every rotation is
// one instruction; fewer than sixteen go eight at a time.

// GCC 12 takes the placeholder operands inside its own AVX-512 shuffles for values that may be
// used uninitialised.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#else
#include <immintrin.h>
#endif

#include <bit>

#include "digest/blake3_lanes.h"

namespace tessik {
namespace {

struct Avx512Lanes {
    using Word = std::uint32_t __attribute__((vector_size(64)));
    static constexpr std::size_t kCount = 16;

    template <int kBy>
    [[gnu::always_inline]] static Word Rotr(Word x) {
        return std::bit_cast<Word>(_mm512_ror_epi32(std::bit_cast<__m512i>(x), kBy));
    }

    // Rows of sixteen words become columns: r[j][i] lands in r[i][j]. After the two unpacks,
    // u[4g + w] holds in its 128-bit part p word 4p + w of rows 4g to 4g + 3; the shuffles then
    // gather part p of the four groups.
    [[gnu::always_inline]] static void Transpose(__m512i r[16]) {
        __m512i t[16], u[16];
        for (int i = 0; i < 8; ++i) {
            t[2 * i] = _mm512_unpacklo_epi32(r[2 * i], r[2 * i + 1]);
            t[2 * i + 1] = _mm512_unpackhi_epi32(r[2 * i], r[2 * i + 1]);
        }
        for (int g = 0; g < 4; ++g) {
            u[4 * g] = _mm512_unpacklo_epi64(t[4 * g], t[4 * g + 2]);
            u[4 * g + 1] = _mm512_unpackhi_epi64(t[4 * g], t[4 * g + 2]);
            u[4 * g + 2] = _mm512_unpacklo_epi64(t[4 * g + 1], t[4 * g + 3]);
            u[4 * g + 3] = _mm512_unpackhi_epi64(t[4 * g + 1], t[4 * g + 3]);
        }
        for (int w = 0; w < 4; ++w) {
            const __m512i x0 = _mm512_shuffle_i32x4(u[w], u[4 + w], 0x44);
            const __m512i x1 = _mm512_shuffle_i32x4(u[w], u[4 + w], 0xee);
            const __m512i y0 = _mm512_shuffle_i32x4(u[8 + w], u[12 + w], 0x44);
            const __m512i y1 = _mm512_shuffle_i32x4(u[8 + w], u[12 + w], 0xee);
            r[w] = _mm512_shuffle_i32x4(x0, y0, 0x88);
            r[4 + w] = _mm512_shuffle_i32x4(x0, y0, 0xdd);
            r[8 + w] = _mm512_shuffle_i32x4(x1, y1, 0x88);
            r[12 + w] = _mm512_shuffle_i32x4(x1, y1, 0xdd);
        }
    }

    [[gnu::always_inline]] static void LoadBlock(const std::uint8_t* first, std::size_t stride,
                                                 Word m[16]) {
        __m512i r[16];
        for (int lane = 0; lane < 16; ++lane) r[lane] = _mm512_loadu_si512(first + lane * stride);
        Transpose(r);
        for (int i = 0; i < 16; ++i) m[i] = std::bit_cast<Word>(r[i]);
    }

    [[gnu::always_inline]] static void StoreCvs(const Word h[8], std::uint8_t* out) {
        __m512i r[16];
        for (int i = 0; i < 8; ++i) r[i] = std::bit_cast<__m512i>(h[i]);
        for (int i = 8; i < 16; ++i) r[i] = _mm512_setzero_si512();
        Transpose(r);
        for (int lane = 0; lane < 16; ++lane) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32 * lane),
                                _mm512_castsi512_si256(r[lane]));
        }
    }
};

}  // namespace

void Blake3ManyAvx512(const std::uint8_t* inputs, std::size_t count, bool parents,
                      std::uint64_t firstChunk, std::uint8_t* cvs) {
    Blake3ManyLanes<Avx512Lanes>(inputs, count, parents, firstChunk, cvs, Blake3ManyAvx2);
}

}  // namespace tessik
