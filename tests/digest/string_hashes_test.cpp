#include "digest/string_hashes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tessik {
namespace {

using S = StringHash;
constexpr S kAllHashes[] = {S::kAk, S::kBkdr, S::kDek, S::kDjb, S::kElf,
                            S::kJs, S::kPjw,  S::kRs,  S::kSdbm};

std::string Hex(S hash, std::string_view bytes) {
    return StringHashHex(hash, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// The plain one-byte-at-a-time definitions, kept apart from the unrolled block forms so each
// checks the other.
std::uint32_t Reference(S hash, std::string_view bytes) {
    std::uint32_t h = 0;
    std::uint32_t a = 63689;
    if (hash == S::kDjb) h = 5381;
    if (hash == S::kJs) h = 1315423911;
    if (hash == S::kDek) h = static_cast<std::uint32_t>(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<std::uint32_t>(static_cast<std::int8_t>(bytes[i]));
        std::uint32_t x = 0;
        switch (hash) {
            case S::kAk:
                h ^= i % 2 == 0 ? ((h << 7) ^ b ^ (h >> 3)) : ~((h << 11) ^ b ^ (h >> 5));
                break;
            case S::kBkdr:
                h = h * 131 + b;
                break;
            case S::kDek:
                h = (h << 5) ^ (h >> 27) ^ b;
                break;
            case S::kDjb:
                h = (h << 5) + h + b;
                break;
            case S::kElf:
                h = (h << 4) + b;
                x = h & 0xF0000000;
                if (x != 0) h ^= x >> 24;
                h &= ~x;
                break;
            case S::kJs:
                h ^= (h << 5) + b + (h >> 2);
                break;
            case S::kPjw:
                h = (h << 4) + b;
                x = h & 0xF0000000;
                if (x != 0) h = (h ^ (x >> 24)) & 0x0FFFFFFF;
                break;
            case S::kRs:
                h = h * a + b;
                a *= 378551;
                break;
            case S::kSdbm:
                h = h * 65599 + b;
                break;
        }
    }
    return h & 0x7FFFFFFF;
}

std::string RandomBytes(std::mt19937& random, std::size_t length) {
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

TEST(StringHashes, KnownValuesForEveryHash) {
    struct Row {
        std::string_view input;
        const char* expected[9];  // AK BKDR DEK DJB ELF JS PJW RS SDBM
    };
    const Row rows[] = {
        {"",
         {"00000000", "00000000", "00000000", "05150000", "00000000", "a7c6674e", "00000000",
          "00000000", "00000000"}},
        {"a",
         {"61000000", "61000000", "41000000", "06b60200", "61000000", "4d00f52e", "61000000",
          "61000000", "61000000"}},
        {"abc",
         {"e396781e", "f2981900", "23080000", "8b5c880b", "83670000", "a1179b1a", "83670000",
          "ac2a0131", "62f82530"}},
        {"\xC3\xA9",
         {"6b18fe07", "72e0ff7f", "d60f0000", "11625900", "29f2ff0f", "a85da824", "29f2ff0f",
          "f67c8b14", "a6f0c27f"}},
    };
    for (const Row& row : rows) {
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(Hex(kAllHashes[i], row.input), row.expected[i])
                << "hash " << i + 1 << " of \"" << row.input << "\"";
        }
    }
}

TEST(StringHashes, SelectorsOutsideAkToRsRunSdbm) {
    for (int selector : {0, 9, 10, -16, 255}) {
        EXPECT_EQ(Hex(static_cast<S>(selector), "abc"), "62f82530") << selector;
    }
}

TEST(StringHashes, RenderLeastSignificantByteFirst) {
    EXPECT_EQ(StringHashValueHex(5381), "05150000");
    EXPECT_EQ(StringHashValueHex(0x7FFFFFFF), "ffffff7f");
    EXPECT_EQ(StringHashValueHex(0x01020304), "04030201");
}

// Lengths around the unrolled block (8 bytes) and beyond, with every byte value, against the
// plain definitions.
TEST(StringHashes, BlockFormsMatchTheByteByByteDefinitions) {
    std::mt19937 random(7);
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 40; ++n) lengths.push_back(n);
    for (std::size_t n : {63u, 64u, 65u, 127u, 1000u, 4099u}) lengths.push_back(n);
    for (std::size_t n : lengths) {
        const std::string bytes = RandomBytes(random, n);
        for (S hash : kAllHashes) {
            EXPECT_EQ(Hex(hash, bytes), StringHashValueHex(Reference(hash, bytes)))
                << "hash " << static_cast<int>(hash) << ", length " << n;
        }
    }
}

// A file arrives in pieces whose sizes have nothing to do with the block size; AK's parity,
// RS's factor and DEK's start must carry across every cut.
TEST(StringHashes, PiecesOfAnySizeGiveTheWholeInputsValue) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 40; ++trial) {
        const std::string bytes = RandomBytes(random, random() % 300);
        for (S hash : kAllHashes) {
            StringHashState state;
            StringHashInit(state, hash);
            std::size_t at = 0;
            while (at < bytes.size()) {
                const std::size_t piece = std::min<std::size_t>(random() % 20, bytes.size() - at);
                StringHashUpdate(state, reinterpret_cast<const std::uint8_t*>(bytes.data()) + at,
                                 piece);
                at += piece;
            }
            EXPECT_EQ(StringHashFinish(state), Reference(hash, bytes))
                << "hash " << static_cast<int>(hash) << ", length " << bytes.size();
        }
    }
}

}  // namespace
}  // namespace tessik
