#pragma once
// The xxHash family with seed 0: XXH32, XXH64, and XXH3 in its 64-bit and its 128-bit form, on the
// xxHash library. The digest is the hash's canonical form, most significant byte first, as
// xxhsum prints it.

#include <cstddef>
#include <cstdint>

#include "digest/digest_engine.h"

namespace tessik {

enum class XxhashVariant { kXxh32, kXxh64, kXxh3, kXxh128 };

// The library's streaming state of any variant, kept here as plain bytes so that only the files
// that build the library see its declarations.
struct XxhashState {
    alignas(64) std::uint8_t bytes[576];
};

class XxhashEngine final : public StatefulEngine<XxhashState> {
  public:
    explicit XxhashEngine(XxhashVariant variant);
    void Restart() override;
    void Update(const std::uint8_t* data, std::size_t length) override;
    void Finish(std::uint8_t* digest) override;
    std::size_t DigestSize() const override;
    bool OutrunsReading() const override { return true; }

  private:
    const XxhashVariant variant_;
};

}  // namespace tessik
