#include "digest/sha2.h"

#include <gtest/gtest.h>

// The low-level interface is the one that lets a test set the length counters.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/sha.h>

#include "digest/hex.h"
#include "digest/sha256.h"
#include "digest/sha512.h"
#include "openssl_reference.h"

namespace tessik {
namespace {

using test::Bytes;
using test::FromText;
using V = DigestVariant;

constexpr V kVariants[] = {V::k224, V::k256, V::k384, V::k512};
constexpr const char* kOpensslNames[] = {"SHA224", "SHA256", "SHA384", "SHA512"};

const Bytes k448Bits = FromText("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq");
const Bytes k896Bits = FromText(
    "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmn"
    "opqrsmnopqrstnopqrstu");
const Bytes kMillionA = FromText("a", 1000000);

std::string Sha2Of(const Bytes& message, V variant) {
    return Sha2Hex(message.empty() ? nullptr : message.data(), message.size(), variant);
}

// Through the engine's own context, in pieces of random sizes.
template <typename Context>
std::string Streamed(void (*init)(Context&, V),
                     void (*update)(Context&, const std::uint8_t*, std::size_t),
                     void (*finish)(Context&, std::uint8_t*), const Bytes& message, V variant,
                     std::mt19937_64& random) {
    Context context;
    init(context, variant);
    test::FeedInPieces(message, random, 300, [&](const std::uint8_t* data, std::size_t size) {
        update(context, data, size);
    });
    std::uint8_t digest[64];
    finish(context, digest);
    return HexDigest(digest, context.digestSize);
}

std::string StreamedSha2(const Bytes& message, V variant, std::mt19937_64& random) {
    if (variant == V::k224 || variant == V::k256) {
        return Streamed(Sha256Init, Sha256Update, Sha256Finish, message, variant, random);
    }
    return Streamed(Sha512Init, Sha512Update, Sha512Finish, message, variant, random);
}

// The examples of FIPS 180-4 (NIST's published example values: "abc" and the two-block
// messages) and of FIPS 180-2 (one million 'a'), and the published digests of the empty message.
TEST(Sha2, MatchesPublishedDigests) {
    struct Case {
        V variant;
        const Bytes& message;
        const char* digest;
    };
    const Bytes empty, abc = FromText("abc");
    const Case cases[] = {
        {V::k224, empty, "d14a028c2a3a2bc9476102bb288234c415a2b01f828ea62ac5b3e42f"},
        {V::k224, abc, "23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7"},
        {V::k224, k448Bits, "75388b16512776cc5dba5da1fd890150b0c6455cb4f58b1952522525"},
        {V::k224, k896Bits, "c97ca9a559850ce97a04a96def6d99a9e0e0e2ab14e6b8df265fc0b3"},
        {V::k224, kMillionA, "20794655980c91d8bbb4c1ea97618a4bf03f42581948b2ee4ee7ad67"},
        {V::k256, empty, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {V::k256, abc, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {V::k256, k448Bits, "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {V::k256, k896Bits, "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {V::k256, kMillionA, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {V::k384, empty,
         "38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da274edebfe76f65fbd51ad2f1"
         "4898b95b"},
        {V::k384, abc,
         "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed8086072ba1e7cc2358baeca1"
         "34c825a7"},
        {V::k384, k448Bits,
         "3391fdddfc8dc7393707a65b1b4709397cf8b1d162af05abfe8f450de5f36bc6b0455a8520bc4e6f5fe95b1f"
         "e3c8452b"},
        {V::k384, k896Bits,
         "09330c33f71147e83d192fc782cd1b4753111b173b3b05d22fa08086e3b0f712fcc7c71a557e2db966c3e9fa"
         "91746039"},
        {V::k384, kMillionA,
         "9d0e1809716474cb086e834e310a4a1ced149e9c00f248527972cec5704c2a5b07b8b3dc38ecc4ebae97ddd8"
         "7f3d8985"},
        {V::k512, empty,
         "cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce47d0d13c5d85f2b0ff8318d2"
         "877eec2f63b931bd47417a81a538327af927da3e"},
        {V::k512, abc,
         "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23"
         "a3feebbd454d4423643ce80e2a9ac94fa54ca49f"},
        {V::k512, k448Bits,
         "204a8fc6dda82f0a0ced7beb8e08a41657c16ef468b228a8279be331a703c33596fd15c13b1b07f9aa1d3bea"
         "57789ca031ad85c7a71dd70354ec631238ca3445"},
        {V::k512, k896Bits,
         "8e959b75dae313da8cf4f72814fc143f8f7779c6eb9f7fa17299aeadb6889018501d289e4900f7e4331b99de"
         "c4b5433ac7d329eeb6dd26545e96e55b874be909"},
        {V::k512, kMillionA,
         "e718483d0ce769644e2e42c7bc15b4638e1f98b13b2044285632a803afa973ebde0ff244877ea60a4cb0432c"
         "e577c31beb009c5c2c49aa2e4eadb217ad8cc09b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sha2Of(c.message, c.variant), c.digest)
            << "variant " << static_cast<int>(c.variant) << ", " << c.message.size() << " bytes";
    }
}

// Lengths where the padding moves to a second final block, and whole blocks.
TEST(Sha2, MatchesOpensslAroundTheFinalBlockBoundaries) {
    const std::size_t smallBlocks[] = {0, 1, 55, 56, 63, 64, 65, 119, 120, 127, 128};
    const std::size_t largeBlocks[] = {0, 1, 111, 112, 127, 128, 129, 239, 240, 255, 256};
    std::mt19937_64 random(1);
    for (int v = 0; v < 4; ++v) {
        for (std::size_t length : v < 2 ? smallBlocks : largeBlocks) {
            const Bytes message = test::RandomBytes(random, length);
            EXPECT_EQ(Sha2Of(message, kVariants[v]), test::OpensslHex(kOpensslNames[v], message))
                << kOpensslNames[v] << ", " << length << " bytes";
        }
    }
}

TEST(Sha2, MatchesOpensslOnRandomInputs) {
    std::mt19937_64 random(2);
    for (int v = 0; v < 4; ++v) {
        for (int i = 0; i < 300; ++i) {
            const Bytes message = test::RandomBytes(random, random() % 3000);
            ASSERT_EQ(Sha2Of(message, kVariants[v]), test::OpensslHex(kOpensslNames[v], message))
                << kOpensslNames[v] << ", " << message.size() << " bytes";
        }
    }
}

TEST(Sha2, StreamingInRandomPiecesGivesTheOneShotDigest) {
    std::mt19937_64 random(3);
    for (V variant : kVariants) {
        for (int i = 0; i < 100; ++i) {
            const Bytes message = test::RandomBytes(random, random() % 2000);
            ASSERT_EQ(StreamedSha2(message, variant, random), Sha2Of(message, variant))
                << "variant " << static_cast<int>(variant) << ", " << message.size() << " bytes";
        }
    }
}

TEST(Sha2, VariantsOutsideTheCatalogueRunTheWidestEngine) {
    const Bytes abc = FromText("abc");
    const std::string sha512 = Sha2Of(abc, V::k512);
    const std::string sha256 = Sha2Of(abc, V::k256);
    for (int value : {4, 5, 255, -1}) {
        EXPECT_EQ(Sha2Of(abc, static_cast<V>(value)), sha512) << value;
    }

    // Each engine on its own starts its longer algorithm for any variant but its shorter one.
    std::uint8_t digest[64];
    Sha256Context context;
    Sha256Init(context, V::k512);
    Sha256Update(context, abc.data(), abc.size());
    Sha256Finish(context, digest);
    EXPECT_EQ(HexDigest(digest, context.digestSize), sha256);
}

// Both engines resume from the same chaining value as if `before` bytes had already gone
// through them, so the digests can differ only in how the length is counted and encoded.
TEST(Sha256, CountsTheLengthPastFourGibibytes) {
    std::mt19937_64 random(4);
    const Bytes tail = test::RandomBytes(random, 300);
    for (std::uint64_t before : {(std::uint64_t{1} << 32) - 64, (std::uint64_t{5} << 32) + 4096}) {
        Sha256Context ours;
        Sha256Init(ours, V::k256);
        ours.total = before;
        Sha256Update(ours, tail.data(), tail.size());
        std::uint8_t ourDigest[32];
        Sha256Finish(ours, ourDigest);

        SHA256_CTX theirs;
        SHA256_Init(&theirs);
        theirs.Nl = static_cast<SHA_LONG>(before << 3);
        theirs.Nh = static_cast<SHA_LONG>(before >> 29);
        SHA256_Update(&theirs, tail.data(), tail.size());
        std::uint8_t theirDigest[32];
        SHA256_Final(theirDigest, &theirs);

        EXPECT_EQ(HexDigest(ourDigest, 32), HexDigest(theirDigest, 32)) << before;
    }
}

// The 128-bit length field: its high word takes the bits that shift out of the byte count.
TEST(Sha512, CountsTheLengthPastFourGibibytesAndPastTheLowLengthWord) {
    std::mt19937_64 random(5);
    const Bytes tail = test::RandomBytes(random, 300);
    for (std::uint64_t before : {(std::uint64_t{1} << 32) - 128, (std::uint64_t{1} << 61) - 128,
                                 (std::uint64_t{3} << 61) + 256}) {
        Sha512Context ours;
        Sha512Init(ours, V::k512);
        ours.total = before;
        Sha512Update(ours, tail.data(), tail.size());
        std::uint8_t ourDigest[64];
        Sha512Finish(ours, ourDigest);

        SHA512_CTX theirs;
        SHA512_Init(&theirs);
        theirs.Nl = before << 3;
        theirs.Nh = before >> 61;
        SHA512_Update(&theirs, tail.data(), tail.size());
        std::uint8_t theirDigest[64];
        SHA512_Final(theirDigest, &theirs);

        EXPECT_EQ(HexDigest(ourDigest, 64), HexDigest(theirDigest, 64)) << before;
    }
}

}  // namespace
}  // namespace tessik
