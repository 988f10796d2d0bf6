#pragma once
// The one shape every algorithm has: restart, update with any number of bytes, finish into a
// digest buffer. A file, a text and a fuzz input all go through it, so an engine is written once
// and every caller gets it. Engines keep message bytes and chaining values in their state, so
// each wipes it when it finishes and when it is destroyed.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "digest/wipe.h"

namespace tessik {

// The widest digest of the catalogue: SHA-512 and the 512-bit sponges.
inline constexpr std::size_t kLargestDigestBytes = 64;

// The digest bytes in the algorithm's own order.
using Digest = std::vector<std::uint8_t>;

class DigestEngine {
  public:
    virtual ~DigestEngine() = default;

    // Starts a new message, wiping whatever an unfinished one left; a new engine starts one by
    // itself.
    virtual void Restart() = 0;
    // Adds bytes to the message; data may be null when length is 0.
    virtual void Update(const std::uint8_t* data, std::size_t length) = 0;
    // Writes DigestSize() bytes, wipes the state and starts the next message.
    virtual void Finish(std::uint8_t* digest) = 0;
    virtual std::size_t DigestSize() const = 0;
    // True for an engine that digests bytes faster than they come out of the page cache, so
    // that how a file is read decides its speed.
    virtual bool OutrunsReading() const { return false; }
};

// Finish into a digest of the engine's size.
Digest TakeDigest(DigestEngine& engine);

// Restart, one update over the bytes, finish.
Digest DigestOfBytes(DigestEngine& engine, const std::uint8_t* data, std::size_t length);

// An engine whose whole working state is the plain struct State, wiped on destruction. Its
// Restart wipes it before setting the starting values.
template <typename State>
class StatefulEngine : public DigestEngine {
  public:
    ~StatefulEngine() override { Wipe(&state_, sizeof state_); }

  protected:
    void WipeState() { Wipe(&state_, sizeof state_); }
    State state_{};
};

}  // namespace tessik
