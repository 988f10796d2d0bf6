// Known answers for MD2, MD4, MD5 and SHA-1, each noted with where it comes from; none was
// produced by the engines themselves.

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "digest/hex.h"
#include "digest/md4.h"
#include "digest/sha1.h"
#include "engine_test_support.h"

namespace tessik {
namespace {

using testing::AlgorithmNamed;
using testing::Bytes;
using testing::OneShotHex;

constexpr std::string_view kAlphanumerics =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kEightyDigits =
    "12345678901234567890123456789012345678901234567890123456789012345678901234567890";

struct KnownAnswer {
    std::string_view engine;
    std::string_view text;  // repeated `times` times
    std::size_t times;
    std::string_view digest;
};

constexpr KnownAnswer kKnownAnswers[] = {
    // The test suite of RFC 1319.
    {"MD2", "", 1, "8350e5a3e24c153df2275c9f80692773"},
    {"MD2", "a", 1, "32ec01ec4a6dac72c0ab96fb34c0b5d1"},
    {"MD2", "abc", 1, "da853b0d3f88d99b30283a69e6ded6bb"},
    {"MD2", "message digest", 1, "ab4f496bfb2a530b219ff33031fe06b0"},
    {"MD2", "abcdefghijklmnopqrstuvwxyz", 1, "4e8ddff3650292ab5a4108c3aa47940b"},
    {"MD2", kAlphanumerics, 1, "da33def2a42df13975352846c30338cd"},
    {"MD2", kEightyDigits, 1, "d5976f79d83d3a0dc9806c3c66f3efd8"},
    // One million 'a', as several independent MD2 implementations publish it.
    {"MD2", "a", 1000000, "8c0a09ff1216ecaf95c8130953c62efd"},

    // The test suite of RFC 1320.
    {"MD4", "", 1, "31d6cfe0d16ae931b73c59d7e0c089c0"},
    {"MD4", "a", 1, "bde52cb31de33e46245e05fbdbd6fb24"},
    {"MD4", "abc", 1, "a448017aaf21d8525fc10ae87aa6729d"},
    {"MD4", "message digest", 1, "d9130a8164549fe818874806e1c7014b"},
    {"MD4", "abcdefghijklmnopqrstuvwxyz", 1, "d79e1c308aa5bbcdeea8ed63df412da9"},
    {"MD4", kAlphanumerics, 1, "043f8582f241db351ce627e153e7f0e4"},
    {"MD4", kEightyDigits, 1, "e33b4ddc9c38f2199c3e7b164fcc0536"},

    // The test suite of RFC 1321.
    {"MD5", "", 1, "d41d8cd98f00b204e9800998ecf8427e"},
    {"MD5", "a", 1, "0cc175b9c0f1b6a831c399e269772661"},
    {"MD5", "abc", 1, "900150983cd24fb0d6963f7d28e17f72"},
    {"MD5", "message digest", 1, "f96b697d7cb7938d525a2f31aaf161d0"},
    {"MD5", "abcdefghijklmnopqrstuvwxyz", 1, "c3fcd3d76192e4007dfb496cca67e13b"},
    {"MD5", kAlphanumerics, 1, "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"MD5", kEightyDigits, 1, "57edf4a22be3c955ac49da2e2107b67a"},

    // FIPS 180-4 examples and RFC 3174's test 4; the empty message as commonly published.
    {"SHA-1", "", 1, "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
    {"SHA-1", "abc", 1, "a9993e364706816aba3e25717850c26c9cd0d89d"},
    {"SHA-1", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 1,
     "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
    {"SHA-1", "a", 1000000, "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
    {"SHA-1", "01234567", 80, "dea356a2cddd90c7a7ecedc5ebb563934f460452"},
};

TEST(DigestEngineKnownAnswers, MatchPublishedVectors) {
    for (const KnownAnswer& known : kKnownAnswers) {
        std::string message;
        for (std::size_t i = 0; i < known.times; ++i) message += known.text;
        EXPECT_EQ(OneShotHex(AlgorithmNamed(known.engine), Bytes(message.begin(), message.end())),
                  known.digest)
            << known.engine << " of " << known.times << " x \"" << known.text << '"';
    }
}

// A read-only view of zero pages: the kernel backs all of it with one shared page, so a
// message above 4 GiB costs hashing time but no memory.
#ifdef _WIN32
class ZeroPages {
  public:
    explicit ZeroPages(std::size_t size)
        : bytes_(::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READONLY)) {}
    ~ZeroPages() {
        if (bytes_ != nullptr) ::VirtualFree(bytes_, 0, MEM_RELEASE);
    }
    bool Valid() const { return bytes_ != nullptr; }
    const std::uint8_t* Data() const { return static_cast<const std::uint8_t*>(bytes_); }

  private:
    void* bytes_;
};
#else
class ZeroPages {
  public:
    explicit ZeroPages(std::size_t size)
        : size_(size),
          bytes_(
              mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0)) {}
    ~ZeroPages() {
        if (bytes_ != MAP_FAILED) munmap(bytes_, size_);
    }
    bool Valid() const { return bytes_ != MAP_FAILED; }
    const std::uint8_t* Data() const { return static_cast<const std::uint8_t*>(bytes_); }

  private:
    std::size_t size_;
    void* bytes_;
};
#endif

// 2^32 + 3 zero bytes: any 32-bit count of bytes or bits, or a 32-bit update length, gives a
// different digest. Expected values: OpenSSL's command-line digests of the same stream. Each
// run takes seconds, so MD4 takes the message in one update and SHA-1 in 1 MiB pieces, the two
// ways a long message arrives; MD5 counts with the same code as both.
constexpr std::size_t kLongLength = (std::size_t{1} << 32) + 3;

// More than 4 GiB of hashing, for the counts beyond 32 bits: the same code on every system, so
// once, in the plain build, not through the sanitizers' instrumentation nor under Wine.
#ifdef TESSIK_SHORT_TESTS
constexpr bool kShortTests = true;
#else
constexpr bool kShortTests = false;
#endif

TEST(DigestEngineLongMessages, Md4CountsBeyondFourGibibytesInOneUpdate) {
    if (kShortTests) GTEST_SKIP() << "more than 4 GiB of hashing: the plain build runs it";
    const ZeroPages zeros(kLongLength);
    if (!zeros.Valid()) GTEST_SKIP() << "cannot map " << kLongLength << " bytes";
    Md4Engine engine;
    EXPECT_EQ(HexDigest(DigestOfBytes(engine, zeros.Data(), kLongLength)),
              "e21aa64f0c27a93f665bad7f1237fa75");
}

TEST(DigestEngineLongMessages, Sha1CountsBeyondFourGibibytesInPieces) {
    if (kShortTests) GTEST_SKIP() << "more than 4 GiB of hashing: the plain build runs it";
    const ZeroPages zeros(kLongLength);
    if (!zeros.Valid()) GTEST_SKIP() << "cannot map " << kLongLength << " bytes";
    Sha1Engine engine;
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    for (std::size_t at = 0; at < kLongLength; at += kPiece) {
        engine.Update(zeros.Data() + at, std::min(kPiece, kLongLength - at));
    }
    EXPECT_EQ(HexDigest(TakeDigest(engine)), "c2a34e434ebc0e21d10d44c2c778b2dc631c16db");
}

}  // namespace
}  // namespace tessik
