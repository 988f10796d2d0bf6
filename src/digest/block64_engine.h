#pragma once
// What MD4, MD5 and SHA-1 share: 64-byte blocks compressed into a few 32-bit chaining words, a
// message closed by the byte 80 and its 64-bit bit count, and the chaining words written out as
// the digest. They differ in their compression function, their word order and their start.

#include <bit>
#include <cstddef>
#include <cstdint>

#include "digest/block_buffer.h"
#include "digest/byte_order.h"
#include "digest/digest_engine.h"

namespace tessik {

template <std::size_t kWords>
struct Block64State {
    std::uint32_t words[kWords];
    std::uint64_t bitCount;   // message length in bits, modulo 2^64
    std::uint8_t buffer[64];  // the partial block: (bitCount / 8) mod 64 bytes
};

// The compression function over `blockCount` consecutive blocks.
using Block64Kernel = void (*)(std::uint32_t* words, const std::uint8_t* data,
                               std::size_t blockCount);

template <std::size_t kWords, std::endian kOrder>
class Block64Engine : public StatefulEngine<Block64State<kWords>> {
  public:
    void Update(const std::uint8_t* data, std::size_t length) override {
        const std::size_t fill = (state_.bitCount >> 3) % kBlockSize;
        state_.bitCount += static_cast<std::uint64_t>(length) << 3;
        AbsorbThroughBuffer<kBlockSize>(state_.buffer, fill, data, length, Compressor());
    }

    void Finish(std::uint8_t* digest) override {
        std::uint8_t encodedLength[8];
        if constexpr (kOrder == std::endian::little) {
            StoreLe64(state_.bitCount, encodedLength);
        } else {
            StoreBe64(state_.bitCount, encodedLength);
        }
        PadFinalBlock<kBlockSize, 8>(state_.buffer, (state_.bitCount >> 3) % kBlockSize,
                                     encodedLength, Compressor());
        for (std::size_t i = 0; i < kWords; ++i) {
            if constexpr (kOrder == std::endian::little) {
                StoreLe32(state_.words[i], digest + 4 * i);
            } else {
                StoreBe32(state_.words[i], digest + 4 * i);
            }
        }
        this->Restart();
    }

    std::size_t DigestSize() const override { return 4 * kWords; }

  protected:
    using StatefulEngine<Block64State<kWords>>::state_;
    static constexpr std::size_t kBlockSize = 64;

    // A clean state holding the starting words: nothing of an earlier message stays.
    void Start(const std::uint32_t (&initialWords)[kWords]) {
        this->WipeState();
        for (std::size_t i = 0; i < kWords; ++i) state_.words[i] = initialWords[i];
    }
    // The compression function this processor runs, looked up at every update so that a forced
    // path applies to engines made before it.
    virtual Block64Kernel ActiveKernel() const = 0;

  private:
    auto Compressor() {
        return [this, kernel = ActiveKernel()](const std::uint8_t* blocks, std::size_t count) {
            kernel(state_.words, blocks, count);
        };
    }
};

}  // namespace tessik
