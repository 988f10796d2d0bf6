#pragma once
// BLAKE2s (RFC 7693) with a 32-byte digest, unkeyed: 32-bit words, 64-byte blocks, 10 rounds.

#include <cstdint>

#include "digest/blake2_engine.h"

namespace tessik {

class Blake2sEngine final : public Blake2Engine<std::uint32_t> {
  public:
    Blake2sEngine();

  private:
    Kernel ActiveKernel() const override;
};

}  // namespace tessik
