#pragma once
// What the engine tests share: OpenSSL's digests as the independent reference, seeded random
// inputs, and streaming in pieces of random sizes.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tessik::test {

using Bytes = std::vector<std::uint8_t>;

// Lower-case hexadecimal digest by OpenSSL's digest of that name ("SHA256", "SHA3-512").
std::string OpensslHex(const char* algorithm, const Bytes& data);

Bytes RandomBytes(std::mt19937_64& random, std::size_t count);
Bytes FromHex(std::string_view hex);
Bytes FromText(std::string_view text, std::size_t repeat = 1);

// Hands data to feed in consecutive pieces of random sizes up to maxPiece, empty pieces too.
void FeedInPieces(const Bytes& data, std::mt19937_64& random, std::size_t maxPiece,
                  const std::function<void(const std::uint8_t*, std::size_t)>& feed);

}  // namespace tessik::test
