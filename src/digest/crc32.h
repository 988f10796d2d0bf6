#pragma once
// CRC-32 (the reflected IEEE 802.3 polynomial of zip, gzip and .sfv lists) and CRC-32C
// (Castagnoli's, of iSCSI and ext4). The digest is the value's four bytes, most significant
// first, as checksum tools and .sfv lists print it.

#include <cstddef>
#include <cstdint>

#include "digest/digest_engine.h"

namespace tessik {

enum class CrcPolynomial { kIeee, kCastagnoli };

struct CrcState {
    std::uint32_t value;  // the CRC of the bytes so far, final complement included
};

class Crc32Engine final : public StatefulEngine<CrcState> {
  public:
    explicit Crc32Engine(CrcPolynomial polynomial) : polynomial_(polynomial) { Restart(); }
    void Restart() override { WipeState(); }
    void Update(const std::uint8_t* data, std::size_t length) override;
    void Finish(std::uint8_t* digest) override;
    std::size_t DigestSize() const override { return 4; }
    bool OutrunsReading() const override { return true; }

  private:
    const CrcPolynomial polynomial_;
};

}  // namespace tessik
