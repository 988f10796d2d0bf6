// Every engine over the same bytes: fed in the pieces the input chooses (empty ones included)
// or a byte at a time it gives its one-shot digest, and that digest is the independent
// implementation's where there is one. BLAKE3, which has none here, gives the same output on
// every kernel path, and its extended output begins with its digest.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "digest/blake3.h"
#include "digest/digest_paths.h"
#include "digest/engine_test_support.h"
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

// Every catalogue engine, the ones without a reference (Keccak's own padding) included: the
// input's pieces and a byte at a time give the one-shot digest whatever the data's alignment.
void CheckEngines(const Bytes& message, const std::vector<std::size_t>& pieces,
                  std::size_t offset) {
    const Bytes shifted = Shifted(message, offset);
    const std::vector<std::size_t> singleBytes(message.size(), 1);
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        const std::string oneShot = testing::OneShotHex(algorithm, message);
        Require(testing::OneShotHex(algorithm, shifted.data() + offset, message.size()) == oneShot,
                "the digest does not depend on the data's alignment");
        Require(testing::PiecewiseHex(algorithm, message, pieces) == oneShot,
                "pieces give the one-shot digest");
        Require(testing::PiecewiseHex(algorithm, message, singleBytes) == oneShot,
                "single bytes give the one-shot digest");
    }
    for (const testing::EngineUnderTest& engine : testing::EnginesUnderTest()) {
        Require(engine.referenceHex(message.data(), message.size()) ==
                    testing::OneShotHex(engine.algorithm, message),
                "the one-shot digest is the reference's");
    }
}

// 131 bytes: two whole output blocks and part of a third.
Bytes Blake3Output(const Bytes& message, const std::vector<std::size_t>& pieces) {
    Blake3Engine engine;
    std::size_t at = 0;
    for (std::size_t piece : pieces) {
        engine.Update(message.data() + at, piece);
        at += piece;
    }
    Bytes output(131);
    engine.FinishExtended(output.data(), output.size());
    return output;
}

void CheckBlake3(const Bytes& message, const std::vector<std::size_t>& pieces) {
    ForceDigestPath(DigestPath::kPortable);
    const Bytes portable = Blake3Output(message, pieces);
    for (DigestPath path : SupportedDigestPaths()) {
        ForceDigestPath(path);
        Require(Blake3Output(message, pieces) == portable, "every path gives the portable output");
    }
    UseFastestDigestPaths();
    Blake3Engine engine;
    Require(DigestOfBytes(engine, message.data(), message.size()) ==
                Bytes(portable.begin(), portable.begin() + kBlake3DigestBytes),
            "the extended output begins with the digest");
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
    tessik::fuzz::CheckBlake3(message, pieces);
    return 0;
}
