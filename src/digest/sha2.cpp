#include "digest/sha2.h"

#include "digest/hex.h"
#include "digest/sha256.h"
#include "digest/sha512.h"

namespace tessik {

std::string Sha2Hex(const std::uint8_t* data, std::size_t length, DigestVariant variant) {
    std::uint8_t digest[64];
    if (variant == DigestVariant::k224 || variant == DigestVariant::k256) {
        Sha256Context context;
        Sha256Init(context, variant);
        Sha256Update(context, data, length);
        Sha256Finish(context, digest);
        return HexDigest(digest, context.digestSize);
    }
    Sha512Context context;
    Sha512Init(context, variant);
    Sha512Update(context, data, length);
    Sha512Finish(context, digest);
    return HexDigest(digest, context.digestSize);
}

}  // namespace tessik
