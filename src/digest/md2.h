#pragma once
// MD2 (RFC 1319): 16-byte blocks, a 48-byte state and a running checksum; byte-serial by nature.

#include <cstddef>
#include <cstdint>

#include "digest/digest_engine.h"

namespace tessik {

struct Md2State {
    std::uint8_t block[16];  // input not yet transformed
    std::uint8_t state[48];  // the first 16 bytes are the digest at the end
    std::uint8_t checksum[16];
    std::size_t fill;  // bytes in block, 0-15 between calls
};

class Md2Engine final : public StatefulEngine<Md2State> {
  public:
    Md2Engine() { Restart(); }
    void Restart() override;
    void Update(const std::uint8_t* data, std::size_t length) override;
    void Finish(std::uint8_t* digest) override;
    std::size_t DigestSize() const override { return 16; }
};

}  // namespace tessik
