#include "digest/algorithm_catalogue.h"

#include <gtest/gtest.h>

namespace tessik {
namespace {

TEST(AlgorithmCatalogue, HoldsTheTwentyFiveNamesInOrder) {
    const char* names[] = {"MD2",         "MD4",         "MD5",         "SHA-1",      "SHA-2(224)",
                           "SHA-2(256)",  "SHA-2(384)",  "SHA-2(512)",  "KECCAK(224)", "KECCAK(256)",
                           "KECCAK(384)", "KECCAK(512)", "SHA-3(224)",  "SHA-3(256)", "SHA-3(384)",
                           "SHA-3(512)",  "AK",          "BKDR",        "DEK",        "DJB",
                           "ELF",         "JS",          "PJW",         "RS",         "SDBM"};
    const auto& catalogue = AlgorithmCatalogue();
    for (int i = 0; i < kAlgorithmCount; ++i) EXPECT_EQ(catalogue[i].name, names[i]) << i;
    EXPECT_EQ(catalogue[kDefaultAlgorithmIndex].name, "SHA-2(512)");
}

TEST(AlgorithmCatalogue, EveryIndexOutsideTheListRunsSdbm) {
    for (int index : {-1, 25, 99, -2147483647 - 1, 2147483647}) {
        EXPECT_EQ(AlgorithmForIndex(index).name, "SDBM") << index;
    }
    EXPECT_EQ(AlgorithmForIndex(16).stringHash, StringHash::kAk);
    EXPECT_EQ(AlgorithmForIndex(24).stringHash, StringHash::kSdbm);
    EXPECT_EQ(AlgorithmForIndex(6).variant, DigestVariant::k384);
}

}  // namespace
}  // namespace tessik
