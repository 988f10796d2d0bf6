#include "digest/md2.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "digest/block_buffer.h"

namespace tessik {
namespace {

constexpr std::size_t kBlockSize = 16;

// The permutation of 0-255 that a shuffle driven by the decimal digits of pi produces.
// clang-format off
constexpr std::uint8_t kPiSubstitution[256] = {
     41,  46,  67, 201, 162, 216, 124,   1,  61,  54,  84, 161, 236, 240,   6,  19,
     98, 167,   5, 243, 192, 199, 115, 140, 152, 147,  43, 217, 188,  76, 130, 202,
     30, 155,  87,  60, 253, 212, 224,  22, 103,  66, 111,  24, 138,  23, 229,  18,
    190,  78, 196, 214, 218, 158, 222,  73, 160, 251, 245, 142, 187,  47, 238, 122,
    169, 104, 121, 145,  21, 178,   7,  63, 148, 194,  16, 137,  11,  34,  95,  33,
    128, 127,  93, 154,  90, 144,  50,  39,  53,  62, 204, 231, 191, 247, 151,   3,
    255,  25,  48, 179,  72, 165, 181, 209, 215,  94, 146,  42, 172,  86, 170, 198,
     79, 184,  56, 210, 150, 164, 125, 182, 118, 252, 107, 226, 156, 116,   4, 241,
     69, 157, 112,  89, 100, 113, 135,  32, 134,  91, 207, 101, 230,  45, 168,   2,
     27,  96,  37, 173, 174, 176, 185, 246,  28,  70,  97, 105,  52,  64, 126,  15,
     85,  71, 163,  35, 221,  81, 175,  58, 195,  92, 249, 206, 186, 197, 234,  38,
     44,  83,  13, 110, 133,  40, 132,   9, 211, 223, 205, 244,  65, 129,  77,  82,
    106, 220,  55, 200, 108, 193, 171, 250,  36, 225, 123,   8,  12, 189, 177,  74,
    120, 136, 149, 139, 227,  99, 232, 109, 233, 203, 213, 254,  59,   0,  29,  57,
    242, 239, 183,  14, 102,  88, 208, 228, 166, 119, 114, 248, 235, 117,  75,  10,
     49,  68,  80, 180, 143, 237,  31,  26, 219, 153, 141,  51, 159,  17, 131,  20,
};
// clang-format on

// The state works in a local copy of 32-bit cells: no store to it can alias the input, and the
// 864 dependent table look-ups per block run as one tight chain with no byte merging. (Fully
// unrolling the 48-step loop measured slower: the compiler then spills the cells one by one.)
void Md2Blocks(Md2State& context, const std::uint8_t* data, std::size_t blockCount) {
    std::uint32_t x[48];
    std::copy(std::begin(context.state), std::end(context.state), x);
    std::uint32_t last = context.checksum[15];
    for (; blockCount > 0; --blockCount, data += kBlockSize) {
        for (std::size_t j = 0; j < 16; ++j) {
            x[16 + j] = data[j];
            x[32 + j] = data[j] ^ x[j];
        }
        std::uint32_t t = 0;
        for (std::uint32_t round = 0; round < 18; ++round) {
            for (std::size_t k = 0; k < 48; ++k) t = x[k] ^= kPiSubstitution[t];
            t = (t + round) & 0xFF;
        }
        for (std::size_t j = 0; j < 16; ++j) {
            last = context.checksum[j] ^= kPiSubstitution[data[j] ^ last];
        }
    }
    std::copy(std::begin(x), std::end(x), context.state);
}

}  // namespace

void Md2Engine::Restart() {
    WipeState();
}

void Md2Engine::Update(const std::uint8_t* data, std::size_t length) {
    state_.fill = AbsorbThroughBuffer<kBlockSize>(
        state_.block, state_.fill, data, length,
        [this](const std::uint8_t* blocks, std::size_t count) { Md2Blocks(state_, blocks, count); });
}

void Md2Engine::Finish(std::uint8_t* digest) {
    const std::size_t pad = kBlockSize - state_.fill;
    std::memset(state_.block + state_.fill, static_cast<int>(pad), pad);
    Md2Blocks(state_, state_.block, 1);
    // The checksum block is copied first: transforming it also rewrites the checksum.
    std::memcpy(state_.block, state_.checksum, kBlockSize);
    Md2Blocks(state_, state_.block, 1);
    std::memcpy(digest, state_.state, 16);
    Restart();
}

}  // namespace tessik
