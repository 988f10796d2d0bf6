#pragma once
// BLAKE3's compression function written once over any word type: a plain 32-bit word for one
// block at a time, or a vector whose lanes each hold the same word of a different input, so
// that every lane runs its own compression in step with the others. A word type brings its own
// rotations (a byte shuffle rotates by 8 and 16 where the instruction set has no rotate).
//
// Included only by the files that build a kernel for their extensions. Everything here has
// internal linkage, so no copy built for one set of extensions can stand in for another's.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace tessik {
namespace {

inline constexpr std::uint32_t kBlake3Iv[8] = {0x6A09E667, 0xBB67AE85, 0x3C6EF372, 0xA54FF53A,
                                               0x510E527F, 0x9B05688C, 0x1F83D9AB, 0x5BE0CD19};

inline constexpr std::size_t kBlake3BlockBytes = 64;
inline constexpr std::size_t kBlake3ChunkBytes = 1024;
inline constexpr std::size_t kBlake3BlocksPerChunk = kBlake3ChunkBytes / kBlake3BlockBytes;

// The domain flags of a compression.
inline constexpr std::uint32_t kChunkStart = 1;
inline constexpr std::uint32_t kChunkEnd = 2;
inline constexpr std::uint32_t kParent = 4;
inline constexpr std::uint32_t kRoot = 8;

// Which message word each step of each round takes: round r reads the words the message
// permutation has moved there r times, so the words themselves never move.
constexpr std::array<std::array<std::uint8_t, 16>, 7> MessageSchedule() {
    constexpr std::uint8_t kPermutation[16] = {2, 6,  3,  10, 7, 0,  4,  13,
                                               1, 11, 12, 5,  9, 14, 15, 8};
    std::array<std::array<std::uint8_t, 16>, 7> schedule{};
    for (std::uint8_t i = 0; i < 16; ++i) schedule[0][i] = i;
    for (std::size_t r = 1; r < 7; ++r) {
        for (std::size_t i = 0; i < 16; ++i) schedule[r][i] = schedule[r - 1][kPermutation[i]];
    }
    return schedule;
}
inline constexpr auto kBlake3Schedule = MessageSchedule();

// The rotations of a plain word.
struct ScalarWords {
    template <int kBy>
    [[gnu::always_inline]] static std::uint32_t Rotr(std::uint32_t x) {
        return std::rotr(x, kBy);
    }
};

template <typename Ops, typename Word>
[[gnu::always_inline]] inline void Mix(Word* v, int a, int b, int c, int d, Word x, Word y) {
    v[a] = v[a] + v[b] + x;
    v[d] = Ops::template Rotr<16>(v[d] ^ v[a]);
    v[c] = v[c] + v[d];
    v[b] = Ops::template Rotr<12>(v[b] ^ v[c]);
    v[a] = v[a] + v[b] + y;
    v[d] = Ops::template Rotr<8>(v[d] ^ v[a]);
    v[c] = v[c] + v[d];
    v[b] = Ops::template Rotr<7>(v[b] ^ v[c]);
}

template <typename Ops, std::size_t kRound, typename Word>
[[gnu::always_inline]] inline void Round(Word* v, const Word* m) {
    constexpr auto& s = kBlake3Schedule[kRound];
    Mix<Ops>(v, 0, 4, 8, 12, m[s[0]], m[s[1]]);
    Mix<Ops>(v, 1, 5, 9, 13, m[s[2]], m[s[3]]);
    Mix<Ops>(v, 2, 6, 10, 14, m[s[4]], m[s[5]]);
    Mix<Ops>(v, 3, 7, 11, 15, m[s[6]], m[s[7]]);
    Mix<Ops>(v, 0, 5, 10, 15, m[s[8]], m[s[9]]);
    Mix<Ops>(v, 1, 6, 11, 12, m[s[10]], m[s[11]]);
    Mix<Ops>(v, 2, 7, 8, 13, m[s[12]], m[s[13]]);
    Mix<Ops>(v, 3, 4, 9, 14, m[s[14]], m[s[15]]);
}

// The seven rounds over the state v (chaining value, IV words, counter, block length, flags).
template <typename Ops, typename Word>
[[gnu::always_inline]] inline void Blake3Rounds(Word* v, const Word* m) {
    Round<Ops, 0>(v, m);
    Round<Ops, 1>(v, m);
    Round<Ops, 2>(v, m);
    Round<Ops, 3>(v, m);
    Round<Ops, 4>(v, m);
    Round<Ops, 5>(v, m);
    Round<Ops, 6>(v, m);
}

}  // namespace
}  // namespace tessik
