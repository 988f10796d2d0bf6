#include "digest/keccak_f1600.h"

#include <array>
#include <bit>

#include "digest/byte_order.h"

namespace tessik {
namespace {

constexpr int kRounds = 24;

// Iota's constants: bit 2^j - 1 of constant i is output 7i + j of the LFSR with polynomial
// x^8 + x^6 + x^5 + x^4 + 1, started at 1.
constexpr std::array<std::uint64_t, kRounds> MakeRoundConstants() {
    std::array<std::uint64_t, kRounds> constants{};
    std::uint8_t lfsr = 1;
    for (int round = 0; round < kRounds; ++round) {
        for (int j = 0; j < 7; ++j) {
            if (lfsr & 1) constants[round] |= std::uint64_t{1} << ((1 << j) - 1);
            lfsr = static_cast<std::uint8_t>((lfsr << 1) ^ ((lfsr & 0x80) ? 0x71 : 0));
        }
    }
    return constants;
}

// Rho and pi folded together: output lane X + 5Y of pi is input lane ((X + 3Y) mod 5) + 5X,
// rotated by rho's offset for that input lane.
struct LaneMap {
    std::array<int, 25> source{};
    std::array<int, 25> rotation{};
};

constexpr LaneMap MakeLaneMap() {
    std::array<int, 25> offset{};
    for (int t = 0, x = 1, y = 0; t < 24; ++t) {
        offset[x + 5 * y] = (t + 1) * (t + 2) / 2 % 64;
        const int nextY = (2 * x + 3 * y) % 5;
        x = y;
        y = nextY;
    }
    LaneMap map;
    for (int x = 0; x < 5; ++x) {
        for (int y = 0; y < 5; ++y) {
            const int source = (x + 3 * y) % 5 + 5 * x;
            map.source[x + 5 * y] = source;
            map.rotation[x + 5 * y] = offset[source];
        }
    }
    return map;
}

constexpr auto kRoundConstants = MakeRoundConstants();
constexpr auto kLaneMap = MakeLaneMap();

// Theta's column effects d are already computed; builds one row of pi's output and applies
// chi to it.
template <int kRow>
[[gnu::always_inline]] inline void RhoPiChiRow(const std::uint64_t* in, const std::uint64_t* d,
                                               std::uint64_t* out) {
    std::uint64_t b[5];
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) {
        const int source = kLaneMap.source[x + 5 * kRow];
        b[x] = std::rotl(in[source] ^ d[source % 5], kLaneMap.rotation[x + 5 * kRow]);
    }
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) out[x + 5 * kRow] = b[x] ^ (~b[(x + 1) % 5] & b[(x + 2) % 5]);
}

[[gnu::always_inline]] inline void Round(const std::uint64_t* in, std::uint64_t* out,
                                         std::uint64_t roundConstant) {
    std::uint64_t c[5], d[5];
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) c[x] = in[x] ^ in[x + 5] ^ in[x + 10] ^ in[x + 15] ^ in[x + 20];
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) d[x] = c[(x + 4) % 5] ^ std::rotl(c[(x + 1) % 5], 1);
    RhoPiChiRow<0>(in, d, out);
    RhoPiChiRow<1>(in, d, out);
    RhoPiChiRow<2>(in, d, out);
    RhoPiChiRow<3>(in, d, out);
    RhoPiChiRow<4>(in, d, out);
    out[0] ^= roundConstant;
}

// Rounds alternate between two sets of locals, so no round copies its result back.
[[gnu::always_inline]] inline void Permute(std::uint64_t* lanes) {
    std::uint64_t a[25], e[25];
#pragma GCC unroll 25
    for (int i = 0; i < 25; ++i) a[i] = lanes[i];
    for (int round = 0; round < kRounds; round += 2) {
        Round(a, e, kRoundConstants[round]);
        Round(e, a, kRoundConstants[round + 1]);
    }
#pragma GCC unroll 25
    for (int i = 0; i < 25; ++i) lanes[i] = a[i];
}

}  // namespace

void KeccakF1600(std::uint64_t lanes[25]) {
    Permute(lanes);
}

void KeccakAbsorbBlocks(std::uint64_t lanes[25], const std::uint8_t* data, std::size_t blockCount,
                        std::size_t rateLanes) {
    for (; blockCount > 0; --blockCount, data += 8 * rateLanes) {
        for (std::size_t i = 0; i < rateLanes; ++i) {
            lanes[i] ^= LoadLe64(data + 8 * i);
        }
        Permute(lanes);
    }
}

}  // namespace tessik
