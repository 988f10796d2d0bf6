#pragma once
// BLAKE3, unkeyed. The message is cut into 1 KiB chunks, each hashed on its own, and their
// chaining values are joined pairwise up a binary tree whose root gives the digest. Whole
// chunks therefore go through the vector kernels many at a time, and a large file's subtrees
// can be hashed on several threads (Blake3SubtreeHalves) and appended here in order. The user
// sees 256 bits; any length of output is there for the published answers.

#include <cstddef>
#include <cstdint>

#include "digest/digest_engine.h"

namespace tessik {

inline constexpr std::size_t kBlake3DigestBytes = 32;
// The leaves of the tree: subtrees are counted in them.
inline constexpr std::size_t kBlake3ChunkSize = 1024;

struct Blake3State {
    std::uint32_t chunkCv[8];  // of the chunk being filled, after its compressed blocks
    std::uint8_t block[64];    // its bytes not yet compressed
    std::uint32_t blockBytes;
    std::uint32_t blocksDone;
    std::uint64_t chunk;  // the index of the chunk being filled: all before it are in the stack
    // Chaining values of complete subtrees, left to right. Merged only once more input shows
    // that the right-most pair is no root, so one more entry than a 2^64-byte message's depth.
    std::uint8_t stack[55][32];
    std::uint32_t depth;
};

class Blake3Engine final : public StatefulEngine<Blake3State> {
  public:
    Blake3Engine() { Restart(); }
    void Restart() override;
    void Update(const std::uint8_t* data, std::size_t length) override;
    void Finish(std::uint8_t* digest) override;
    std::size_t DigestSize() const override { return kBlake3DigestBytes; }

    // `length` bytes of output, the digest being the first 32; wipes and restarts as Finish.
    void FinishExtended(std::uint8_t* output, std::size_t length);

    // Continues the message with a subtree hashed elsewhere: `chunks` whole chunks (a power of
    // two, two at least) given by the chaining values of its two halves. Only where the
    // message so far is a multiple of that subtree's size.
    void AppendSubtree(const std::uint8_t halves[64], std::uint64_t chunks);

  private:
    void AddToChunk(const std::uint8_t* data, std::size_t length);
    void PushChunk();
    void Merge(std::uint32_t depth);
    void Push(const std::uint8_t cv[32], std::uint64_t firstChunk);
};

// The chaining values of the two halves of a subtree of `chunks` whole chunks (a power of two,
// two at least) from `data`, whose first chunk is number `firstChunk`. Safe on any thread.
void Blake3SubtreeHalves(const std::uint8_t* data, std::uint64_t chunks, std::uint64_t firstChunk,
                         std::uint8_t halves[64]);

}  // namespace tessik
