#pragma once
// The Keccak sponge with a capacity of twice the digest size, and the two families on it: the
// Keccak submission's padding (first padding byte 01) and SHA-3's (06, FIPS 202).

#include <cstddef>
#include <cstdint>

#include "digest/digest_engine.h"

namespace tessik {

enum class KeccakPadding : std::uint8_t { kKeccak = 0x01, kSha3 = 0x06 };

struct KeccakState {
    std::uint64_t lanes[25];
    std::uint32_t buffered;  // bytes already XORed into the current block, below the rate
};

class KeccakEngine final : public StatefulEngine<KeccakState> {
  public:
    // 28, 32, 48 or 64 digest bytes; any other number gives 64.
    KeccakEngine(std::size_t digestBytes, KeccakPadding padding);
    void Restart() override;
    void Update(const std::uint8_t* data, std::size_t length) override;
    void Finish(std::uint8_t* digest) override;
    std::size_t DigestSize() const override { return digestSize_; }

  private:
    void XorBytes(const std::uint8_t* data, std::size_t count);

    const std::uint32_t digestSize_;
    const std::uint32_t rate_;  // bytes per block: 200 - 2 * digestSize_
    const KeccakPadding padding_;
};

}  // namespace tessik
