// CRC-32 by carry-less multiplication. Four 16-byte lanes are folded forward over the input, each
// a fold of 64 bytes at a time, then into one another, and the last 128 bits are reduced to the
// CRC by Barrett's method.
//
// The algebra, over GF(2)[x] with P = x^32 + ... + 1 the polynomial: the CRC register after a
// message M (the first byte's lowest bit the highest power, the start register added into the
// first 32 bits) is M * x^32 mod P, so M may be replaced by anything congruent to it mod P. A lane
// X = L*x^64 + H (L its first eight bytes) that D more bits follow is worth
// X*x^D = L*x^(64+D) + H*x^D, congruent to L*(x^(64+D) mod P) + H*(x^D mod P): two 64-by-32-bit
// products of no more than 96 bits, added into the lane D bits later. In the reflected bit order
// (bit i of a 64-bit word the coefficient of x^(63-i)), PCLMULQDQ's 128-bit product comes out
// multiplied by one more x, so every constant is taken one power lower.

#include <wmmintrin.h>

#include <cstring>

#include "digest/digest_kernels.h"

namespace tessik {
namespace {

constexpr std::uint64_t kPolynomial = 0x104C11DB7;  // bit d the coefficient of x^d

constexpr std::uint64_t XPowerModP(int power) {
    std::uint64_t remainder = 1;
    for (int i = 0; i < power; ++i) {
        remainder <<= 1;
        if (remainder & (std::uint64_t{1} << 32)) remainder ^= kPolynomial;
    }
    return remainder;
}

// x^64 divided by P, without the remainder: Barrett's multiplier. Its first step, x^64 less
// x^32 * P, leaves a value that fits in 64 bits.
constexpr std::uint64_t QuotientOfX64ByP() {
    std::uint64_t quotient = std::uint64_t{1} << 32;
    std::uint64_t remainder = (kPolynomial & 0xFFFFFFFF) << 32;
    for (int degree = 63; degree >= 32; --degree) {
        if ((remainder >> degree) & 1) {
            quotient |= std::uint64_t{1} << (degree - 32);
            remainder ^= kPolynomial << (degree - 32);
        }
    }
    return quotient;
}

// A polynomial of degree below 64 in the reflected order.
constexpr std::uint64_t Reflected(std::uint64_t polynomial) {
    std::uint64_t reflected = 0;
    for (int bit = 0; bit < 64; ++bit) {
        if ((polynomial >> bit) & 1) reflected |= std::uint64_t{1} << (63 - bit);
    }
    return reflected;
}

// The pair that folds a lane forward over `bits`: for L in the low half, for H in the high.
struct FoldPair {
    std::uint64_t forLow, forHigh;
};

constexpr FoldPair FoldConstants(int bits) {
    return {Reflected(XPowerModP(64 + bits - 1)), Reflected(XPowerModP(bits - 1))};
}

__m128i Vector(FoldPair pair) {
    return _mm_set_epi64x(static_cast<long long>(pair.forHigh),
                          static_cast<long long>(pair.forLow));
}

constexpr std::size_t kLaneBytes = 16;
constexpr std::size_t kLanes = 4;
constexpr std::size_t kStrideBytes = kLanes * kLaneBytes;

constexpr FoldPair kAcrossStride = FoldConstants(8 * kStrideBytes);
constexpr FoldPair kAcrossLane = FoldConstants(8 * kLaneBytes);
constexpr std::uint64_t kX95 = Reflected(XPowerModP(95));
constexpr std::uint64_t kX63 = Reflected(XPowerModP(63));
constexpr std::uint64_t kBarrettQuotient = Reflected(QuotientOfX64ByP());
constexpr std::uint64_t kReflectedPolynomial = Reflected(kPolynomial);

__m128i Fold(__m128i lane, __m128i constants) {
    return _mm_xor_si128(_mm_clmulepi64_si128(lane, constants, 0x00),
                         _mm_clmulepi64_si128(lane, constants, 0x11));
}

__m128i Load128(const std::uint8_t* data) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
}

std::uint64_t High64(__m128i value) {
    return static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(value, value)));
}

std::uint64_t Low64(__m128i value) {
    return static_cast<std::uint64_t>(_mm_cvtsi128_si64(value));
}

struct Product {
    std::uint64_t low, high;
};

Product Multiply(std::uint64_t a, std::uint64_t b) {
    const __m128i product =
        _mm_clmulepi64_si128(_mm_cvtsi64_si128(static_cast<long long>(a)),
                             _mm_cvtsi64_si128(static_cast<long long>(b)), 0x00);
    return {Low64(product), High64(product)};
}

// The register after lane X = L*x^64 + H, that is X*x^32 mod P. In three steps, each keeping the
// value congruent: L*x^96 + H*x^32 becomes L*(x^96 mod P) + H*x^32, below x^96; its part A from
// x^64 up becomes A*(x^64 mod P), leaving B below x^64; then B mod P with Barrett's quotient
// q = (B / x^32) * (x^64 / P) / x^32, which needs no division.
std::uint32_t Reduce(__m128i lane) {
    const std::uint64_t low = Low64(lane), high = High64(lane);
    Product below96 = Multiply(low, kX95);
    below96.low ^= high << 32;
    below96.high ^= high >> 32;
    const std::uint64_t below64 = Multiply(below96.low, kX63).high ^ below96.high;
    const Product scaled = Multiply(below64 << 32, kBarrettQuotient);
    const std::uint64_t quotient = ((scaled.low >> 63) | (scaled.high << 1)) & 0xFFFFFFFF;
    const std::uint64_t multiple = Multiply(quotient << 32, kReflectedPolynomial).high;
    return static_cast<std::uint32_t>((below64 >> 32) ^ ((multiple >> 31) & 0xFFFFFFFF));
}

}  // namespace

std::uint32_t Crc32UpdateClmul(std::uint32_t crc, const std::uint8_t* data, std::size_t length) {
    if (length < 2 * kStrideBytes) return Crc32UpdatePortable(crc, data, length);
    __m128i lanes[kLanes];
    for (std::size_t i = 0; i < kLanes; ++i) lanes[i] = Load128(data + i * kLaneBytes);
    lanes[0] = _mm_xor_si128(lanes[0], _mm_cvtsi32_si128(static_cast<int>(~crc)));
    data += kStrideBytes;
    length -= kStrideBytes;

    const __m128i acrossStride = Vector(kAcrossStride);
    for (; length >= kStrideBytes; data += kStrideBytes, length -= kStrideBytes) {
        for (std::size_t i = 0; i < kLanes; ++i) {
            lanes[i] = _mm_xor_si128(Fold(lanes[i], acrossStride), Load128(data + i * kLaneBytes));
        }
    }
    const __m128i acrossLane = Vector(kAcrossLane);
    __m128i folded = lanes[0];
    for (std::size_t i = 1; i < kLanes; ++i) {
        folded = _mm_xor_si128(Fold(folded, acrossLane), lanes[i]);
    }
    for (; length >= kLaneBytes; data += kLaneBytes, length -= kLaneBytes) {
        folded = _mm_xor_si128(Fold(folded, acrossLane), Load128(data));
    }
    return Crc32UpdatePortable(~Reduce(folded), data, length);
}

}  // namespace tessik
