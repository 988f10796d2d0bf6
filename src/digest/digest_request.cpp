#include "digest/digest_request.h"

#include <cstdint>

#include "digest/algorithm_catalogue.h"
#include "digest/file_digest.h"
#include "digest/hex.h"
#include "platform/text_conversion.h"

namespace tessik {
namespace {

std::string InLetterCase(std::string hex, bool lowerCase) {
    return lowerCase ? hex : AsciiUpper(std::move(hex));
}

}  // namespace

std::string HashFromString(int algorithmIndex, const std::u16string& text, bool lowerCase) {
    const std::string bytes = ToUtf8(text);
    const auto engine = AlgorithmForIndex(algorithmIndex).makeEngine();
    const Digest digest = DigestOfBytes(
        *engine, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return InLetterCase(HexDigest(digest), lowerCase);
}

std::string HashFromFile(int algorithmIndex, const std::u16string& path, bool lowerCase) {
    const AlgorithmInfo& algorithm = AlgorithmForIndex(algorithmIndex);
    const auto engine = algorithm.makeEngine();
    const FileDigestResult result = DigestFile(*engine, path);
    if (result.outcome != FileDigestOutcome::kDigest) return std::string(algorithm.unreadableHex);
    return InLetterCase(HexDigest(result.digest), lowerCase);
}

}  // namespace tessik
