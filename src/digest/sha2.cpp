#include "digest/sha2.h"

#include "digest/hex.h"
#include "digest/sha256.h"
#include "digest/sha512.h"

namespace tessik {
namespace {

template <typename Context>
std::string OneShotHex(void (*init)(Context&, DigestVariant),
                       void (*update)(Context&, const std::uint8_t*, std::size_t),
                       void (*finish)(Context&, std::uint8_t*), const std::uint8_t* data,
                       std::size_t length, DigestVariant variant) {
    Context context;
    init(context, variant);
    update(context, data, length);
    std::uint8_t digest[64];
    finish(context, digest);
    return HexDigest(digest, context.digestSize);
}

}  // namespace

std::string Sha2Hex(const std::uint8_t* data, std::size_t length, DigestVariant variant) {
    if (variant == DigestVariant::k224 || variant == DigestVariant::k256) {
        return OneShotHex(Sha256Init, Sha256Update, Sha256Finish, data, length, variant);
    }
    return OneShotHex(Sha512Init, Sha512Update, Sha512Finish, data, length, variant);
}

}  // namespace tessik
