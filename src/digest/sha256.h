#pragma once
// SHA-224 and SHA-256 (FIPS 180-4): one engine, two sets of starting words and digest lengths.

#include <cstddef>
#include <cstdint>

#include "digest/sha2_engine.h"

namespace tessik {

class Sha256Engine final : public Sha2Engine<std::uint32_t> {
  public:
    // 28 digest bytes make SHA-224, any other number SHA-256.
    explicit Sha256Engine(std::size_t digestBytes);

  private:
    Kernel ActiveKernel() const override;
};

}  // namespace tessik
