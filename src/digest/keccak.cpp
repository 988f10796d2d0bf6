#include "digest/keccak.h"

#include <algorithm>

#include "digest/hex.h"
#include "digest/keccak_f1600.h"

namespace tessik {
namespace {

std::uint32_t DigestSizeOf(DigestVariant variant) {
    switch (variant) {
        case DigestVariant::k224:
            return 28;
        case DigestVariant::k256:
            return 32;
        case DigestVariant::k384:
            return 48;
        default:
            return 64;
    }
}

// The sponge's bytes are laid onto the lanes little-endian, lane 0 first.
void XorByte(std::uint64_t* lanes, std::size_t position, std::uint8_t byte) {
    lanes[position / 8] ^= std::uint64_t{byte} << (8 * (position % 8));
}

void XorBytes(KeccakSponge& sponge, const std::uint8_t* data, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) XorByte(sponge.lanes, sponge.buffered + i, data[i]);
    sponge.buffered += static_cast<std::uint32_t>(count);
}

std::string SpongeHex(const std::uint8_t* data, std::size_t length, DigestVariant variant,
                      KeccakPadding padding) {
    KeccakSponge sponge;
    KeccakInit(sponge, variant, padding);
    KeccakUpdate(sponge, data, length);
    std::uint8_t digest[64];
    KeccakFinish(sponge, digest);
    return HexDigest(digest, sponge.digestSize);
}

}  // namespace

void KeccakInit(KeccakSponge& sponge, DigestVariant variant, KeccakPadding padding) {
    std::fill_n(sponge.lanes, 25, 0);
    sponge.digestSize = DigestSizeOf(variant);
    sponge.rate = 200 - 2 * sponge.digestSize;
    sponge.buffered = 0;
    sponge.padding = padding;
}

void KeccakUpdate(KeccakSponge& sponge, const std::uint8_t* data, std::size_t length) {
    if (length == 0) return;
    if (sponge.buffered > 0) {
        const std::size_t take = std::min<std::size_t>(length, sponge.rate - sponge.buffered);
        XorBytes(sponge, data, take);
        data += take;
        length -= take;
        if (sponge.buffered < sponge.rate) return;
        KeccakF1600(sponge.lanes);
        sponge.buffered = 0;
    }
    // A block completed here is permuted at once, so input of an exact multiple of the rate
    // leaves the padding a block of its own.
    const std::size_t wholeBlocks = length / sponge.rate;
    KeccakAbsorbBlocks(sponge.lanes, data, wholeBlocks, sponge.rate / 8);
    data += wholeBlocks * sponge.rate;
    length -= wholeBlocks * sponge.rate;
    XorBytes(sponge, data, length);
}

void KeccakFinish(KeccakSponge& sponge, std::uint8_t* digest) {
    // When only one byte of the block is free it takes both marks: 81 or 86.
    XorByte(sponge.lanes, sponge.buffered, static_cast<std::uint8_t>(sponge.padding));
    XorByte(sponge.lanes, sponge.rate - 1, 0x80);
    KeccakF1600(sponge.lanes);
    for (std::size_t i = 0; i < sponge.digestSize; ++i) {
        digest[i] = static_cast<std::uint8_t>(sponge.lanes[i / 8] >> (8 * (i % 8)));
    }
}

std::string KeccakHex(const std::uint8_t* data, std::size_t length, DigestVariant variant) {
    return SpongeHex(data, length, variant, KeccakPadding::kKeccak);
}

std::string Sha3Hex(const std::uint8_t* data, std::size_t length, DigestVariant variant) {
    return SpongeHex(data, length, variant, KeccakPadding::kSha3);
}

}  // namespace tessik
