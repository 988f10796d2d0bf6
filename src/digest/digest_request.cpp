#include "digest/digest_request.h"

#include <cstdint>

#include "digest/algorithm_catalogue.h"
#include "digest/file_digest.h"
#include "digest/hex.h"
#include "digest/keccak.h"
#include "digest/md2.h"
#include "digest/md4.h"
#include "digest/md5.h"
#include "digest/sha1.h"
#include "digest/sha2.h"
#include "digest/string_hashes.h"
#include "digest/text_conversion.h"

namespace tessik {
namespace {

using Family = AlgorithmFamily;

std::string BytesHex(const AlgorithmInfo& algorithm, const std::uint8_t* data, std::size_t length) {
    switch (algorithm.family) {
        case Family::kMd2:
            return Md2Hex(data, length);
        case Family::kMd4:
            return Md4Hex(data, length);
        case Family::kMd5:
            return Md5Hex(data, length);
        case Family::kSha1:
            return Sha1Hex(data, length);
        case Family::kSha2:
            return Sha2Hex(data, length, algorithm.variant);
        case Family::kKeccak:
            return KeccakHex(data, length, algorithm.variant);
        case Family::kSha3:
            return Sha3Hex(data, length, algorithm.variant);
        case Family::kStringHash:
            break;
    }
    return StringHashHex(algorithm.stringHash, data, length);
}

std::string FileHex(const AlgorithmInfo& algorithm, const std::u16string& path) {
    switch (algorithm.family) {
        case Family::kMd2:
            return Md2FileHex(path);
        case Family::kMd4:
            return Md4FileHex(path);
        case Family::kMd5:
            return Md5FileHex(path);
        case Family::kSha1:
            return Sha1FileHex(path);
        case Family::kSha2:
            return Sha2FileHex(path, algorithm.variant);
        case Family::kKeccak:
            return KeccakFileHex(path, algorithm.variant);
        case Family::kSha3:
            return Sha3FileHex(path, algorithm.variant);
        case Family::kStringHash:
            break;
    }
    return StringHashFileHex(path, algorithm.stringHash);
}

std::string InLetterCase(std::string hex, bool lowerCase) {
    return lowerCase ? hex : AsciiUpper(std::move(hex));
}

}  // namespace

std::string HashFromString(int algorithmIndex, const std::u16string& text, bool lowerCase) {
    const std::string bytes = ToUtf8(text);
    return InLetterCase(BytesHex(AlgorithmForIndex(algorithmIndex),
                                 reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                        lowerCase);
}

std::string HashFromFile(int algorithmIndex, const std::u16string& path, bool lowerCase) {
    return InLetterCase(FileHex(AlgorithmForIndex(algorithmIndex), path), lowerCase);
}

}  // namespace tessik
