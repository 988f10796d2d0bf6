#pragma once
// MD4 (RFC 1320): 64-byte blocks, three rounds of sixteen steps, little-endian words.

#include "digest/block64_engine.h"

namespace tessik {

class Md4Engine final : public Block64Engine<4, std::endian::little> {
  public:
    Md4Engine() { Restart(); }
    void Restart() override;

  private:
    Block64Kernel ActiveKernel() const override;
};

}  // namespace tessik
