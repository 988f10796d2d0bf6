#pragma once
// BLAKE2b (RFC 7693) with a 64-byte digest, unkeyed: 64-bit words, 128-byte blocks, 12 rounds.

#include <cstdint>

#include "digest/blake2_engine.h"

namespace tessik {

class Blake2bEngine final : public Blake2Engine<std::uint64_t> {
  public:
    Blake2bEngine();

  private:
    Kernel ActiveKernel() const override;
};

}  // namespace tessik
