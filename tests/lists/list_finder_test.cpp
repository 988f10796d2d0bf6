#include "lists/list_finder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/known_digests.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

using test::kMd5OfAbc;
const std::string kSha256 = std::string(64, 'a');

const AlgorithmInfo* Id(const char* id) {
    return AlgorithmWithId(id);
}

std::size_t AlgorithmsOfDigestBytes(std::size_t bytes) {
    std::size_t count = 0;
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        if (algorithm.digestBytes == bytes) ++count;
    }
    return count;
}

TEST(ListFinder, FindsTheLineNamingTheFileInTheListsBesideIt) {
    const std::string clearSigned = "-----BEGIN PGP SIGNED MESSAGE-----\nHash: SHA256\n\n" +
                                    kMd5OfAbc + "  other\n-----BEGIN PGP SIGNATURE-----\n";
    std::map<std::string, std::string> many;
    for (int i = 10; i < 50; ++i) many["a" + std::to_string(i) + ".md5"] = kMd5OfAbc + "  y\n";
    many["z.md5"] = kMd5OfAbc + "  x.iso\n";
    const struct {
        const char* what;
        std::map<std::string, std::string> files;
        const AlgorithmInfo* preferred;
        const char* list;  // null: nothing found
        std::uint64_t line = 1;
        const AlgorithmInfo* algorithm = nullptr;
        std::size_t candidates = 0;
    } cases[] = {
        {"sidecar", {{"x.iso.md5", kMd5OfAbc + "  x.iso\n"}}, nullptr, "x.iso.md5", 1, Id("md5")},
        {"list of the usual name, marked name",
         {{"SHA256SUMS", kSha256 + "  other\n" + kSha256 + " *./x.iso\n"}},
         nullptr,
         "SHA256SUMS",
         2,
         Id("sha2-256")},
        {"the preferred algorithm's list wins",
         {{"x.iso.md5", kMd5OfAbc + "  x.iso\n"}, {"SHA256SUMS", kSha256 + "  x.iso\n"}},
         Id("sha2-256"),
         "SHA256SUMS",
         1,
         Id("sha2-256")},
        {"without a preference the sidecar comes first",
         {{"x.iso.md5", kMd5OfAbc + "  x.iso\n"}, {"SHA256SUMS", kSha256 + "  x.iso\n"}},
         nullptr,
         "x.iso.md5",
         1,
         Id("md5")},
        {"another algorithm's line when that is all there is",
         {{"x.iso.md5", kMd5OfAbc + "  x.iso\n"}},
         Id("sha2-256"),
         "x.iso.md5",
         1,
         Id("md5")},
        {"tagged lines in a list of any algorithm",
         {{"Release-x-CHECKSUM",
           "# x\nMD5 (x.iso) = " + kMd5OfAbc + "\nSHA256 (x.iso) = " + kSha256 + "\n"}},
         Id("sha2-256"),
         "Release-x-CHECKSUM",
         3,
         Id("sha2-256")},
        {"a length several algorithms share, decided by the preference",
         {{"checksums.txt", kSha256 + "  x.iso\n"}},
         Id("sha3-256"),
         "checksums.txt",
         1,
         Id("sha3-256")},
        {"a length several algorithms share, left open",
         {{"checksums.txt", kSha256 + "  x.iso\n"}},
         nullptr,
         "checksums.txt",
         1,
         nullptr,
         AlgorithmsOfDigestBytes(32)},
        {"a Windows-style name",
         {{"SUMS", kMd5OfAbc + "  .\\x.iso\n"}},
         Id("md5"),
         "SUMS",
         1,
         Id("md5")},
        {"a digest the list's algorithm cannot have",
         {{"x.iso.sha1", kMd5OfAbc + "  x.iso\n"}},
         nullptr,
         nullptr},
        {"a file of that name in a sub-folder",
         {{"SHA256SUMS", kSha256 + "  sub/x.iso\n"}},
         nullptr,
         nullptr},
        {"a sidecar of another file",
         {{"y.iso", ""}, {"y.iso.md5", kMd5OfAbc + "  x.iso\n"}},
         nullptr,
         nullptr},
        {"a detached signature is no list",
         {{"CHECKSUM", ""}, {"CHECKSUM.asc", kMd5OfAbc + "  x.iso\n"}},
         nullptr,
         nullptr},
        {"text outside a clear-signed part",
         {{"CHECKSUM", kMd5OfAbc + "  x.iso\n" + clearSigned + kMd5OfAbc + "  x.iso\n"}},
         nullptr,
         nullptr},
        {"no more than 32 lists are read", many, nullptr, nullptr},
        {"nothing there", {}, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TemporaryFolder temp;
        test::WriteBytes(temp.Native("x.iso"), "abc");
        for (const auto& [name, bytes] : c.files) test::WriteBytes(temp.Native(name), bytes);
        FindOptions options;
        options.preferred = c.preferred;
        const FoundEntry found = FindListEntry(temp.U16("x.iso"), options);
        ASSERT_EQ(found.found, c.list != nullptr);
        if (!found.found) continue;
        EXPECT_EQ(found.listPath, temp.U16(c.list));
        EXPECT_EQ(found.lineNumber, c.line);
        EXPECT_EQ(found.algorithm, c.algorithm);
        EXPECT_EQ(found.candidates.size(), c.candidates);
        const AlgorithmInfo* fits = c.algorithm ? c.algorithm : found.candidates.front();
        EXPECT_EQ(found.expected.size(), fits->digestBytes);
        EXPECT_EQ(found.signature.state, SignatureState::kUnsigned);
    }
}

TEST(ListFinder, FindsNothingOnceCancelled) {
    test::TemporaryFolder temp;
    test::WriteBytes(temp.Native("x.iso.md5"), kMd5OfAbc + "  x.iso\n");
    const std::atomic<bool> cancel{true};
    FindOptions options;
    options.cancel = &cancel;
    EXPECT_FALSE(FindListEntry(temp.U16("x.iso"), options).found);
    options.cancel = nullptr;
    EXPECT_TRUE(FindListEntry(temp.U16("x.iso"), options).found);
}

}  // namespace
}  // namespace tessik
