#include "digest/string_hashes.h"

#include <gtest/gtest.h>

#include <string>

#include "digest/hex.h"

namespace tessik {
namespace {

using S = StringHash;
constexpr S kAllHashes[] = {S::kAk, S::kBkdr, S::kDek, S::kDjb, S::kElf,
                            S::kJs, S::kPjw,  S::kRs,  S::kSdbm};

std::string Hex(S hash, std::string_view bytes) {
    StringHashEngine engine(hash);
    return HexDigest(DigestOfBytes(engine, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size()));
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

}  // namespace
}  // namespace tessik
