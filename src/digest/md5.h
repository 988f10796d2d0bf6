#pragma once
// MD5 (RFC 1321): 64-byte blocks, four rounds of sixteen steps, little-endian words.

#include "digest/block64_engine.h"

namespace tessik {

class Md5Engine final : public Block64Engine<4, std::endian::little> {
  public:
    Md5Engine() { Restart(); }
    void Restart() override;

  private:
    Block64Kernel ActiveKernel() const override;
};

}  // namespace tessik
