#include "digest/md4.h"

#include <bit>

#include "digest/byte_order.h"
#include "digest/digest_kernels.h"

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

// Majority as a sum of two disjoint bit sets: where y and z agree, and where they differ and x
// decides. `x` is the word the previous step produced; it takes a single operation before the
// sum, so a step waits three operations for its predecessor instead of four.
[[gnu::always_inline]] inline std::uint32_t Majority(std::uint32_t x, std::uint32_t y,
                                                     std::uint32_t z) {
    return (y & z) + (x & (y ^ z));
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

}  // namespace

void Md4BlocksPortable(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount) {
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

void Md4Engine::Restart() {
    // RFC 1320's starting words, which MD5 took over.
    Start({0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476});
}

Block64Kernel Md4Engine::ActiveKernel() const {
    return ActiveDigestKernels().md4;
}

}  // namespace tessik
