#include "openssl_reference.h"

#include <openssl/evp.h>

#include <memory>

#include "digest/hex.h"

namespace tessik::test {

std::string OpensslHex(const char* algorithm, const Bytes& data) {
    std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> md(EVP_MD_fetch(nullptr, algorithm, nullptr),
                                                       EVP_MD_free);
    std::uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (!md || !EVP_Digest(data.data(), data.size(), digest, &size, md.get(), nullptr)) return {};
    return HexDigest(digest, size);
}

Bytes RandomBytes(std::mt19937_64& random, std::size_t count) {
    Bytes bytes(count);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    return bytes;
}

Bytes FromHex(std::string_view hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(
            static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

Bytes FromText(std::string_view text, std::size_t repeat) {
    Bytes bytes;
    bytes.reserve(text.size() * repeat);
    for (std::size_t i = 0; i < repeat; ++i) bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

void FeedInPieces(const Bytes& data, std::mt19937_64& random, std::size_t maxPiece,
                  const std::function<void(const std::uint8_t*, std::size_t)>& feed) {
    std::size_t offset = 0;
    while (offset < data.size()) {
        const std::size_t piece =
            std::min<std::size_t>(random() % (maxPiece + 1), data.size() - offset);
        feed(data.data() + offset, piece);
        offset += piece;
    }
}

}  // namespace tessik::test
