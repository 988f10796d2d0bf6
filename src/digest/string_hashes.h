#pragma once
// The nine small 32-bit hashes of the catalogue, "AK" to "SDBM". Every byte enters as a signed
// 8-bit value widened with its sign, every step wraps modulo 2^32, and the result keeps 31 bits.
// The digest is that value's four bytes, least significant first: 5381 reads "05150000".

#include <cstddef>
#include <cstdint>

#include "digest/digest_engine.h"

namespace tessik {

enum class StringHash { kAk, kBkdr, kDek, kDjb, kElf, kJs, kPjw, kRs, kSdbm };

struct StringHashState {
    std::uint32_t value;
    std::uint32_t multiplier;  // RS: the factor for the next byte
    std::uint64_t length;      // bytes folded in so far
};

class StringHashEngine final : public StatefulEngine<StringHashState> {
  public:
    explicit StringHashEngine(StringHash hash) : hash_(hash) { Restart(); }
    void Restart() override;
    void Update(const std::uint8_t* data, std::size_t length) override;
    void Finish(std::uint8_t* digest) override;
    std::size_t DigestSize() const override { return 4; }

  private:
    // The 31-bit value of everything folded in so far.
    std::uint32_t Value() const;

    const StringHash hash_;
};

}  // namespace tessik
