#include "digest/string_hashes.h"

#include <array>
#include <bit>

namespace tessik {
namespace {

constexpr std::uint32_t kDjbStart = 5381;
constexpr std::uint32_t kJsStart = 0x4E67C6A7;
constexpr std::uint32_t kRsFirstFactor = 63689;
constexpr std::uint32_t kRsFactorStep = 378551;
constexpr std::uint32_t kResultMask = 0x7FFFFFFF;

// Bytes per unrolled block: the block forms below fold this many bytes with one step of the
// chain through h, so the per-byte work runs in parallel.
constexpr std::size_t kBlock = 8;

// The byte as a signed 8-bit value widened with its sign: 80-FF become FFFFFF80-FFFFFFFF.
constexpr std::uint32_t Widen(std::uint8_t byte) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(byte)));
}

constexpr std::uint32_t Power(std::uint32_t base, std::size_t exponent) {
    std::uint32_t result = 1;
    for (; exponent > 0; --exponent) result *= base;
    return result;
}

// Sum of j for j from 0 to kBlock - 1, and from k + 1 to kBlock - 1.
constexpr std::size_t kBlockSteps = (kBlock - 1) * kBlock / 2;
constexpr std::size_t StepsAfter(std::size_t k) {
    return kBlockSteps - k * (k + 1) / 2;
}

// One 32-bit word per byte of a block: weights, or widened bytes.
using BlockWords = std::array<std::uint32_t, kBlock>;

template <typename WeightOfByte>
constexpr BlockWords MakeWeights(WeightOfByte weightOf) {
    BlockWords weights{};
    for (std::size_t k = 0; k < kBlock; ++k) weights[k] = weightOf(k);
    return weights;
}

// Sum of every byte of a block times its weight.
inline std::uint32_t WeightedSum(const std::uint8_t* p, const BlockWords& weights) {
    std::uint32_t sum = 0;
#pragma GCC unroll 8
    for (std::size_t k = 0; k < kBlock; ++k) sum += Widen(p[k]) * weights[k];
    return sum;
}

// h = h * M + b. A block folds as h * M^8 + sum of b_k * M^(7-k).
template <std::uint32_t M>
std::uint32_t FoldMultiplyAdd(std::uint32_t h, const std::uint8_t* p, std::size_t n) {
    static constexpr BlockWords kWeights =
        MakeWeights([](std::size_t k) { return Power(M, kBlock - 1 - k); });
    constexpr std::uint32_t kCarry = Power(M, kBlock);
    for (; n >= kBlock; p += kBlock, n -= kBlock) h = h * kCarry + WeightedSum(p, kWeights);
    for (; n > 0; ++p, --n) h = h * M + Widen(*p);
    return h;
}

// h = h * a + b, then a = a * c. In a block that starts with factor a, byte k is weighted by
// the product of the later factors, a^(7-k) * c^StepsAfter(k), and h by a^8 * c^28. From one
// block to the next a grows by c^8, so every weight grows by its own constant.
void FoldRs(std::uint32_t& value, std::uint32_t& factor, const std::uint8_t* p, std::size_t n) {
    constexpr std::uint32_t c = kRsFactorStep;
    // Locals, because a store through the references could alias the input bytes.
    std::uint32_t h = value;
    std::uint32_t a = factor;
    if (n >= kBlock) {
        static constexpr BlockWords kStepPowers =
            MakeWeights([](std::size_t k) { return Power(c, StepsAfter(k)); });
        static constexpr BlockWords kGrowth =
            MakeWeights([](std::size_t k) { return Power(c, kBlock * (kBlock - 1 - k)); });
        std::array<std::uint32_t, kBlock + 1> powersOfA{};
        powersOfA[0] = 1;
        for (std::size_t m = 1; m <= kBlock; ++m) powersOfA[m] = powersOfA[m - 1] * a;
        BlockWords weights{};
        for (std::size_t k = 0; k < kBlock; ++k) {
            weights[k] = powersOfA[kBlock - 1 - k] * kStepPowers[k];
        }
        std::uint32_t carry = powersOfA[kBlock] * Power(c, kBlockSteps);
        constexpr std::uint32_t kCarryGrowth = Power(c, kBlock * kBlock);
        constexpr std::uint32_t kFactorGrowth = Power(c, kBlock);
        for (; n >= kBlock; p += kBlock, n -= kBlock) {
            h = h * carry + WeightedSum(p, weights);
#pragma GCC unroll 8
            for (std::size_t k = 0; k < kBlock; ++k) weights[k] *= kGrowth[k];
            carry *= kCarryGrowth;
            a *= kFactorGrowth;
        }
    }
    for (; n > 0; ++p, --n) {
        h = h * a + Widen(*p);
        a *= c;
    }
    value = h;
    factor = a;
}

// h = rotl(h, 5) XOR b is linear over GF(2): a block folds as rotl(h, 40) XOR every byte
// rotated by 5 for each later byte. The starting value is left to the finish.
std::uint32_t FoldDek(std::uint32_t h, const std::uint8_t* p, std::size_t n) {
    for (; n >= kBlock; p += kBlock, n -= kBlock) {
        std::uint32_t mix = 0;
#pragma GCC unroll 8
        for (std::size_t k = 0; k < kBlock; ++k) {
            mix ^= std::rotl(Widen(p[k]), static_cast<int>(5 * (kBlock - 1 - k)));
        }
        h = std::rotl(h, static_cast<int>(5 * kBlock % 32)) ^ mix;
    }
    for (; n > 0; ++p, --n) h = std::rotl(h, 5) ^ Widen(*p);
    return h;
}

constexpr std::uint32_t AkStep(std::uint32_t h, std::uint32_t b, bool oddPosition) {
    return oddPosition ? h ^ ~((h << 11) ^ b ^ (h >> 5)) : h ^ ((h << 7) ^ b ^ (h >> 3));
}

constexpr std::uint32_t AkBlockSteps(std::uint32_t h, const BlockWords& b) {
    for (std::size_t k = 0; k < kBlock; ++k) h = AkStep(h, b[k], k % 2 == 1);
    return h;
}

// AK's steps are shifts and XORs only, affine over GF(2). So a block from an even position is
// the XOR of one table entry per byte of h, one per input byte and a constant (folded into the
// first byte's table): the chain through h is four lookups per block instead of eight steps.
struct AkTables {
    std::array<std::array<std::uint32_t, 256>, 4> ofState;
    std::array<std::array<std::uint32_t, 256>, kBlock> ofByte;
};

constexpr AkTables MakeAkTables() {
    AkTables tables{};
    const BlockWords noBytes{};
    const std::uint32_t constant = AkBlockSteps(0, noBytes);
    for (std::uint32_t v = 0; v < 256; ++v) {
        for (std::size_t j = 0; j < 4; ++j) {
            tables.ofState[j][v] = AkBlockSteps(v << (8 * j), noBytes) ^ constant;
        }
        for (std::size_t k = 0; k < kBlock; ++k) {
            auto bytes = noBytes;
            bytes[k] = Widen(static_cast<std::uint8_t>(v));
            tables.ofByte[k][v] = AkBlockSteps(0, bytes) ^ (k == 0 ? 0 : constant);
        }
    }
    return tables;
}

constexpr AkTables kAkTables = MakeAkTables();

// `position` is the index of the first byte in the whole input: AK alternates by its parity.
std::uint32_t FoldAk(std::uint32_t h, std::uint64_t position, const std::uint8_t* p,
                     std::size_t n) {
    if (n > 0 && position % 2 == 1) {
        h = AkStep(h, Widen(*p), true);
        ++p;
        --n;
    }
    const auto& state = kAkTables.ofState;
    for (; n >= kBlock; p += kBlock, n -= kBlock) {
        std::uint32_t next = state[0][h & 0xFF] ^ state[1][(h >> 8) & 0xFF] ^
                             state[2][(h >> 16) & 0xFF] ^ state[3][h >> 24];
#pragma GCC unroll 8
        for (std::size_t k = 0; k < kBlock; ++k) next ^= kAkTables.ofByte[k][p[k]];
        h = next;
    }
    for (std::size_t k = 0; k < n; ++k) h = AkStep(h, Widen(p[k]), k % 2 == 1);
    return h;
}

// ELF and PJW are one function: both fold the top nibble into bits 4-7 and clear it, so h stays
// below 2^28. Carrying h shifted left by 4 loses nothing and takes one step off each byte.
std::uint32_t FoldElf(std::uint32_t h, const std::uint8_t* p, std::size_t n) {
    std::uint32_t shifted = h << 4;
    for (; n > 0; ++p, --n) {
        const std::uint32_t t = shifted + Widen(*p);
        shifted = (t << 4) ^ ((t >> 20) & 0xF00);
    }
    return shifted >> 4;
}

// Both shifts come straight from h, so the chain from one byte to the next is a shift, two adds
// and the XOR. Folding the byte in before the shift instead, as (h + 4b) >> 2, takes a scaled
// address computation, which some processors (AMD's Zen before Zen 4) run in two cycles.
std::uint32_t FoldJs(std::uint32_t h, const std::uint8_t* p, std::size_t n) {
    for (; n > 0; ++p, --n) h ^= (h << 5) + Widen(*p) + (h >> 2);
    return h;
}

}  // namespace

void StringHashEngine::Restart() {
    WipeState();
    if (hash_ == StringHash::kDjb) state_.value = kDjbStart;
    if (hash_ == StringHash::kJs) state_.value = kJsStart;
    if (hash_ == StringHash::kRs) state_.multiplier = kRsFirstFactor;
}

void StringHashEngine::Update(const std::uint8_t* data, std::size_t length) {
    std::uint32_t& h = state_.value;
    switch (hash_) {
        case StringHash::kAk:
            h = FoldAk(h, state_.length, data, length);
            break;
        case StringHash::kBkdr:
            h = FoldMultiplyAdd<131>(h, data, length);
            break;
        case StringHash::kDek:
            h = FoldDek(h, data, length);
            break;
        case StringHash::kDjb:
            h = FoldMultiplyAdd<33>(h, data, length);
            break;
        case StringHash::kElf:
        case StringHash::kPjw:
            h = FoldElf(h, data, length);
            break;
        case StringHash::kJs:
            h = FoldJs(h, data, length);
            break;
        case StringHash::kRs:
            FoldRs(h, state_.multiplier, data, length);
            break;
        case StringHash::kSdbm:
            h = FoldMultiplyAdd<65599>(h, data, length);
            break;
    }
    state_.length += length;
}

std::uint32_t StringHashEngine::Value() const {
    std::uint32_t h = state_.value;
    if (hash_ == StringHash::kDek) {
        // DEK starts from the length n (modulo 2^32); after n rotations by 5 that start has
        // turned by 5n bits, and linearity lets it join now.
        const auto start = static_cast<std::uint32_t>(state_.length);
        h ^= std::rotl(start, static_cast<int>(state_.length % 32 * 5 % 32));
    }
    return h & kResultMask;
}

void StringHashEngine::Finish(std::uint8_t* digest) {
    const std::uint32_t value = Value();
    for (int i = 0; i < 4; ++i) digest[i] = static_cast<std::uint8_t>(value >> (8 * i));
    Restart();
}

}  // namespace tessik
