#pragma once
// What the engine tests share: every catalogue engine reached through its row, and the
// independent implementations it is checked against (OpenSSL's libcrypto for MD4, MD5, SHA-1,
// SHA-2, SHA-3 and BLAKE2; for MD2, which Debian's libcrypto lacks, a textbook version whose
// substitution table is rebuilt from the digits of pi rather than copied; the string hashes' plain
// byte-at-a-time definitions; the CRCs bit by bit). The Keccak padding and xxHash have no
// independent implementation at hand; their tests use published known answers and, for xxHash,
// the xxhsum tool instead.

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "digest/algorithm_catalogue.h"

namespace tessik::testing {

using Bytes = std::vector<std::uint8_t>;
using HexFunction = std::string (*)(const std::uint8_t* data, std::size_t length);

// The catalogue row of a list text ("SHA-2(256)").
const AlgorithmInfo& AlgorithmNamed(std::string_view name);

// The row's engine over the whole message at once.
std::string OneShotHex(const AlgorithmInfo& algorithm, const std::uint8_t* data,
                       std::size_t length);
std::string OneShotHex(const AlgorithmInfo& algorithm, const Bytes& message);
// The row's engine fed one update per piece size (a piece of 0 bytes passes no data pointer).
std::string PiecewiseHex(const AlgorithmInfo& algorithm, const Bytes& message,
                         const std::vector<std::size_t>& pieces);

struct EngineUnderTest {
    const AlgorithmInfo& algorithm;
    HexFunction referenceHex;
};

// Every catalogue algorithm that has an independent implementation: all but Keccak and xxHash,
// and in a build without libcrypto only MD2 and the string hashes.
const std::vector<EngineUnderTest>& EnginesUnderTest();

Bytes RandomBytes(std::mt19937_64& random, std::size_t length);
// Piece sizes summing to `length`: empty pieces, single bytes, sizes around a block and long
// runs, so every buffer fill meets every kind of update.
std::vector<std::size_t> RandomPieces(std::mt19937_64& random, std::size_t length);

std::string ReferenceMd2Hex(const std::uint8_t* data, std::size_t length);

}  // namespace tessik::testing
