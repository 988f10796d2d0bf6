#pragma once
// The constants of Keccak-f[1600] (FIPS 202) that every form of the permutation shares, derived
// at compile time. Plain arrays and compile-time functions only, so a fast-path file compiled
// for its own extensions may include this header: nothing here is ever emitted as code.

#include <cstdint>

namespace tessik::keccak {

inline constexpr int kRounds = 24;

struct RoundConstants {
    std::uint64_t values[kRounds];
};

// Iota's constants: bit 2^j - 1 of constant i is output 7i + j of the LFSR with polynomial
// x^8 + x^6 + x^5 + x^4 + 1, started at 1.
consteval RoundConstants MakeRoundConstants() {
    RoundConstants constants{};
    std::uint8_t lfsr = 1;
    for (int round = 0; round < kRounds; ++round) {
        for (int j = 0; j < 7; ++j) {
            if (lfsr & 1) constants.values[round] |= std::uint64_t{1} << ((1 << j) - 1);
            lfsr = static_cast<std::uint8_t>((lfsr << 1) ^ ((lfsr & 0x80) ? 0x71 : 0));
        }
    }
    return constants;
}

// One number per lane x + 5y.
struct LaneTable {
    int values[25];
};

// Rho's rotation of each lane x + 5y: lane (1, 0) moves along (x, y) -> (y, 2x + 3y), the t-th
// lane on that path rotating by (t + 1)(t + 2) / 2.
consteval LaneTable MakeRhoOffsets() {
    LaneTable offsets{};
    for (int t = 0, x = 1, y = 0; t < 24; ++t) {
        offsets.values[x + 5 * y] = (t + 1) * (t + 2) / 2 % 64;
        const int nextY = (2 * x + 3 * y) % 5;
        x = y;
        y = nextY;
    }
    return offsets;
}

// Pi: output lane X + 5Y is input lane ((X + 3Y) mod 5) + 5X.
consteval LaneTable MakePiSources() {
    LaneTable sources{};
    for (int out = 0; out < 25; ++out) {
        sources.values[out] = (out % 5 + 3 * (out / 5)) % 5 + 5 * (out % 5);
    }
    return sources;
}

inline constexpr RoundConstants kRoundConstants = MakeRoundConstants();
inline constexpr LaneTable kRhoOffsets = MakeRhoOffsets();
inline constexpr LaneTable kPiSources = MakePiSources();

}  // namespace tessik::keccak
