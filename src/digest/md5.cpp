#include "digest/md5.h"

#include <bit>

#include "digest/block_buffer.h"
#include "digest/byte_order.h"
#include "digest/hex.h"

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

void Md5Blocks(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (; blockCount > 0; --blockCount, data += kBlockSize) {
        std::uint32_t x[16];
        for (int i = 0; i < 16; ++i) x[i] = LoadLe32(data + 4 * i);
        const std::uint32_t aa = a, bb = b, cc = c, dd = d;

        a = StepF(a, b, c, d, x[0] + 0xd76aa478, 7);
        d = StepF(d, a, b, c, x[1] + 0xe8c7b756, 12);
        c = StepF(c, d, a, b, x[2] + 0x242070db, 17);
        b = StepF(b, c, d, a, x[3] + 0xc1bdceee, 22);
        a = StepF(a, b, c, d, x[4] + 0xf57c0faf, 7);
        d = StepF(d, a, b, c, x[5] + 0x4787c62a, 12);
        c = StepF(c, d, a, b, x[6] + 0xa8304613, 17);
        b = StepF(b, c, d, a, x[7] + 0xfd469501, 22);
        a = StepF(a, b, c, d, x[8] + 0x698098d8, 7);
        d = StepF(d, a, b, c, x[9] + 0x8b44f7af, 12);
        c = StepF(c, d, a, b, x[10] + 0xffff5bb1, 17);
        b = StepF(b, c, d, a, x[11] + 0x895cd7be, 22);
        a = StepF(a, b, c, d, x[12] + 0x6b901122, 7);
        d = StepF(d, a, b, c, x[13] + 0xfd987193, 12);
        c = StepF(c, d, a, b, x[14] + 0xa679438e, 17);
        b = StepF(b, c, d, a, x[15] + 0x49b40821, 22);

        a = StepG(a, b, c, d, x[1] + 0xf61e2562, 5);
        d = StepG(d, a, b, c, x[6] + 0xc040b340, 9);
        c = StepG(c, d, a, b, x[11] + 0x265e5a51, 14);
        b = StepG(b, c, d, a, x[0] + 0xe9b6c7aa, 20);
        a = StepG(a, b, c, d, x[5] + 0xd62f105d, 5);
        d = StepG(d, a, b, c, x[10] + 0x02441453, 9);
        c = StepG(c, d, a, b, x[15] + 0xd8a1e681, 14);
        b = StepG(b, c, d, a, x[4] + 0xe7d3fbc8, 20);
        a = StepG(a, b, c, d, x[9] + 0x21e1cde6, 5);
        d = StepG(d, a, b, c, x[14] + 0xc33707d6, 9);
        c = StepG(c, d, a, b, x[3] + 0xf4d50d87, 14);
        b = StepG(b, c, d, a, x[8] + 0x455a14ed, 20);
        a = StepG(a, b, c, d, x[13] + 0xa9e3e905, 5);
        d = StepG(d, a, b, c, x[2] + 0xfcefa3f8, 9);
        c = StepG(c, d, a, b, x[7] + 0x676f02d9, 14);
        b = StepG(b, c, d, a, x[12] + 0x8d2a4c8a, 20);

        a = StepH(a, b, c, d, x[5] + 0xfffa3942, 4);
        d = StepH(d, a, b, c, x[8] + 0x8771f681, 11);
        c = StepH(c, d, a, b, x[11] + 0x6d9d6122, 16);
        b = StepH(b, c, d, a, x[14] + 0xfde5380c, 23);
        a = StepH(a, b, c, d, x[1] + 0xa4beea44, 4);
        d = StepH(d, a, b, c, x[4] + 0x4bdecfa9, 11);
        c = StepH(c, d, a, b, x[7] + 0xf6bb4b60, 16);
        b = StepH(b, c, d, a, x[10] + 0xbebfbc70, 23);
        a = StepH(a, b, c, d, x[13] + 0x289b7ec6, 4);
        d = StepH(d, a, b, c, x[0] + 0xeaa127fa, 11);
        c = StepH(c, d, a, b, x[3] + 0xd4ef3085, 16);
        b = StepH(b, c, d, a, x[6] + 0x04881d05, 23);
        a = StepH(a, b, c, d, x[9] + 0xd9d4d039, 4);
        d = StepH(d, a, b, c, x[12] + 0xe6db99e5, 11);
        c = StepH(c, d, a, b, x[15] + 0x1fa27cf8, 16);
        b = StepH(b, c, d, a, x[2] + 0xc4ac5665, 23);

        a = StepI(a, b, c, d, x[0] + 0xf4292244, 6);
        d = StepI(d, a, b, c, x[7] + 0x432aff97, 10);
        c = StepI(c, d, a, b, x[14] + 0xab9423a7, 15);
        b = StepI(b, c, d, a, x[5] + 0xfc93a039, 21);
        a = StepI(a, b, c, d, x[12] + 0x655b59c3, 6);
        d = StepI(d, a, b, c, x[3] + 0x8f0ccc92, 10);
        c = StepI(c, d, a, b, x[10] + 0xffeff47d, 15);
        b = StepI(b, c, d, a, x[1] + 0x85845dd1, 21);
        a = StepI(a, b, c, d, x[8] + 0x6fa87e4f, 6);
        d = StepI(d, a, b, c, x[15] + 0xfe2ce6e0, 10);
        c = StepI(c, d, a, b, x[6] + 0xa3014314, 15);
        b = StepI(b, c, d, a, x[13] + 0x4e0811a1, 21);
        a = StepI(a, b, c, d, x[4] + 0xf7537e82, 6);
        d = StepI(d, a, b, c, x[11] + 0xbd3af235, 10);
        c = StepI(c, d, a, b, x[2] + 0x2ad7d2bb, 15);
        b = StepI(b, c, d, a, x[9] + 0xeb86d391, 21);

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

// The compression step in the shape the block buffer calls it.
auto CompressorFor(Md5Context& context) {
    return [&context](const std::uint8_t* blocks, std::size_t count) {
        Md5Blocks(context.state, blocks, count);
    };
}

}  // namespace

void Md5Init(Md5Context& context) {
    context.state[0] = 0x67452301;
    context.state[1] = 0xefcdab89;
    context.state[2] = 0x98badcfe;
    context.state[3] = 0x10325476;
    context.fill = 0;
}

void Md5Update(Md5Context& context, const std::uint8_t* data, std::size_t length) {
    context.fill = AbsorbThroughBuffer<kBlockSize>(context.buffer, context.fill, data, length,
                                                   CompressorFor(context));
}

void Md5Finish(Md5Context& context, std::uint64_t totalBytes, std::uint8_t digest[16]) {
    std::uint8_t encodedLength[8];
    StoreLe64(totalBytes << 3, encodedLength);
    PadFinalBlock<kBlockSize, 8>(context.buffer, context.fill, encodedLength,
                                 CompressorFor(context));
    for (int i = 0; i < 4; ++i) StoreLe32(context.state[i], digest + 4 * i);
}

std::array<std::uint8_t, 16> Md5Digest(const std::uint8_t* data, std::size_t length) {
    Md5Context context;
    Md5Init(context);
    Md5Update(context, data, length);
    std::array<std::uint8_t, 16> digest;
    Md5Finish(context, length, digest.data());
    return digest;
}

std::string Md5Hex(const std::uint8_t* data, std::size_t length) {
    const auto digest = Md5Digest(data, length);
    return HexDigest(digest.data(), digest.size());
}

}  // namespace tessik
