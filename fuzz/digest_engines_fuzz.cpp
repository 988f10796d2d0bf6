// Every engine over the same bytes: fed in the pieces the input chooses (empty ones included)
// it gives its one-shot digest, and that digest is the independent implementation's where
// there is one.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "digest/engine_test_support.h"
#include "digest/keccak.h"
#include "digest/string_hashes.h"
#include "fuzz_support.h"

namespace tessik::fuzz {
namespace {

using testing::Bytes;

// Piece sizes, read from the input's tail, that add up to `length`.
std::vector<std::size_t> ConsumePieces(FuzzedDataProvider& input, std::size_t length) {
    std::vector<std::size_t> pieces;
    while (length > 0 && input.remaining_bytes() > 0) {
        pieces.push_back(input.ConsumeIntegralInRange<std::size_t>(0, length));
        length -= pieces.back();
    }
    pieces.push_back(length);
    return pieces;
}

// The message again, starting `offset` bytes into an allocation that ends with it, so that the
// one-shot forms also meet unaligned data and reading past the end is still caught.
Bytes Shifted(const Bytes& message, std::size_t offset) {
    Bytes shifted(offset + message.size());
    std::copy(message.begin(), message.end(),
              shifted.begin() + static_cast<std::ptrdiff_t>(offset));
    return shifted;
}

// The string hashes have unrolled block forms for long pieces and a plain loop for the rest:
// one byte at a time, the input's pieces and the whole input must agree.
void CheckStringHashes(const Bytes& message, const std::vector<std::size_t>& pieces) {
    for (int selector = 1; selector <= 9; ++selector) {
        const auto hash = static_cast<StringHash>(selector);
        StringHashState byBytes, byPieces;
        StringHashInit(byBytes, hash);
        StringHashInit(byPieces, hash);
        for (std::uint8_t byte : message) StringHashUpdate(byBytes, &byte, 1);
        std::size_t at = 0;
        for (std::size_t piece : pieces) {
            StringHashUpdate(byPieces, piece == 0 ? nullptr : message.data() + at, piece);
            at += piece;
        }
        const std::string whole = StringHashHex(hash, message.data(), message.size());
        Require(StringHashValueHex(StringHashFinish(byBytes)) == whole,
                "a string hash byte by byte gives the whole input's value");
        Require(StringHashValueHex(StringHashFinish(byPieces)) == whole,
                "a string hash in pieces gives the whole input's value");
    }
}

void CheckEngines(const Bytes& message, const std::vector<std::size_t>& pieces,
                  std::size_t offset) {
    const Bytes shifted = Shifted(message, offset);
    for (const testing::EngineUnderTest& engine : testing::EnginesUnderTest()) {
        const std::string oneShot = engine.oneShotHex(message.data(), message.size());
        Require(engine.oneShotHex(shifted.data() + offset, message.size()) == oneShot,
                "the digest does not depend on the data's alignment");
        Require(engine.piecewiseHex(message, pieces) == oneShot, "pieces give the one-shot digest");
        Require(engine.referenceHex(message.data(), message.size()) == oneShot,
                "the one-shot digest is the reference's");
    }
    CheckStringHashes(message, pieces);
    // Keccak's own padding has no reference; its sponge is shared with SHA-3, which has one.
    for (DigestVariant variant :
         {DigestVariant::k224, DigestVariant::k256, DigestVariant::k384, DigestVariant::k512}) {
        Require(testing::KeccakPiecewiseHex(message, pieces, variant, KeccakPadding::kKeccak) ==
                    KeccakHex(message.data(), message.size(), variant),
                "Keccak pieces give the one-shot digest");
    }
}

}  // namespace
}  // namespace tessik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::size_t offset = input.ConsumeIntegralInRange<std::size_t>(0, 15);
    // An allocation of exactly the message, so reading past its end is caught.
    const tessik::testing::Bytes message = input.ConsumeBytes<std::uint8_t>(
        input.ConsumeIntegralInRange<std::size_t>(0, input.remaining_bytes()));
    const std::vector<std::size_t> pieces = tessik::fuzz::ConsumePieces(input, message.size());
    tessik::fuzz::CheckEngines(message, pieces, offset);
    return 0;
}
