#include "digest/file_digest.h"

#include <cstdint>
#include <optional>

#include "digest/file_stream.h"
#include "digest/hex.h"
#include "digest/keccak.h"
#include "digest/md2.h"
#include "digest/md4.h"
#include "digest/md5.h"
#include "digest/sha1.h"
#include "digest/sha256.h"
#include "digest/sha512.h"
#include "digest/string_hashes.h"

namespace tessik {
namespace {

constexpr std::size_t kMdDigestBytes = 16;
constexpr std::size_t kLargestDigestBytes = 64;

// Streams the file into an engine through `update` (a function of context, data and length);
// returns the bytes digested, or nothing when the file could not be read.
template <typename Context, typename Update>
std::optional<std::uint64_t> StreamInto(const std::u16string& path, Context& context,
                                        Update update) {
    return StreamFile(
        path, [&](const std::uint8_t* data, std::size_t length) { update(context, data, length); });
}

// Streams the file into an initialised context and renders `digestBytes` of what its finish
// writes.
template <typename Context, typename Update, typename Finish>
std::string ContextFileHex(const std::u16string& path, Context& context, Update update,
                           Finish finish, std::size_t digestBytes) {
    if (!StreamInto(path, context, update)) return {};
    std::uint8_t digest[kLargestDigestBytes];
    finish(context, digest);
    return HexDigest(digest, digestBytes);
}

std::string SpongeFileHex(const std::u16string& path, DigestVariant variant,
                          KeccakPadding padding) {
    KeccakSponge sponge;
    KeccakInit(sponge, variant, padding);
    return ContextFileHex(path, sponge, KeccakUpdate, KeccakFinish, sponge.digestSize);
}

}  // namespace

std::string Md2FileHex(const std::u16string& path) {
    Md2Context context;
    Md2Init(context);
    return ContextFileHex(path, context, Md2Update, Md2Finish, kMdDigestBytes);
}

std::string Md4FileHex(const std::u16string& path) {
    Md4Context context;
    Md4Init(context);
    return ContextFileHex(path, context, Md4Update, Md4Finish, kMdDigestBytes);
}

std::string Md5FileHex(const std::u16string& path) {
    Md5Context context;
    Md5Init(context);
    const auto total = StreamInto(path, context, Md5Update);
    if (!total) return {};
    std::uint8_t digest[kMdDigestBytes];
    Md5Finish(context, *total, digest);
    return HexDigest(digest, sizeof digest);
}

std::string Sha1FileHex(const std::u16string& path) {
    Sha1Engine engine;
    engine.Restart();
    const auto absorb = [](Sha1Engine& e, const std::uint8_t* data, std::size_t length) {
        e.Absorb(data, length);
    };
    if (!StreamInto(path, engine, absorb)) return {};
    engine.Finish();
    std::string text;
    engine.WriteHex(text);
    return text;
}

std::string Sha2FileHex(const std::u16string& path, DigestVariant variant) {
    if (variant == DigestVariant::k224 || variant == DigestVariant::k256) {
        Sha256Context context;
        Sha256Init(context, variant);
        return ContextFileHex(path, context, Sha256Update, Sha256Finish, context.digestSize);
    }
    Sha512Context context;
    Sha512Init(context, variant);
    return ContextFileHex(path, context, Sha512Update, Sha512Finish, context.digestSize);
}

std::string KeccakFileHex(const std::u16string& path, DigestVariant variant) {
    return SpongeFileHex(path, variant, KeccakPadding::kKeccak);
}

std::string Sha3FileHex(const std::u16string& path, DigestVariant variant) {
    return SpongeFileHex(path, variant, KeccakPadding::kSha3);
}

std::string StringHashFileHex(const std::u16string& path, StringHash hash) {
    StringHashState state;
    StringHashInit(state, hash);
    // The state counts the bytes itself, so DEK starts from the length actually read.
    if (!StreamInto(path, state, StringHashUpdate)) return StringHashValueHex(0);
    return StringHashValueHex(StringHashFinish(state));
}

}  // namespace tessik
