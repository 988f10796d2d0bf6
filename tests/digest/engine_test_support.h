#pragma once
// What the engine tests share: each engine behind one uniform face, and the independent
// implementations it is checked against (OpenSSL's libcrypto for MD4, MD5, SHA-1, SHA-2 and
// SHA-3; for MD2, which Debian's libcrypto lacks, a textbook version whose substitution table
// is rebuilt from the digits of pi rather than copied). The Keccak padding has no independent
// implementation at hand; its tests use published known answers instead.

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "digest/keccak.h"

namespace tessik::testing {

using Bytes = std::vector<std::uint8_t>;
using HexFunction = std::string (*)(const std::uint8_t* data, std::size_t length);

struct EngineUnderTest {
    std::string_view name;
    HexFunction oneShotHex;
    // Feeds the message through initialise / update / finish, one update per piece size (a
    // piece of 0 bytes passes no data pointer).
    std::string (*piecewiseHex)(const Bytes& message, const std::vector<std::size_t>& pieces);
    HexFunction referenceHex;
};

// MD2, MD4, MD5, SHA-1, the four SHA-2 and the four SHA-3 sizes, named as in the catalogue.
const std::vector<EngineUnderTest>& EnginesUnderTest();
const EngineUnderTest& EngineNamed(std::string_view name);

Bytes RandomBytes(std::mt19937_64& random, std::size_t length);
// Piece sizes summing to `length`: empty pieces, single bytes, sizes around a block and long
// runs, so every buffer fill meets every kind of update.
std::vector<std::size_t> RandomPieces(std::mt19937_64& random, std::size_t length);

// The sponge fed piece by piece, with either padding.
std::string KeccakPiecewiseHex(const Bytes& message, const std::vector<std::size_t>& pieces,
                               DigestVariant variant, KeccakPadding padding);

std::string ReferenceMd2Hex(const std::uint8_t* data, std::size_t length);
std::string ReferenceMd4Hex(const std::uint8_t* data, std::size_t length);
std::string ReferenceMd5Hex(const std::uint8_t* data, std::size_t length);
std::string ReferenceSha1Hex(const std::uint8_t* data, std::size_t length);

// MD5 of `data` with the length field claiming `totalBytes` instead of `length`.
std::string ReferenceMd5HexClaimingTotal(const std::uint8_t* data, std::size_t length,
                                         std::uint64_t totalBytes);

}  // namespace tessik::testing
