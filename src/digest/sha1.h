#pragma once
// SHA-1 (FIPS 180-4): 64-byte blocks, eighty steps, big-endian words, 20-byte digest.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tessik {

class Sha1Engine {
  public:
    Sha1Engine();
    ~Sha1Engine();

    // Starts a new message; every digest begins with it.
    void Restart();
    void Absorb(const std::uint8_t* data, std::size_t length);
    // Pads and computes the digest, then wipes everything that held message data. The engine
    // holds no usable state afterwards until the next Restart.
    void Finish();
    // Appends the 40 lower-case hexadecimal digits of the digest.
    void WriteHex(std::string& text) const;
    // Valid after Finish.
    const std::array<std::uint8_t, 20>& Digest() const { return digest_; }

  private:
    std::uint32_t state_[5];
    std::uint64_t bitCount_;   // message length in bits, modulo 2^64
    std::uint8_t buffer_[64];  // the partial block: (bitCount_ / 8) mod 64 bytes
    std::array<std::uint8_t, 20> digest_{};
};

// 40 lower-case hexadecimal digits.
std::string Sha1Hex(const std::uint8_t* data, std::size_t length);

}  // namespace tessik
