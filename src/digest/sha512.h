#pragma once
// SHA-384, SHA-512 and SHA-512/t for t = 224 and 256 (FIPS 180-4): one engine, four sets of
// starting words and digest lengths.

#include <cstddef>
#include <cstdint>

#include "digest/sha2_engine.h"

namespace tessik {

class Sha512Engine final : public Sha2Engine<std::uint64_t> {
  public:
    // 28 digest bytes make SHA-512/224, 32 SHA-512/256, 48 SHA-384, any other number SHA-512.
    explicit Sha512Engine(std::size_t digestBytes);

  private:
    Kernel ActiveKernel() const override;
};

}  // namespace tessik
