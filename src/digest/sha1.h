#pragma once
// SHA-1 (FIPS 180-4): 64-byte blocks, eighty steps, big-endian words, 20-byte digest.

#include "digest/block64_engine.h"

namespace tessik {

class Sha1Engine final : public Block64Engine<5, std::endian::big> {
  public:
    Sha1Engine() { Restart(); }
    void Restart() override;

  private:
    Block64Kernel ActiveKernel() const override;
};

}  // namespace tessik
