#include "digest/algorithm_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tessik {
namespace {

// The names are what the windows list; the identifiers what command lines, checksum lists and
// stored files name: neither may change.
TEST(AlgorithmCatalogue, HoldsTheAlgorithmsInOrder) {
    const struct {
        const char* name;
        const char* id;
        const char* listTag;
    } rows[] = {
        {"MD2", "md2", "MD2"},
        {"MD4", "md4", "MD4"},
        {"MD5", "md5", "MD5"},
        {"SHA-1", "sha1", "SHA1"},
        {"SHA-2(224)", "sha2-224", "SHA224"},
        {"SHA-2(256)", "sha2-256", "SHA256"},
        {"SHA-2(384)", "sha2-384", "SHA384"},
        {"SHA-2(512)", "sha2-512", "SHA512"},
        {"KECCAK(224)", "keccak-224", "KECCAK-224"},
        {"KECCAK(256)", "keccak-256", "KECCAK-256"},
        {"KECCAK(384)", "keccak-384", "KECCAK-384"},
        {"KECCAK(512)", "keccak-512", "KECCAK-512"},
        {"SHA-3(224)", "sha3-224", "SHA3-224"},
        {"SHA-3(256)", "sha3-256", "SHA3-256"},
        {"SHA-3(384)", "sha3-384", "SHA3-384"},
        {"SHA-3(512)", "sha3-512", "SHA3-512"},
        {"AK", "ak", "AK"},
        {"BKDR", "bkdr", "BKDR"},
        {"DEK", "dek", "DEK"},
        {"DJB", "djb", "DJB"},
        {"ELF", "elf", "ELF"},
        {"JS", "js", "JS"},
        {"PJW", "pjw", "PJW"},
        {"RS", "rs", "RS"},
        {"SDBM", "sdbm", "SDBM"},
        {"CRC-32", "crc32", "CRC32"},
        {"CRC-32C", "crc32c", "CRC32C"},
        {"XXH32", "xxh32", "XXH32"},
        {"XXH64", "xxh64", "XXH64"},
        {"XXH3-64", "xxh3", "XXH3"},
        {"XXH3-128", "xxh128", "XXH128"},
        {"BLAKE2b(512)", "blake2b-512", "BLAKE2b"},
        {"BLAKE2s(256)", "blake2s-256", "BLAKE2s"},
        {"BLAKE3", "blake3", "BLAKE3"},
        {"SHA-2(512/224)", "sha2-512-224", "SHA512/224"},
        {"SHA-2(512/256)", "sha2-512-256", "SHA512/256"},
    };
    const auto catalogue = AlgorithmCatalogue();
    ASSERT_EQ(catalogue.size(), std::size(rows));
    ASSERT_EQ(AlgorithmCount(), static_cast<int>(std::size(rows)));
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        EXPECT_EQ(catalogue[i].name, rows[i].name) << i;
        EXPECT_EQ(catalogue[i].id, rows[i].id) << i;
        EXPECT_EQ(catalogue[i].listTag, rows[i].listTag) << i;
        EXPECT_EQ(AlgorithmWithId(rows[i].id), &catalogue[i]) << rows[i].id;
    }
    EXPECT_EQ(catalogue[kDefaultAlgorithmIndex].name, "SHA-2(512)");
}

TEST(AlgorithmCatalogue, UnknownIdentifiersNameNoAlgorithm) {
    for (const char* id : {"", "SHA1", "sha256", "md5 ", "sha3", "MD5"}) {
        EXPECT_EQ(AlgorithmWithId(id), nullptr) << id;
    }
}

// SDBM ended the list once; an index beyond it still runs SDBM, not whatever is last now.
TEST(AlgorithmCatalogue, EveryIndexOutsideTheListRunsSdbm) {
    for (int index : {-1, AlgorithmCount(), 99, -2147483647 - 1, 2147483647}) {
        EXPECT_EQ(AlgorithmForIndex(index).name, "SDBM") << index;
    }
}

}  // namespace
}  // namespace tessik
