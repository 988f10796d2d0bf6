#include "engine_test_support.h"

// The low-level calls are deprecated in OpenSSL 3 but are the only way to MD4 without loading
// the legacy provider, and the only way to forge MD5's length field.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/evp.h>
#include <openssl/md4.h>
#include <openssl/md5.h>
#include <openssl/sha.h>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <utility>

#include "digest/hex.h"
#include "digest/md2.h"
#include "digest/md4.h"
#include "digest/md5.h"
#include "digest/sha1.h"
#include "digest/sha2.h"
#include "digest/sha256.h"
#include "digest/sha512.h"

namespace tessik::testing {
namespace {

// The first 730 decimal digits of pi; the shuffle below consumes 722 of them.
constexpr std::string_view kPiDigits =
    "3141592653589793238462643383279502884197169399375105820974944592307816406"
    "2862089986280348253421170679821480865132823066470938446095505822317253594"
    "0812848111745028410270193852110555964462294895493038196442881097566593344"
    "6128475648233786783165271201909145648566923460348610454326648213393607260"
    "2491412737245870066063155881748815209209628292540917153643678925903600113"
    "3053054882046652138414695194151160943305727036575959195309218611738193261"
    "1793105118548074462379962749567351885752724891227938183011949129833673362"
    "4406566430860213949463952247371907021798609437027705392171762931767523846"
    "7481846766940513200056812714526356082778577134275778960917363717872146844"
    "0901224953430146549585371050792279689258923542019956112129021960864034418";

// MD2's table as its designers built it: a Durstenfeld shuffle of 0-255 whose random numbers
// are taken from successive digits of pi, rejecting values that would bias the choice.
std::array<std::uint8_t, 256> PiShuffle() {
    std::size_t next = 0;
    const auto digit = [&next] { return static_cast<unsigned>(kPiDigits.at(next++) - '0'); };
    const auto below = [&digit](unsigned n) {
        for (;;) {
            unsigned x = digit();
            unsigned range = 10;
            if (n > 10) x = x * 10 + digit(), range = 100;
            if (n > 100) x = x * 10 + digit(), range = 1000;
            if (x < n * (range / n)) return x % n;
        }
    };
    std::array<std::uint8_t, 256> table;
    std::iota(table.begin(), table.end(), 0);
    for (unsigned i = 2; i <= 256; ++i) std::swap(table[below(i)], table[i - 1]);
    return table;
}

// Calls `feed(data, size)` once per piece, in order.
template <typename Feed>
void FeedPieces(const Bytes& message, const std::vector<std::size_t>& pieces, Feed&& feed) {
    std::size_t at = 0;
    for (std::size_t size : pieces) {
        feed(size == 0 ? nullptr : message.data() + at, size);
        at += size;
    }
}

// MD2 and MD4 share one shape: initialise, update, finish into 16 bytes.
template <typename Context, void (*kInit)(Context&),
          void (*kUpdate)(Context&, const std::uint8_t*, std::size_t),
          void (*kFinish)(Context&, std::uint8_t*)>
std::string PiecewiseHex(const Bytes& message, const std::vector<std::size_t>& pieces) {
    Context context;
    kInit(context);
    FeedPieces(message, pieces, [&](auto* data, auto size) { kUpdate(context, data, size); });
    std::uint8_t digest[16];
    kFinish(context, digest);
    return HexDigest(digest, sizeof digest);
}

std::string Md5PiecewiseHex(const Bytes& message, const std::vector<std::size_t>& pieces) {
    Md5Context context;
    Md5Init(context);
    FeedPieces(message, pieces, [&](auto* data, auto size) { Md5Update(context, data, size); });
    std::uint8_t digest[16];
    Md5Finish(context, message.size(), digest);
    return HexDigest(digest, sizeof digest);
}

template <typename Context>
std::string Sha2PiecewiseHex(void (*init)(Context&, DigestVariant),
                             void (*update)(Context&, const std::uint8_t*, std::size_t),
                             void (*finish)(Context&, std::uint8_t*), const Bytes& message,
                             const std::vector<std::size_t>& pieces, DigestVariant variant) {
    Context context;
    init(context, variant);
    FeedPieces(message, pieces, [&](auto* data, auto size) { update(context, data, size); });
    std::uint8_t digest[64];
    finish(context, digest);
    return HexDigest(digest, context.digestSize);
}

// The SHA-2 and SHA-3 sizes, as one-shot, piecewise and OpenSSL reference functions.
template <DigestVariant kVariant>
std::string Sha2OneShot(const std::uint8_t* data, std::size_t length) {
    return Sha2Hex(data, length, kVariant);
}

template <DigestVariant kVariant>
std::string Sha2Piecewise(const Bytes& message, const std::vector<std::size_t>& pieces) {
    if (kVariant == DigestVariant::k224 || kVariant == DigestVariant::k256) {
        return Sha2PiecewiseHex(Sha256Init, Sha256Update, Sha256Finish, message, pieces, kVariant);
    }
    return Sha2PiecewiseHex(Sha512Init, Sha512Update, Sha512Finish, message, pieces, kVariant);
}

template <DigestVariant kVariant>
std::string Sha3OneShot(const std::uint8_t* data, std::size_t length) {
    return Sha3Hex(data, length, kVariant);
}

template <DigestVariant kVariant>
std::string Sha3Piecewise(const Bytes& message, const std::vector<std::size_t>& pieces) {
    return KeccakPiecewiseHex(message, pieces, kVariant, KeccakPadding::kSha3);
}

std::string EvpHex(const char* algorithm, const std::uint8_t* data, std::size_t length) {
    const std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> md(
        EVP_MD_fetch(nullptr, algorithm, nullptr), EVP_MD_free);
    std::uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (!md || !EVP_Digest(data, length, digest, &size, md.get(), nullptr)) return {};
    return HexDigest(digest, size);
}

template <const char* kAlgorithm>
std::string EvpReference(const std::uint8_t* data, std::size_t length) {
    return EvpHex(kAlgorithm, data, length);
}

constexpr char kSha224[] = "SHA224", kSha256[] = "SHA256", kSha384[] = "SHA384",
               kSha512[] = "SHA512", kSha3_224[] = "SHA3-224", kSha3_256[] = "SHA3-256",
               kSha3_384[] = "SHA3-384", kSha3_512[] = "SHA3-512";

std::string Sha1PiecewiseHex(const Bytes& message, const std::vector<std::size_t>& pieces) {
    Sha1Engine engine;
    engine.Restart();
    FeedPieces(message, pieces, [&](auto* data, auto size) { engine.Absorb(data, size); });
    engine.Finish();
    std::string text;
    engine.WriteHex(text);
    return text;
}

}  // namespace

const std::vector<EngineUnderTest>& EnginesUnderTest() {
    using V = DigestVariant;
    static const std::vector<EngineUnderTest> engines = {
        {"MD2", Md2Hex, PiecewiseHex<Md2Context, Md2Init, Md2Update, Md2Finish>, ReferenceMd2Hex},
        {"MD4", Md4Hex, PiecewiseHex<Md4Context, Md4Init, Md4Update, Md4Finish>, ReferenceMd4Hex},
        {"MD5", Md5Hex, Md5PiecewiseHex, ReferenceMd5Hex},
        {"SHA-1", Sha1Hex, Sha1PiecewiseHex, ReferenceSha1Hex},
        {"SHA-2(224)", Sha2OneShot<V::k224>, Sha2Piecewise<V::k224>, EvpReference<kSha224>},
        {"SHA-2(256)", Sha2OneShot<V::k256>, Sha2Piecewise<V::k256>, EvpReference<kSha256>},
        {"SHA-2(384)", Sha2OneShot<V::k384>, Sha2Piecewise<V::k384>, EvpReference<kSha384>},
        {"SHA-2(512)", Sha2OneShot<V::k512>, Sha2Piecewise<V::k512>, EvpReference<kSha512>},
        {"SHA-3(224)", Sha3OneShot<V::k224>, Sha3Piecewise<V::k224>, EvpReference<kSha3_224>},
        {"SHA-3(256)", Sha3OneShot<V::k256>, Sha3Piecewise<V::k256>, EvpReference<kSha3_256>},
        {"SHA-3(384)", Sha3OneShot<V::k384>, Sha3Piecewise<V::k384>, EvpReference<kSha3_384>},
        {"SHA-3(512)", Sha3OneShot<V::k512>, Sha3Piecewise<V::k512>, EvpReference<kSha3_512>},
    };
    return engines;
}

const EngineUnderTest& EngineNamed(std::string_view name) {
    const auto& engines = EnginesUnderTest();
    return *std::find_if(engines.begin(), engines.end(),
                         [name](const EngineUnderTest& engine) { return engine.name == name; });
}

std::string KeccakPiecewiseHex(const Bytes& message, const std::vector<std::size_t>& pieces,
                               DigestVariant variant, KeccakPadding padding) {
    KeccakSponge sponge;
    KeccakInit(sponge, variant, padding);
    FeedPieces(message, pieces, [&](auto* data, auto size) { KeccakUpdate(sponge, data, size); });
    std::uint8_t digest[64];
    KeccakFinish(sponge, digest);
    return HexDigest(digest, sponge.digestSize);
}

Bytes RandomBytes(std::mt19937_64& random, std::size_t length) {
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes bytes(length);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(random));
    return bytes;
}

std::vector<std::size_t> RandomPieces(std::mt19937_64& random, std::size_t length) {
    std::vector<std::size_t> pieces;
    while (length > 0) {
        const auto kind = random() % 4;
        std::size_t size = kind == 0   ? random() % 2        // empty or a single byte
                           : kind == 1 ? 60 + random() % 10  // about one block
                           : kind == 2 ? random() % 16
                                       : random() % (length + 1);  // a long run
        size = std::min(size, length);
        pieces.push_back(size);
        length -= size;
    }
    pieces.push_back(0);
    return pieces;
}

// Pads the whole message, computes the checksum over it, then runs every block: the order in
// which the standard describes MD2, unlike the engine's streaming form.
std::string ReferenceMd2Hex(const std::uint8_t* data, std::size_t length) {
    static const std::array<std::uint8_t, 256> s = PiShuffle();
    std::vector<std::uint8_t> message(data, data + length);
    const std::size_t pad = 16 - length % 16;
    message.insert(message.end(), pad, static_cast<std::uint8_t>(pad));

    std::uint8_t checksum[16] = {};
    std::uint8_t last = 0;
    for (std::size_t i = 0; i < message.size(); ++i) {
        last = checksum[i % 16] ^= s[message[i] ^ last];
    }
    message.insert(message.end(), checksum, checksum + 16);

    std::uint8_t x[48] = {};
    for (std::size_t block = 0; block < message.size(); block += 16) {
        for (int j = 0; j < 16; ++j) {
            x[16 + j] = message[block + j];
            x[32 + j] = x[16 + j] ^ x[j];
        }
        std::uint8_t t = 0;
        for (int round = 0; round < 18; ++round) {
            for (std::uint8_t& cell : x) t = cell ^= s[t];
            t = static_cast<std::uint8_t>(t + round);
        }
    }
    return HexDigest(x, 16);
}

std::string ReferenceMd4Hex(const std::uint8_t* data, std::size_t length) {
    std::uint8_t digest[MD4_DIGEST_LENGTH];
    MD4(data, length, digest);
    return HexDigest(digest, sizeof digest);
}

std::string ReferenceMd5Hex(const std::uint8_t* data, std::size_t length) {
    return ReferenceMd5HexClaimingTotal(data, length, length);
}

std::string ReferenceMd5HexClaimingTotal(const std::uint8_t* data, std::size_t length,
                                         std::uint64_t totalBytes) {
    MD5_CTX context;
    MD5_Init(&context);
    MD5_Update(&context, data, length);
    // OpenSSL encodes its (Nh, Nl) bit count, whatever it was fed; the buffer position is kept
    // apart, so rewriting the count forges only the length field.
    const std::uint64_t bits = totalBytes << 3;
    context.Nl = static_cast<MD5_LONG>(bits);
    context.Nh = static_cast<MD5_LONG>(bits >> 32);
    std::uint8_t digest[MD5_DIGEST_LENGTH];
    MD5_Final(digest, &context);
    return HexDigest(digest, sizeof digest);
}

std::string ReferenceSha1Hex(const std::uint8_t* data, std::size_t length) {
    std::uint8_t digest[SHA_DIGEST_LENGTH];
    SHA1(data, length, digest);
    return HexDigest(digest, sizeof digest);
}

}  // namespace tessik::testing
