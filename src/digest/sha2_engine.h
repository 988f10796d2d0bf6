#pragma once
// What SHA-224/256 and SHA-384/512 share around their compression functions: eight chaining
// words, 16-word blocks, the message closed by the byte 80 and a bit count two words wide, and a
// digest that is the first bytes of the chain. Each size has its own starting words.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "digest/block_buffer.h"
#include "digest/byte_order.h"
#include "digest/digest_engine.h"

namespace tessik {

template <typename Word>
struct Sha2State {
    Word h[8];
    std::uint64_t total;  // bytes fed so far
    std::size_t fill;     // bytes waiting in block, fewer than a block between calls
    std::uint8_t block[16 * sizeof(Word)];
};

template <typename Word>
class Sha2Engine : public StatefulEngine<Sha2State<Word>> {
  public:
    // The compression function over `blockCount` consecutive blocks.
    using Kernel = void (*)(Word* h, const std::uint8_t* data, std::size_t blockCount);

    void Restart() override {
        this->WipeState();
        for (std::size_t i = 0; i < 8; ++i) state_.h[i] = initialWords_[i];
    }

    void Update(const std::uint8_t* data, std::size_t length) override {
        state_.total += length;
        state_.fill = AbsorbThroughBuffer<kBlockSize>(state_.block, state_.fill, data, length,
                                                      Compressor());
    }

    void Finish(std::uint8_t* digest) override {
        // The bit count, big-endian; only SHA-512's 128-bit field also takes the bits that shift
        // out of 64.
        std::uint8_t length[2 * sizeof(Word)] = {};
        StoreBe64(state_.total << 3, length + sizeof length - 8);
        if constexpr (sizeof length == 16) StoreBe64(state_.total >> 61, length);
        PadFinalBlock<kBlockSize, sizeof length>(state_.block, state_.fill, length, Compressor());
        // SHA-512/224 ends halfway through a word, so the words go out whole and are cut after.
        std::uint8_t words[sizeof state_.h];
        StoreWords<std::endian::big>(state_.h, 8, words);
        std::memcpy(digest, words, digestSize_);
        Wipe(words, sizeof words);
        Restart();
    }

    std::size_t DigestSize() const override { return digestSize_; }

  protected:
    using StatefulEngine<Sha2State<Word>>::state_;

    Sha2Engine(const Word (&initialWords)[8], std::size_t digestSize)
        : initialWords_(initialWords), digestSize_(digestSize) {
        Restart();
    }
    // Looked up at every update so that a forced path applies to engines made before it.
    virtual Kernel ActiveKernel() const = 0;

  private:
    static constexpr std::size_t kBlockSize = sizeof Sha2State<Word>::block;

    auto Compressor() {
        return [this, kernel = ActiveKernel()](const std::uint8_t* blocks, std::size_t count) {
            kernel(state_.h, blocks, count);
        };
    }

    const Word (&initialWords_)[8];
    const std::size_t digestSize_;
};

}  // namespace tessik
