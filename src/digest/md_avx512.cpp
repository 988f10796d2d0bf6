// MD4 and MD5 with each working word in a vector register. Every step's boolean function is one
// three-input logic instruction and its rotate one instruction, so a step waits for the value
// before it for four operations (MD4: three) where scalar code needs five. This file is
// compiled for AVX-512 and runs only where the processor and OS support it, so it calls no
// inline function from another header: the linker could keep this file's copy of it, built for
// AVX-512, for callers on any processor.

#include <immintrin.h>

#include <utility>

#include "digest/digest_kernels.h"
#include "digest/md5_constants.h"

namespace tessik {
namespace {

// Truth tables of the step functions of (b, c, d) for the logic instruction.
constexpr int kSelect = 0xca;    // b ? c : d
constexpr int kSelectD = 0xe4;   // d ? b : c
constexpr int kMajority = 0xe8;  // at least two of b, c, d
constexpr int kParity = 0x96;    // b ^ c ^ d
constexpr int kMd5I = 0x39;      // c ^ (b | ~d)

struct Md5Step {
    static constexpr int Word(int step) {
        constexpr int kStart[4] = {0, 1, 5, 0}, kStride[4] = {1, 5, 3, 7};
        return (kStart[step / 16] + kStride[step / 16] * step) % 16;
    }
    static constexpr int Shift(int step) {
        constexpr int kShifts[4][4] = {
            {7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};
        return kShifts[step / 16][step % 4];
    }
    static constexpr int Function(int step) {
        constexpr int kFunctions[4] = {kSelect, kSelectD, kParity, kMd5I};
        return kFunctions[step / 16];
    }
    static constexpr std::uint32_t Constant(int step) { return kMd5StepConstants[step]; }
    static constexpr bool kAddsB = true;
};

struct Md4Step {
    static constexpr int Word(int step) {
        const int i = step % 16;
        switch (step / 16) {
            case 0:
                return i;
            case 1:
                return (i % 4) * 4 + i / 4;
            default:  // the four bits of i reversed
                return ((i & 1) << 3) | ((i & 2) << 1) | ((i & 4) >> 1) | ((i & 8) >> 3);
        }
    }
    static constexpr int Shift(int step) {
        constexpr int kShifts[3][4] = {{3, 7, 11, 19}, {3, 5, 9, 13}, {3, 9, 11, 15}};
        return kShifts[step / 16][step % 4];
    }
    static constexpr int Function(int step) {
        constexpr int kFunctions[3] = {kSelect, kMajority, kParity};
        return kFunctions[step / 16];
    }
    static constexpr std::uint32_t Constant(int step) {
        constexpr std::uint32_t kConstants[3] = {0, 0x5a827999, 0x6ed9eba1};
        return kConstants[step / 16];
    }
    static constexpr bool kAddsB = false;
};

// The same function with its operands taken as (d, b, c). The logic instruction overwrites its
// first operand, and d is the oldest word: copying it aside keeps the copy off the chain of
// steps, where copying b would lengthen it.
constexpr int DFirst(int table) {
    int reordered = 0;
    for (int index = 0; index < 8; ++index) {
        const int d = (index >> 2) & 1, b = (index >> 1) & 1, c = index & 1;
        reordered |= ((table >> (b << 2 | c << 1 | d)) & 1) << index;
    }
    return reordered;
}

// Keeps the compiler from reassociating a sum: the step function's result must be added last.
[[gnu::always_inline]] inline __m128i Settled(__m128i value) {
    __asm__("" : "+v"(value));
    return value;
}

// One step. The four words stay in their registers; the roles a to d move one register per
// step instead. Only the lowest lane of each register counts.
template <typename Steps, int kStep>
[[gnu::always_inline]] inline void Step(__m128i* v, const std::uint8_t* block) {
    constexpr auto slot = [](int role) { return (role - kStep) & 3; };
    // Named constants, so that even an unoptimised build passes the instructions immediates.
    static constexpr std::uint32_t kConstant = Steps::Constant(kStep);
    constexpr int kFunction = DFirst(Steps::Function(kStep));
    constexpr int kShift = Steps::Shift(kStep);
    __m128i& a = v[slot(0)];
    const __m128i b = v[slot(1)], c = v[slot(2)], d = v[slot(3)];
    const __m128i word =
        _mm_add_epi32(_mm_loadu_si32(block + 4 * Steps::Word(kStep)), _mm_loadu_si32(&kConstant));
    const __m128i sum =
        _mm_add_epi32(Settled(_mm_add_epi32(a, word)), _mm_ternarylogic_epi32(d, b, c, kFunction));
    a = _mm_rol_epi32(sum, kShift);
    if constexpr (Steps::kAddsB) a = _mm_add_epi32(a, b);
}

template <typename Steps, int... kSteps>
[[gnu::always_inline]] inline void AllSteps(__m128i* v, const std::uint8_t* block,
                                            std::integer_sequence<int, kSteps...>) {
    (Step<Steps, kSteps>(v, block), ...);
}

template <typename Steps, int kStepCount>
void Blocks(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount) {
    __m128i v[4];
    for (int i = 0; i < 4; ++i) v[i] = _mm_cvtsi32_si128(static_cast<int>(state[i]));
    for (; blockCount > 0; --blockCount, data += 64) {
        const __m128i before[4] = {v[0], v[1], v[2], v[3]};
        AllSteps<Steps>(v, data, std::make_integer_sequence<int, kStepCount>{});
        for (int i = 0; i < 4; ++i) v[i] = _mm_add_epi32(v[i], before[i]);
    }
    for (int i = 0; i < 4; ++i) state[i] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(v[i]));
}

}  // namespace

void Md4BlocksAvx512(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount) {
    Blocks<Md4Step, 48>(state, data, blockCount);
}

void Md5BlocksAvx512(std::uint32_t state[4], const std::uint8_t* data, std::size_t blockCount) {
    Blocks<Md5Step, 64>(state, data, blockCount);
}

}  // namespace tessik
