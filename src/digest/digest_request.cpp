#include "digest/digest_request.h"

#include <cstdint>

#include "digest/file_digest.h"
#include "digest/hex.h"
#include "platform/text_conversion.h"

namespace tessik {

std::string HashFromString(int algorithmIndex, const std::u16string& text, bool lowerCase) {
    return HexDigest(DigestOfText(AlgorithmForIndex(algorithmIndex), text), lowerCase);
}

std::string HashFromFile(int algorithmIndex, const std::u16string& path, bool lowerCase) {
    const AlgorithmInfo& algorithm = AlgorithmForIndex(algorithmIndex);
    const auto engine = algorithm.makeEngine();
    const FileDigestResult result = DigestFile(*engine, path);
    if (result.outcome != FileDigestOutcome::kDigest) return std::string(algorithm.unreadableHex);
    return HexDigest(result.digest, lowerCase);
}

Digest DigestOfText(const AlgorithmInfo& algorithm, const std::u16string& text) {
    const std::string bytes = ToUtf8(text);
    const auto engine = algorithm.makeEngine();
    return DigestOfBytes(*engine, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                         bytes.size());
}

}  // namespace tessik
