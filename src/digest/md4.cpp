#include "digest/md4.h"

#include <bit>

#include "digest/block_buffer.h"
#include "digest/byte_order.h"
#include "digest/hex.h"
#include "digest/wipe.h"

namespace tessik {
namespace {

constexpr std::size_t kBlockSize = 64;

// Each helper runs four consecutive steps of one round; the four words are the ones that
// round takes next, and the shifts are the round's own.
[[gnu::always_inline]] inline void Round1Steps(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c,
                                               std::uint32_t& d, std::uint32_t x0, std::uint32_t x1,
                                               std::uint32_t x2, std::uint32_t x3) {
    a = std::rotl(a + (d ^ (b & (c ^ d))) + x0, 3);
    d = std::rotl(d + (c ^ (a & (b ^ c))) + x1, 7);
    c = std::rotl(c + (b ^ (d & (a ^ b))) + x2, 11);
    b = std::rotl(b + (a ^ (c & (d ^ a))) + x3, 19);
}

// Majority written as a sum of two disjoint bit sets, so the adds can be reordered.
[[gnu::always_inline]] inline std::uint32_t Majority(std::uint32_t x, std::uint32_t y,
                                                     std::uint32_t z) {
    return (x & y) + (z & (x ^ y));
}

[[gnu::always_inline]] inline void Round2Steps(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c,
                                               std::uint32_t& d, std::uint32_t x0, std::uint32_t x1,
                                               std::uint32_t x2, std::uint32_t x3) {
    a = std::rotl(a + x0 + 0x5a827999 + Majority(b, c, d), 3);
    d = std::rotl(d + x1 + 0x5a827999 + Majority(a, b, c), 5);
    c = std::rotl(c + x2 + 0x5a827999 + Majority(d, a, b), 9);
    b = std::rotl(b + x3 + 0x5a827999 + Majority(c, d, a), 13);
}

[[gnu::always_inline]] inline void Round3Steps(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c,
                                               std::uint32_t& d, std::uint32_t x0, std::uint32_t x1,
                                               std::uint32_t x2, std::uint32_t x3) {
    a = std::rotl(a + x0 + 0x6ed9eba1 + (b ^ c ^ d), 3);
    d = std::rotl(d + x1 + 0x6ed9eba1 + (a ^ b ^ c), 9);
    c = std::rotl(c + x2 + 0x6ed9eba1 + (d ^ a ^ b), 11);
    b = std::rotl(b + x3 + 0x6ed9eba1 + (c ^ d ^ a), 15);
}

void Md4Blocks(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (; blockCount > 0; --blockCount, data += kBlockSize) {
        std::uint32_t x[16];
        for (int i = 0; i < 16; ++i) x[i] = LoadLe32(data + 4 * i);
        const std::uint32_t aa = a, bb = b, cc = c, dd = d;

        Round1Steps(a, b, c, d, x[0], x[1], x[2], x[3]);
        Round1Steps(a, b, c, d, x[4], x[5], x[6], x[7]);
        Round1Steps(a, b, c, d, x[8], x[9], x[10], x[11]);
        Round1Steps(a, b, c, d, x[12], x[13], x[14], x[15]);

        Round2Steps(a, b, c, d, x[0], x[4], x[8], x[12]);
        Round2Steps(a, b, c, d, x[1], x[5], x[9], x[13]);
        Round2Steps(a, b, c, d, x[2], x[6], x[10], x[14]);
        Round2Steps(a, b, c, d, x[3], x[7], x[11], x[15]);

        Round3Steps(a, b, c, d, x[0], x[8], x[4], x[12]);
        Round3Steps(a, b, c, d, x[2], x[10], x[6], x[14]);
        Round3Steps(a, b, c, d, x[1], x[9], x[5], x[13]);
        Round3Steps(a, b, c, d, x[3], x[11], x[7], x[15]);

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
auto CompressorFor(Md4Context& context) {
    return [&context](const std::uint8_t* blocks, std::size_t count) {
        Md4Blocks(context.state, blocks, count);
    };
}

}  // namespace

void Md4Init(Md4Context& context) {
    context.state[0] = 0x67452301;
    context.state[1] = 0xefcdab89;
    context.state[2] = 0x98badcfe;
    context.state[3] = 0x10325476;
    context.bitCount = 0;
}

void Md4Update(Md4Context& context, const std::uint8_t* data, std::size_t length) {
    const std::size_t fill = (context.bitCount >> 3) % kBlockSize;
    context.bitCount += static_cast<std::uint64_t>(length) << 3;
    AbsorbThroughBuffer<kBlockSize>(context.buffer, fill, data, length, CompressorFor(context));
}

void Md4Finish(Md4Context& context, std::uint8_t digest[16]) {
    std::uint8_t encodedLength[8];
    StoreLe64(context.bitCount, encodedLength);
    PadFinalBlock<kBlockSize, 8>(context.buffer, (context.bitCount >> 3) % kBlockSize,
                                 encodedLength, CompressorFor(context));
    for (int i = 0; i < 4; ++i) StoreLe32(context.state[i], digest + 4 * i);
    Wipe(&context, sizeof context);
}

std::array<std::uint8_t, 16> Md4Digest(const std::uint8_t* data, std::size_t length) {
    Md4Context context;
    Md4Init(context);
    Md4Update(context, data, length);
    std::array<std::uint8_t, 16> digest;
    Md4Finish(context, digest.data());
    return digest;
}

std::string Md4Hex(const std::uint8_t* data, std::size_t length) {
    const auto digest = Md4Digest(data, length);
    return HexDigest(digest.data(), digest.size());
}

}  // namespace tessik
