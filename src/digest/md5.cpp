#include "digest/md5.h"

#include <bit>

#include "digest/byte_order.h"
#include "digest/digest_kernels.h"
#include "digest/md5_constants.h"

namespace tessik {
namespace {

constexpr std::size_t kBlockSize = 64;

// In every step `b` is the value the previous step produced, so each function is arranged to
// touch `b` as late as possible: the rest of the sum is ready before `b` is.
[[gnu::always_inline]] inline std::uint32_t StepF(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                                  std::uint32_t d, std::uint32_t word, int shift) {
    return b + std::rotl(a + word + (d ^ (b & (c ^ d))), shift);
}

// (b AND d) OR (c AND NOT d) as a sum of two disjoint bit sets; only the last add waits for b.
[[gnu::always_inline]] inline std::uint32_t StepG(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                                  std::uint32_t d, std::uint32_t word, int shift) {
    return b + std::rotl(a + word + (~d & c) + (d & b), shift);
}

[[gnu::always_inline]] inline std::uint32_t StepH(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                                  std::uint32_t d, std::uint32_t word, int shift) {
    return b + std::rotl(a + word + ((c ^ d) ^ b), shift);
}

[[gnu::always_inline]] inline std::uint32_t StepI(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                                  std::uint32_t d, std::uint32_t word, int shift) {
    return b + std::rotl(a + word + (c ^ (b | ~d)), shift);
}

}  // namespace

void Md5BlocksPortable(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (; blockCount > 0; --blockCount, data += kBlockSize) {
        std::uint32_t x[16];
        for (int i = 0; i < 16; ++i) x[i] = LoadLe32(data + 4 * i);
        const std::uint32_t aa = a, bb = b, cc = c, dd = d;

        a = StepF(a, b, c, d, x[0] + kMd5StepConstants[0], 7);
        d = StepF(d, a, b, c, x[1] + kMd5StepConstants[1], 12);
        c = StepF(c, d, a, b, x[2] + kMd5StepConstants[2], 17);
        b = StepF(b, c, d, a, x[3] + kMd5StepConstants[3], 22);
        a = StepF(a, b, c, d, x[4] + kMd5StepConstants[4], 7);
        d = StepF(d, a, b, c, x[5] + kMd5StepConstants[5], 12);
        c = StepF(c, d, a, b, x[6] + kMd5StepConstants[6], 17);
        b = StepF(b, c, d, a, x[7] + kMd5StepConstants[7], 22);
        a = StepF(a, b, c, d, x[8] + kMd5StepConstants[8], 7);
        d = StepF(d, a, b, c, x[9] + kMd5StepConstants[9], 12);
        c = StepF(c, d, a, b, x[10] + kMd5StepConstants[10], 17);
        b = StepF(b, c, d, a, x[11] + kMd5StepConstants[11], 22);
        a = StepF(a, b, c, d, x[12] + kMd5StepConstants[12], 7);
        d = StepF(d, a, b, c, x[13] + kMd5StepConstants[13], 12);
        c = StepF(c, d, a, b, x[14] + kMd5StepConstants[14], 17);
        b = StepF(b, c, d, a, x[15] + kMd5StepConstants[15], 22);

        a = StepG(a, b, c, d, x[1] + kMd5StepConstants[16], 5);
        d = StepG(d, a, b, c, x[6] + kMd5StepConstants[17], 9);
        c = StepG(c, d, a, b, x[11] + kMd5StepConstants[18], 14);
        b = StepG(b, c, d, a, x[0] + kMd5StepConstants[19], 20);
        a = StepG(a, b, c, d, x[5] + kMd5StepConstants[20], 5);
        d = StepG(d, a, b, c, x[10] + kMd5StepConstants[21], 9);
        c = StepG(c, d, a, b, x[15] + kMd5StepConstants[22], 14);
        b = StepG(b, c, d, a, x[4] + kMd5StepConstants[23], 20);
        a = StepG(a, b, c, d, x[9] + kMd5StepConstants[24], 5);
        d = StepG(d, a, b, c, x[14] + kMd5StepConstants[25], 9);
        c = StepG(c, d, a, b, x[3] + kMd5StepConstants[26], 14);
        b = StepG(b, c, d, a, x[8] + kMd5StepConstants[27], 20);
        a = StepG(a, b, c, d, x[13] + kMd5StepConstants[28], 5);
        d = StepG(d, a, b, c, x[2] + kMd5StepConstants[29], 9);
        c = StepG(c, d, a, b, x[7] + kMd5StepConstants[30], 14);
        b = StepG(b, c, d, a, x[12] + kMd5StepConstants[31], 20);

        a = StepH(a, b, c, d, x[5] + kMd5StepConstants[32], 4);
        d = StepH(d, a, b, c, x[8] + kMd5StepConstants[33], 11);
        c = StepH(c, d, a, b, x[11] + kMd5StepConstants[34], 16);
        b = StepH(b, c, d, a, x[14] + kMd5StepConstants[35], 23);
        a = StepH(a, b, c, d, x[1] + kMd5StepConstants[36], 4);
        d = StepH(d, a, b, c, x[4] + kMd5StepConstants[37], 11);
        c = StepH(c, d, a, b, x[7] + kMd5StepConstants[38], 16);
        b = StepH(b, c, d, a, x[10] + kMd5StepConstants[39], 23);
        a = StepH(a, b, c, d, x[13] + kMd5StepConstants[40], 4);
        d = StepH(d, a, b, c, x[0] + kMd5StepConstants[41], 11);
        c = StepH(c, d, a, b, x[3] + kMd5StepConstants[42], 16);
        b = StepH(b, c, d, a, x[6] + kMd5StepConstants[43], 23);
        a = StepH(a, b, c, d, x[9] + kMd5StepConstants[44], 4);
        d = StepH(d, a, b, c, x[12] + kMd5StepConstants[45], 11);
        c = StepH(c, d, a, b, x[15] + kMd5StepConstants[46], 16);
        b = StepH(b, c, d, a, x[2] + kMd5StepConstants[47], 23);

        a = StepI(a, b, c, d, x[0] + kMd5StepConstants[48], 6);
        d = StepI(d, a, b, c, x[7] + kMd5StepConstants[49], 10);
        c = StepI(c, d, a, b, x[14] + kMd5StepConstants[50], 15);
        b = StepI(b, c, d, a, x[5] + kMd5StepConstants[51], 21);
        a = StepI(a, b, c, d, x[12] + kMd5StepConstants[52], 6);
        d = StepI(d, a, b, c, x[3] + kMd5StepConstants[53], 10);
        c = StepI(c, d, a, b, x[10] + kMd5StepConstants[54], 15);
        b = StepI(b, c, d, a, x[1] + kMd5StepConstants[55], 21);
        a = StepI(a, b, c, d, x[8] + kMd5StepConstants[56], 6);
        d = StepI(d, a, b, c, x[15] + kMd5StepConstants[57], 10);
        c = StepI(c, d, a, b, x[6] + kMd5StepConstants[58], 15);
        b = StepI(b, c, d, a, x[13] + kMd5StepConstants[59], 21);
        a = StepI(a, b, c, d, x[4] + kMd5StepConstants[60], 6);
        d = StepI(d, a, b, c, x[11] + kMd5StepConstants[61], 10);
        c = StepI(c, d, a, b, x[2] + kMd5StepConstants[62], 15);
        b = StepI(b, c, d, a, x[9] + kMd5StepConstants[63], 21);

        a += aa;
        b += bb;
        c += cc;
        d += dd;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
    state[3] = d;
}

void Md5Engine::Restart() {
    // The starting words MD5 took over from MD4.
    Start({0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476});
}

Block64Kernel Md5Engine::ActiveKernel() const {
    return ActiveDigestKernels().md5;
}

}  // namespace tessik
