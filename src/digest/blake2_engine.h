#pragma once
// What BLAKE2b and BLAKE2s share around their compression functions: eight chaining words, a
// block of sixteen words, and a final block that is compressed with a flag of its own. Unlike
// the SHA-2 engines, a full block is kept back until more bytes arrive, because only Finish
// knows whether it is the last. Unkeyed, with the digest length in the parameter block.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "digest/byte_order.h"
#include "digest/digest_engine.h"

namespace tessik {

template <typename Word>
struct Blake2State {
    Word h[8];
    std::uint64_t compressed;  // bytes compressed so far
    std::size_t fill;          // bytes waiting in block: 1 to a whole block once any arrived
    std::uint8_t block[16 * sizeof(Word)];
};

template <typename Word>
class Blake2Engine : public StatefulEngine<Blake2State<Word>> {
  public:
    // Compresses `blockCount` consecutive blocks; `counter` is the byte count the first ends at.
    using Kernel = void (*)(Word h[8], const std::uint8_t* data, std::size_t blockCount,
                            std::uint64_t counter, bool last);

    void Restart() override {
        this->WipeState();
        for (std::size_t i = 0; i < 8; ++i) state_.h[i] = initialWords_[i];
        // Digest length, no key, fan-out and depth 1: the sequential mode.
        state_.h[0] ^= 0x01010000 ^ static_cast<Word>(digestSize_);
    }

    void Update(const std::uint8_t* data, std::size_t length) override {
        if (length == 0) return;  // data may be null then
        std::size_t& fill = state_.fill;
        if (fill + length <= kBlockSize) {
            std::memcpy(state_.block + fill, data, length);
            fill += length;
            return;
        }
        const Kernel kernel = ActiveKernel();
        if (fill > 0) {
            const std::size_t take = kBlockSize - fill;
            std::memcpy(state_.block + fill, data, take);
            Compress(kernel, state_.block, 1);
            data += take;
            length -= take;
        }
        // Every whole block but the one that may turn out to be the last.
        const std::size_t blocks = (length - 1) / kBlockSize;
        Compress(kernel, data, blocks);
        fill = length - blocks * kBlockSize;
        std::memcpy(state_.block, data + blocks * kBlockSize, fill);
    }

    void Finish(std::uint8_t* digest) override {
        std::memset(state_.block + state_.fill, 0, kBlockSize - state_.fill);
        ActiveKernel()(state_.h, state_.block, 1, state_.compressed + state_.fill, true);
        std::uint8_t words[sizeof state_.h];
        StoreWords<std::endian::little>(state_.h, 8, words);
        std::memcpy(digest, words, digestSize_);
        Wipe(words, sizeof words);
        Restart();
    }

    std::size_t DigestSize() const override { return digestSize_; }

  protected:
    using StatefulEngine<Blake2State<Word>>::state_;

    Blake2Engine(const Word (&initialWords)[8], std::size_t digestSize)
        : initialWords_(initialWords), digestSize_(digestSize) {
        Restart();
    }
    // Looked up at every update so that a forced path applies to engines made before it.
    virtual Kernel ActiveKernel() const = 0;

  private:
    static constexpr std::size_t kBlockSize = sizeof Blake2State<Word>::block;

    void Compress(Kernel kernel, const std::uint8_t* blocks, std::size_t count) {
        if (count == 0) return;
        kernel(state_.h, blocks, count, state_.compressed + kBlockSize, false);
        state_.compressed += count * kBlockSize;
    }

    const Word (&initialWords_)[8];
    const std::size_t digestSize_;
};

}  // namespace tessik
