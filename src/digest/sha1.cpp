#include "digest/sha1.h"

#include <bit>

#include "digest/byte_order.h"
#include "digest/digest_kernels.h"

namespace tessik {
namespace {

constexpr std::size_t kBlockSize = 64;

// Message word i of the current block: the first sixteen are loaded, later ones are expanded
// in place over the sixteen-word window, which is all the schedule ever needs.
[[gnu::always_inline]] inline std::uint32_t Word(std::uint32_t w[16], int i) {
    if (i < 16) return w[i];
    const std::uint32_t word =
        std::rotl(w[(i + 13) & 15] ^ w[(i + 8) & 15] ^ w[(i + 2) & 15] ^ w[i & 15], 1);
    w[i & 15] = word;
    return word;
}

// One step; the caller rotates the roles of a to e instead of moving values. `a` is the value
// the previous step produced, so it enters last.
template <int kRound>
[[gnu::always_inline]] inline void Step(std::uint32_t a, std::uint32_t& b, std::uint32_t c,
                                        std::uint32_t d, std::uint32_t& e, std::uint32_t word) {
    if constexpr (kRound == 0) {
        e += word + 0x5a827999 + (d ^ (b & (c ^ d)));
    } else if constexpr (kRound == 1) {
        e += word + 0x6ed9eba1 + (b ^ c ^ d);
    } else if constexpr (kRound == 2) {
        e += word + 0x8f1bbcdc + ((b & c) + (d & (b ^ c)));  // majority, disjoint halves
    } else {
        e += word + 0xca62c1d6 + (b ^ c ^ d);
    }
    e += std::rotl(a, 5);
    b = std::rotl(b, 30);
}

template <int kRound>
[[gnu::always_inline]] inline void FiveSteps(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c,
                                             std::uint32_t& d, std::uint32_t& e,
                                             std::uint32_t w[16], int i) {
    Step<kRound>(a, b, c, d, e, Word(w, i));
    Step<kRound>(e, a, b, c, d, Word(w, i + 1));
    Step<kRound>(d, e, a, b, c, Word(w, i + 2));
    Step<kRound>(c, d, e, a, b, Word(w, i + 3));
    Step<kRound>(b, c, d, e, a, Word(w, i + 4));
}

}  // namespace

void Sha1BlocksPortable(std::uint32_t state[5], const std::uint8_t* data, std::size_t blockCount) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    for (; blockCount > 0; --blockCount, data += kBlockSize) {
        std::uint32_t w[16];
        for (int i = 0; i < 16; ++i) w[i] = LoadBe32(data + 4 * i);
        const std::uint32_t aa = a, bb = b, cc = c, dd = d, ee = e;

        FiveSteps<0>(a, b, c, d, e, w, 0);
        FiveSteps<0>(a, b, c, d, e, w, 5);
        FiveSteps<0>(a, b, c, d, e, w, 10);
        FiveSteps<0>(a, b, c, d, e, w, 15);
        FiveSteps<1>(a, b, c, d, e, w, 20);
        FiveSteps<1>(a, b, c, d, e, w, 25);
        FiveSteps<1>(a, b, c, d, e, w, 30);
        FiveSteps<1>(a, b, c, d, e, w, 35);
        FiveSteps<2>(a, b, c, d, e, w, 40);
        FiveSteps<2>(a, b, c, d, e, w, 45);
        FiveSteps<2>(a, b, c, d, e, w, 50);
        FiveSteps<2>(a, b, c, d, e, w, 55);
        FiveSteps<3>(a, b, c, d, e, w, 60);
        FiveSteps<3>(a, b, c, d, e, w, 65);
        FiveSteps<3>(a, b, c, d, e, w, 70);
        FiveSteps<3>(a, b, c, d, e, w, 75);

        a += aa;
        b += bb;
        c += cc;
        d += dd;
        e += ee;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
    state[3] = d;
    state[4] = e;
}

void Sha1Engine::Restart() {
    Start({0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476, 0xc3d2e1f0});
}

Block64Kernel Sha1Engine::ActiveKernel() const {
    return ActiveDigestKernels().sha1;
}

}  // namespace tessik
