// Digest requests on any index, text and letter case: the result has the catalogue's length in
// the asked case, depends on nothing but the text's UTF-8 bytes, and a file of those bytes
// gives the same result.

#include <cstdint>
#include <string>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_request.h"
#include "digest/hex.h"
#include "platform/text_conversion.h"
#include "fuzz_support.h"

namespace tessik::fuzz {
namespace {

bool IsHexInCase(const std::string& text, bool lowerCase) {
    for (char c : text) {
        const bool digit = c >= '0' && c <= '9';
        const bool letter = lowerCase ? c >= 'a' && c <= 'f' : c >= 'A' && c <= 'F';
        if (!digit && !letter) return false;
    }
    return true;
}

void Check(int index, const std::u16string& text, bool lowerCase) {
    const std::string digest = HashFromString(index, text, lowerCase);
    const AlgorithmInfo& algorithm = AlgorithmForIndex(index);
    Require(digest.size() == static_cast<std::size_t>(algorithm.digestBytes) * 2,
            "the digest has the catalogue's length");
    std::string lower = digest;
    for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    Require(IsHexInCase(digest, lowerCase), "the digest is hexadecimal in the asked case");
    Require(HashFromString(index, text, !lowerCase) == (lowerCase ? AsciiUpper(digest) : lower),
            "the letter case changes nothing else");
    Require(HashFromString(index, FromUtf8(ToUtf8(text)), lowerCase) == digest,
            "only the text's UTF-8 bytes count");
    const std::u16string file = WriteScratchFile("text", ToUtf8(text));
    Require(HashFromFile(index, file, lowerCase) == digest, "a file gives the text's digest");
}

}  // namespace
}  // namespace tessik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Mostly the catalogue's own indexes, sometimes any int.
    const int index = input.ConsumeBool() ? input.ConsumeIntegral<int>()
                                          : input.ConsumeIntegralInRange<int>(-1, 25);
    const bool lowerCase = input.ConsumeBool();
    tessik::fuzz::Check(index, tessik::fuzz::ConsumeUtf16(input, size), lowerCase);
    return 0;
}
