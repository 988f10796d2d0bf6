#include "digest/sha2_engine.h"

#include <gtest/gtest.h>

// The low-level interface is the one that lets a test set the length counters.
#ifndef TESSIK_WITHOUT_LIBCRYPTO
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/sha.h>
#endif

#include <random>
#include <string>
#include <string_view>

#include "digest/digest_kernels.h"
#include "digest/hex.h"
#include "engine_test_support.h"

namespace tessik {
namespace {

using testing::Bytes;

enum class V { k224, k256, k384, k512, k512t224, k512t256 };

constexpr std::string_view k448Bits = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
constexpr std::string_view k896Bits =
    "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnop"
    "qrsmnopqrstnopqrstu";

std::string Sha2Of(std::string_view text, std::size_t times, V variant) {
    constexpr std::string_view kNames[] = {"SHA-2(224)", "SHA-2(256)",     "SHA-2(384)",
                                           "SHA-2(512)", "SHA-2(512/224)", "SHA-2(512/256)"};
    Bytes message;
    for (std::size_t i = 0; i < times; ++i) message.insert(message.end(), text.begin(), text.end());
    return testing::OneShotHex(testing::AlgorithmNamed(kNames[static_cast<int>(variant)]), message);
}

// The examples of FIPS 180-4 (NIST's published example values: "abc" and the two-block
// messages) and of FIPS 180-2 (one million 'a'), and the published digests of the empty message.
// SHA-512/224 ends halfway through a chaining word, which no other size does.
TEST(Sha2, MatchesPublishedDigests) {
    const struct {
        V variant;
        std::string_view text;  // repeated `times` times
        std::size_t times;
        std::string_view digest;
    } cases[] = {
        {V::k224, "", 1, "d14a028c2a3a2bc9476102bb288234c415a2b01f828ea62ac5b3e42f"},
        {V::k224, "abc", 1, "23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7"},
        {V::k224, k448Bits, 1, "75388b16512776cc5dba5da1fd890150b0c6455cb4f58b1952522525"},
        {V::k224, k896Bits, 1, "c97ca9a559850ce97a04a96def6d99a9e0e0e2ab14e6b8df265fc0b3"},
        {V::k224, "a", 1000000, "20794655980c91d8bbb4c1ea97618a4bf03f42581948b2ee4ee7ad67"},
        {V::k256, "", 1, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {V::k256, "abc", 1, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {V::k256, k448Bits, 1, "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {V::k256, k896Bits, 1, "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {V::k256, "a", 1000000, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {V::k384, "", 1,
         "38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da274edebfe76f65fbd51ad2f1"
         "4898b95b"},
        {V::k384, "abc", 1,
         "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed8086072ba1e7cc2358baeca1"
         "34c825a7"},
        {V::k384, k448Bits, 1,
         "3391fdddfc8dc7393707a65b1b4709397cf8b1d162af05abfe8f450de5f36bc6b0455a8520bc4e6f5fe95b1f"
         "e3c8452b"},
        {V::k384, k896Bits, 1,
         "09330c33f71147e83d192fc782cd1b4753111b173b3b05d22fa08086e3b0f712fcc7c71a557e2db966c3e9fa"
         "91746039"},
        {V::k384, "a", 1000000,
         "9d0e1809716474cb086e834e310a4a1ced149e9c00f248527972cec5704c2a5b07b8b3dc38ecc4ebae97ddd8"
         "7f3d8985"},
        {V::k512, "", 1,
         "cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce47d0d13c5d85f2b0ff8318d2"
         "877eec2f63b931bd47417a81a538327af927da3e"},
        {V::k512, "abc", 1,
         "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23"
         "a3feebbd454d4423643ce80e2a9ac94fa54ca49f"},
        {V::k512, k448Bits, 1,
         "204a8fc6dda82f0a0ced7beb8e08a41657c16ef468b228a8279be331a703c33596fd15c13b1b07f9aa1d3bea"
         "57789ca031ad85c7a71dd70354ec631238ca3445"},
        {V::k512, k896Bits, 1,
         "8e959b75dae313da8cf4f72814fc143f8f7779c6eb9f7fa17299aeadb6889018501d289e4900f7e4331b99de"
         "c4b5433ac7d329eeb6dd26545e96e55b874be909"},
        {V::k512, "a", 1000000,
         "e718483d0ce769644e2e42c7bc15b4638e1f98b13b2044285632a803afa973ebde0ff244877ea60a4cb0432c"
         "e577c31beb009c5c2c49aa2e4eadb217ad8cc09b"},
        // SHA-512/t: NIST's example values for "abc" and the two-block message.
        {V::k512t224, "abc", 1, "4634270f707b6a54daae7530460842e20e37ed265ceee9a43e8924aa"},
        {V::k512t224, k896Bits, 1, "23fec5bb94d60b23308192640b0c453335d664734fe40e7268674af9"},
        {V::k512t256, "abc", 1, "53048e2681941ef99b2e29b76b4c7dabe4c2d0c634fc6d46e0e2f13107e7af23"},
        {V::k512t256, k896Bits, 1,
         "3928e184fb8690f840da3988121d31be65cb9d3ef83ee6146feac861e19b563a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sha2Of(c.text, c.times, c.variant), c.digest)
            << "variant " << static_cast<int>(c.variant) << ", " << c.times << " x " << c.text;
    }
}

// The engine with its byte count set ahead, as if `before` bytes had already gone through it;
// the chaining value stays the starting one, as OpenSSL's does when only its counters are set.
template <typename Word>
class SkippedAhead final : public Sha2Engine<Word> {
  public:
    SkippedAhead(const Word (&initialWords)[8], std::uint64_t before)
        : Sha2Engine<Word>(initialWords, 8 * sizeof(Word)) {
        this->state_.total = before;
    }

  private:
    typename Sha2Engine<Word>::Kernel ActiveKernel() const override {
        if constexpr (sizeof(Word) == 4) {
            return Sha256BlocksPortable;
        } else {
            return Sha512BlocksPortable;
        }
    }
};

// FIPS 180-4's starting words of SHA-256 and SHA-512.
constexpr std::uint32_t kSha256Start[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                           0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
constexpr std::uint64_t kSha512Start[8] = {
    0x6a09e667f3bcc908, 0xbb67ae8584caa73b, 0x3c6ef372fe94f82b, 0xa54ff53a5f1d36f1,
    0x510e527fade682d1, 0x9b05688c2b3e6c1f, 0x1f83d9abfb41bd6b, 0x5be0cd19137e2179,
};

// Both engines resume from the same chaining value as if `before` bytes had already gone
// through them, so the digests can differ only in how the length is counted and encoded.
TEST(Sha256, CountsTheLengthPastFourGibibytes) {
#ifdef TESSIK_WITHOUT_LIBCRYPTO
    GTEST_SKIP() << "libcrypto, the reference, is not in this build";
#else
    std::mt19937_64 random(4);
    const Bytes tail = testing::RandomBytes(random, 300);
    for (std::uint64_t before : {(std::uint64_t{1} << 32) - 64, (std::uint64_t{5} << 32) + 4096}) {
        SkippedAhead<std::uint32_t> ours(kSha256Start, before);
        ours.Update(tail.data(), tail.size());
        const Digest ourDigest = TakeDigest(ours);

        SHA256_CTX theirs;
        SHA256_Init(&theirs);
        theirs.Nl = static_cast<SHA_LONG>(before << 3);
        theirs.Nh = static_cast<SHA_LONG>(before >> 29);
        SHA256_Update(&theirs, tail.data(), tail.size());
        std::uint8_t theirDigest[32];
        SHA256_Final(theirDigest, &theirs);

        EXPECT_EQ(HexDigest(ourDigest), HexDigest(theirDigest, 32)) << before;
    }
#endif
}

// The 128-bit length field: its high word takes the bits that shift out of the byte count.
TEST(Sha512, CountsTheLengthPastFourGibibytesAndPastTheLowLengthWord) {
#ifdef TESSIK_WITHOUT_LIBCRYPTO
    GTEST_SKIP() << "libcrypto, the reference, is not in this build";
#else
    std::mt19937_64 random(5);
    const Bytes tail = testing::RandomBytes(random, 300);
    for (std::uint64_t before : {(std::uint64_t{1} << 32) - 128, (std::uint64_t{1} << 61) - 128,
                                 (std::uint64_t{3} << 61) + 256}) {
        SkippedAhead<std::uint64_t> ours(kSha512Start, before);
        ours.Update(tail.data(), tail.size());
        const Digest ourDigest = TakeDigest(ours);

        SHA512_CTX theirs;
        SHA512_Init(&theirs);
        theirs.Nl = before << 3;
        theirs.Nh = before >> 61;
        SHA512_Update(&theirs, tail.data(), tail.size());
        std::uint8_t theirDigest[64];
        SHA512_Final(theirDigest, &theirs);

        EXPECT_EQ(HexDigest(ourDigest), HexDigest(theirDigest, 64)) << before;
    }
#endif
}

}  // namespace
}  // namespace tessik
