#include "digest/keccak.h"

#include <algorithm>

#include "digest/keccak_f1600.h"

namespace tessik {
namespace {

std::uint32_t SupportedDigestSize(std::size_t digestBytes) {
    return digestBytes == 28 || digestBytes == 32 || digestBytes == 48
               ? static_cast<std::uint32_t>(digestBytes)
               : 64;
}

// The sponge's bytes are laid onto the lanes little-endian, lane 0 first.
void XorByte(std::uint64_t* lanes, std::size_t position, std::uint8_t byte) {
    lanes[position / 8] ^= std::uint64_t{byte} << (8 * (position % 8));
}

}  // namespace

KeccakEngine::KeccakEngine(std::size_t digestBytes, KeccakPadding padding)
    : digestSize_(SupportedDigestSize(digestBytes)),
      rate_(200 - 2 * digestSize_),
      padding_(padding) {
    Restart();
}

void KeccakEngine::Restart() {
    WipeState();
}

void KeccakEngine::XorBytes(const std::uint8_t* data, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) XorByte(state_.lanes, state_.buffered + i, data[i]);
    state_.buffered += static_cast<std::uint32_t>(count);
}

void KeccakEngine::Update(const std::uint8_t* data, std::size_t length) {
    if (length == 0) return;
    if (state_.buffered > 0) {
        const std::size_t take = std::min<std::size_t>(length, rate_ - state_.buffered);
        XorBytes(data, take);
        data += take;
        length -= take;
        if (state_.buffered < rate_) return;
        KeccakF1600(state_.lanes);
        state_.buffered = 0;
    }
    // A block completed here is permuted at once, so input of an exact multiple of the rate
    // leaves the padding a block of its own.
    const std::size_t wholeBlocks = length / rate_;
    KeccakAbsorbBlocks(state_.lanes, data, wholeBlocks, rate_ / 8);
    data += wholeBlocks * rate_;
    length -= wholeBlocks * rate_;
    XorBytes(data, length);
}

void KeccakEngine::Finish(std::uint8_t* digest) {
    // When only one byte of the block is free it takes both marks: 81 or 86.
    XorByte(state_.lanes, state_.buffered, static_cast<std::uint8_t>(padding_));
    XorByte(state_.lanes, rate_ - 1, 0x80);
    KeccakF1600(state_.lanes);
    for (std::size_t i = 0; i < digestSize_; ++i) {
        digest[i] = static_cast<std::uint8_t>(state_.lanes[i / 8] >> (8 * (i % 8)));
    }
    Restart();
}

}  // namespace tessik
