// Known answers for CRC-32, CRC-32C, the xxHash family and BLAKE2, each noted with where it comes
// from; none was produced by the engines themselves.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "engine_test_support.h"

namespace tessik {
namespace {

using testing::AlgorithmNamed;
using testing::Bytes;
using testing::OneShotHex;
using testing::PiecewiseHex;

Bytes Repeated(std::uint8_t value, std::size_t count) {
    return Bytes(count, value);
}

Bytes Counting(std::size_t count, bool up) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(up ? i : count - 1 - i);
    }
    return bytes;
}

Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// xxHash's own sanity check hashes the first bytes of this sequence: the top byte of a 64-bit
// value that starts at its 32-bit prime and is multiplied by its 64-bit prime at every step.
Bytes XxhashSanityBuffer(std::size_t length) {
    Bytes bytes(length);
    std::uint64_t generator = 2654435761U;
    for (std::uint8_t& byte : bytes) {
        byte = static_cast<std::uint8_t>(generator >> 56);
        generator *= 11400714785074694797ULL;
    }
    return bytes;
}

struct KnownAnswer {
    std::string_view engine;
    Bytes message;
    std::string_view digest;
};

std::vector<KnownAnswer> KnownAnswers() {
    return {
        // The "check" value of the CRC catalogue's entries CRC-32/ISO-HDLC and CRC-32/ISCSI, and
        // the CRC-32C examples of RFC 3720, B.4 (given there least significant byte first).
        {"CRC-32", Text("123456789"), "cbf43926"},
        {"CRC-32", Text(""), "00000000"},
        {"CRC-32C", Text("123456789"), "e3069283"},
        {"CRC-32C", Repeated(0x00, 32), "8a9136aa"},
        {"CRC-32C", Repeated(0xff, 32), "62a8ab43"},
        {"CRC-32C", Counting(32, true), "46dd794e"},
        {"CRC-32C", Counting(32, false), "113fdb5c"},

        // xxHash's sanity check (xxhsum's self-test, release 0.8), seed 0, over the first bytes
        // of its buffer; XXH3-128's two halves as its canonical form orders them, high first.
        {"XXH32", XxhashSanityBuffer(0), "02cc5d05"},
        {"XXH32", XxhashSanityBuffer(1), "cf65b03e"},
        {"XXH32", XxhashSanityBuffer(14), "1208e7e2"},
        {"XXH32", XxhashSanityBuffer(222), "5bd11dbd"},
        {"XXH64", XxhashSanityBuffer(0), "ef46db3751d8e999"},
        {"XXH64", XxhashSanityBuffer(1), "e934a84adb052768"},
        {"XXH64", XxhashSanityBuffer(4), "9136a0dca57457ee"},
        {"XXH64", XxhashSanityBuffer(14), "8282dcc4994e35c8"},
        {"XXH64", XxhashSanityBuffer(222), "b641ae8cb691c174"},
        {"XXH3-64", XxhashSanityBuffer(0), "2d06800538d394c2"},
        {"XXH3-64", XxhashSanityBuffer(1), "c44bdff4074eecdb"},
        {"XXH3-64", XxhashSanityBuffer(6), "27b56a84cd2d7325"},
        {"XXH3-64", XxhashSanityBuffer(12), "a713daf0dfbb77e7"},
        {"XXH3-64", XxhashSanityBuffer(24), "a3fe70bf9d3510eb"},
        {"XXH3-64", XxhashSanityBuffer(48), "397da259ecba1f11"},
        {"XXH3-64", XxhashSanityBuffer(80), "bcdefbbb2c47c90a"},
        {"XXH3-64", XxhashSanityBuffer(195), "cd94217ee362ec3a"},
        {"XXH3-64", XxhashSanityBuffer(403), "cdeb804d65c6dea4"},
        {"XXH3-64", XxhashSanityBuffer(512), "617e49599013cb6b"},
        {"XXH3-64", XxhashSanityBuffer(2048), "dd59e2c3a5f038e0"},
        {"XXH3-64", XxhashSanityBuffer(2240), "6e73a90539cf2948"},
        {"XXH3-64", XxhashSanityBuffer(2367), "cb37aeb9e5d361ed"},
        {"XXH3-128", XxhashSanityBuffer(0), "99aa06d3014798d86001c324468d497f"},
        {"XXH3-128", XxhashSanityBuffer(1), "a6cd5e9392000f6ac44bdff4074eecdb"},
        {"XXH3-128", XxhashSanityBuffer(6), "082afe0b8162d12a3e7039bdda43cfc6"},
        {"XXH3-128", XxhashSanityBuffer(12), "6e3efd8fc7802b18061a192713f69ad9"},
        {"XXH3-128", XxhashSanityBuffer(24), "0ce966e4678d37611e7044d28b1b901d"},
        {"XXH3-128", XxhashSanityBuffer(48), "a002ac4e5478227ef942219aed80f67b"},
        {"XXH3-128", XxhashSanityBuffer(81), "4952f58181ab00425e8bafb9f95fb803"},
        {"XXH3-128", XxhashSanityBuffer(222), "337e09641b948717f1aebd597cec6b3a"},
        {"XXH3-128", XxhashSanityBuffer(403), "1b6de21e332dd73dcdeb804d65c6dea4"},
        {"XXH3-128", XxhashSanityBuffer(512), "18d2d110dcc9bca1617e49599013cb6b"},
        {"XXH3-128", XxhashSanityBuffer(2048), "f736557fd47073a5dd59e2c3a5f038e0"},
        {"XXH3-128", XxhashSanityBuffer(2240), "ccb134fbfa7ce49d6e73a90539cf2948"},
        {"XXH3-128", XxhashSanityBuffer(2367), "e89c0f6ff369b427cb37aeb9e5d361ed"},

        // RFC 7693, appendices A and B, and the empty message of the BLAKE2 reference's test
        // vectors.
        {"BLAKE2b(512)", Text("abc"),
         "ba80a53f981c4d0d6a2797b69f12f6e94c212f14685ac4b74b12bb6fdbffa2d17d87c5392aab792dc252d5de"
         "4533cc9518d38aa8dbf1925ab92386edd4009923"},
        {"BLAKE2b(512)", Text(""),
         "786a02f742015903c6c6fd852552d272912f4740e15847618a86e217f71f5419d25e1031afee585313896444"
         "934eb04b903a685b1448b755d56f701afe9be2ce"},
        {"BLAKE2s(256)", Text("abc"),
         "508c5e8c327c14e2e1a72ba34eeb452f37458b209ed63a294d999b4c86675982"},
        {"BLAKE2s(256)", Text(""),
         "69217a3079908094e11121d042354a7c1f55b6482ca1a51e1b250dfd1ed0eef9"},
    };
}

// At once, and a byte at a time: the xxHash vectors' lengths sit on its buffering's edges.
TEST(ChecksumAndBlake2KnownAnswers, MatchPublishedVectors) {
    for (const KnownAnswer& known : KnownAnswers()) {
        const AlgorithmInfo& algorithm = AlgorithmNamed(known.engine);
        EXPECT_EQ(OneShotHex(algorithm, known.message), known.digest)
            << known.engine << ", " << known.message.size() << " bytes";
        EXPECT_EQ(PiecewiseHex(algorithm, known.message,
                               std::vector<std::size_t>(known.message.size(), 1)),
                  known.digest)
            << known.engine << ", " << known.message.size() << " single bytes";
    }
}

}  // namespace
}  // namespace tessik
