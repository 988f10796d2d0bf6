#pragma once
// Keccak-f[1600] on 64-bit general registers, for the portable kernel and for the one built
// with BMI1 and BMI2, where chi's and-not becomes one ANDN and every rotate a RORX that leaves
// its source intact.
//
// Included only by the files that build these kernels. Everything here has internal linkage
// and uses nothing inline from elsewhere, so no copy built for one set of extensions can stand
// in for another's.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "digest/keccak_constants.h"

namespace tessik {
namespace {

[[gnu::always_inline]] inline std::uint64_t RotateLaneLeft(std::uint64_t lane, int by) {
    return by == 0 ? lane : (lane << by) | (lane >> (64 - by));
}

[[gnu::always_inline]] inline std::uint64_t LoadLaneLe(const std::uint8_t* bytes) {
    std::uint64_t lane;
    std::memcpy(&lane, bytes, sizeof lane);
    if constexpr (std::endian::native == std::endian::big) lane = __builtin_bswap64(lane);
    return lane;
}

// Rho and pi folded together: output lane i of pi is input lane kPiSources[i], rotated by
// rho's offset for that input lane.
consteval keccak::LaneTable MakePiRotations() {
    keccak::LaneTable rotations{};
    for (int out = 0; out < 25; ++out) {
        rotations.values[out] = keccak::kRhoOffsets.values[keccak::kPiSources.values[out]];
    }
    return rotations;
}

constexpr keccak::LaneTable kPiRotations = MakePiRotations();

// Theta's column effects d are already computed; builds one row of pi's output and applies
// chi to it.
template <int kRow>
[[gnu::always_inline]] inline void RhoPiChiRow(const std::uint64_t* in, const std::uint64_t* d,
                                               std::uint64_t* out) {
    std::uint64_t b[5];
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) {
        const int source = keccak::kPiSources.values[x + 5 * kRow];
        b[x] = RotateLaneLeft(in[source] ^ d[source % 5], kPiRotations.values[x + 5 * kRow]);
    }
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) out[x + 5 * kRow] = b[x] ^ (~b[(x + 1) % 5] & b[(x + 2) % 5]);
}

[[gnu::always_inline]] inline void ScalarRound(const std::uint64_t* in, std::uint64_t* out,
                                               std::uint64_t roundConstant) {
    std::uint64_t c[5], d[5];
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) c[x] = in[x] ^ in[x + 5] ^ in[x + 10] ^ in[x + 15] ^ in[x + 20];
#pragma GCC unroll 5
    for (int x = 0; x < 5; ++x) d[x] = c[(x + 4) % 5] ^ RotateLaneLeft(c[(x + 1) % 5], 1);
    RhoPiChiRow<0>(in, d, out);
    RhoPiChiRow<1>(in, d, out);
    RhoPiChiRow<2>(in, d, out);
    RhoPiChiRow<3>(in, d, out);
    RhoPiChiRow<4>(in, d, out);
    out[0] ^= roundConstant;
}

// Rounds alternate between two sets of locals, so no round copies its result back.
[[gnu::always_inline]] inline void ScalarPermute(std::uint64_t* lanes) {
    std::uint64_t a[25], e[25];
#pragma GCC unroll 25
    for (int i = 0; i < 25; ++i) a[i] = lanes[i];
    for (int round = 0; round < keccak::kRounds; round += 2) {
        ScalarRound(a, e, keccak::kRoundConstants.values[round]);
        ScalarRound(e, a, keccak::kRoundConstants.values[round + 1]);
    }
#pragma GCC unroll 25
    for (int i = 0; i < 25; ++i) lanes[i] = a[i];
}

[[gnu::always_inline]] inline void ScalarAbsorb(std::uint64_t* lanes, const std::uint8_t* data,
                                                std::size_t blockCount, std::size_t rateLanes) {
    for (; blockCount > 0; --blockCount, data += 8 * rateLanes) {
        for (std::size_t i = 0; i < rateLanes; ++i) lanes[i] ^= LoadLaneLe(data + 8 * i);
        ScalarPermute(lanes);
    }
}

}  // namespace
}  // namespace tessik
