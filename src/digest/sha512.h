#pragma once
// SHA-384 and SHA-512 (FIPS 180-4): one engine, two sets of starting words and digest lengths.

#include <cstddef>
#include <cstdint>

#include "digest/sha2_engine.h"

namespace tessik {

class Sha512Engine final : public Sha2Engine<std::uint64_t> {
  public:
    // 48 digest bytes make SHA-384, any other number SHA-512.
    explicit Sha512Engine(std::size_t digestBytes);

  private:
    Kernel ActiveKernel() const override;
};

}  // namespace tessik
