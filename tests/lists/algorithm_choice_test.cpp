#include "lists/algorithm_choice.h"

#include <gtest/gtest.h>

#include <string>

namespace tessik {
namespace {

const AlgorithmInfo* Id(const char* id) {
    return AlgorithmWithId(id);
}

ChecksumLine Line(std::size_t digestBytes, const AlgorithmInfo* tagged = nullptr,
                  LineForm form = LineForm::kGnu) {
    ChecksumLine line;
    line.kind = LineKind::kEntry;
    line.form = form;
    line.name = "a";
    line.digest.assign(digestBytes, 0);
    line.tagged = tagged;
    return line;
}

TEST(AlgorithmChoice, NamedThenTagThenListThenDefaultThenAnUnambiguousLength) {
    const AlgorithmInfo* byDefault = Id("sha2-256");
    const struct {
        const char* what;
        ChecksumLine line;
        const AlgorithmInfo* named;
        const AlgorithmInfo* ofList;
        ChoiceOutcome outcome;
        const AlgorithmInfo* chosen;
        std::size_t candidates = 0;
        const AlgorithmInfo* byDefault = nullptr;
    } cases[] = {
        {"named", Line(32), Id("sha3-256"), Id("sha2-256"), ChoiceOutcome::kChosen, Id("sha3-256")},
        {"named, other length", Line(16), Id("sha2-256"), nullptr, ChoiceOutcome::kMismatch,
         nullptr},
        {"named, other tag", Line(32, Id("keccak-256")), Id("sha2-256"), nullptr,
         ChoiceOutcome::kMismatch, nullptr},
        {"tag over list", Line(32, Id("keccak-256")), nullptr, Id("sha2-256"),
         ChoiceOutcome::kChosen, Id("keccak-256")},
        {"list", Line(16), nullptr, Id("md4"), ChoiceOutcome::kChosen, Id("md4")},
        {"list, other length", Line(20), nullptr, Id("md5"), ChoiceOutcome::kMismatch, nullptr},
        {"length of SHA-1 alone", Line(20), nullptr, nullptr, ChoiceOutcome::kChosen, Id("sha1")},
        {"length shared by six", Line(32), nullptr, nullptr, ChoiceOutcome::kAmbiguous, nullptr, 6},
        {"length of the string hashes and 32-bit checksums", Line(4), nullptr, nullptr,
         ChoiceOutcome::kAmbiguous, nullptr, 12},
        {"default", Line(32), nullptr, nullptr, ChoiceOutcome::kChosen, byDefault, 0, byDefault},
        {"list over default", Line(32), nullptr, Id("sha3-256"), ChoiceOutcome::kChosen,
         Id("sha3-256"), 0, byDefault},
        {"tag over default", Line(32, Id("keccak-256")), nullptr, nullptr, ChoiceOutcome::kChosen,
         Id("keccak-256"), 0, byDefault},
        {"default, other length", Line(16), nullptr, nullptr, ChoiceOutcome::kAmbiguous, nullptr, 4,
         byDefault},
        {"SFV line", Line(4, nullptr, LineForm::kSfv), nullptr, nullptr, ChoiceOutcome::kChosen,
         Id("crc32"), 0, byDefault},
        {"list over SFV line", Line(4, nullptr, LineForm::kSfv), nullptr, Id("crc32c"),
         ChoiceOutcome::kChosen, Id("crc32c")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const AlgorithmChoice choice = ChooseAlgorithm(c.line, c.named, c.ofList, c.byDefault);
        EXPECT_EQ(choice.outcome, c.outcome);
        EXPECT_EQ(choice.algorithm, c.chosen);
        EXPECT_EQ(choice.candidates.size(), c.candidates);
    }
}

TEST(AlgorithmChoice, ListNamesStandForTheirAlgorithm) {
    const struct {
        const char16_t* path;
        const AlgorithmInfo* algorithm;
    } cases[] = {
        {u"SUMS.md5", Id("md5")},
        {u"dir/x.SHA256", Id("sha2-256")},
        {u"x.sha3-256", Id("sha3-256")},
        {u"x.keccak-512", Id("keccak-512")},
        {u"x.sha2-384", Id("sha2-384")},
        {u"SHA256SUMS", Id("sha2-256")},
        {u"md5sums.txt", Id("md5")},
        {u"SHA1SUMS.asc", Id("sha1")},
        {u"x.sfv", Id("crc32")},
        {u"x.SFV", Id("crc32")},
        {u"x.b3", Id("blake3")},
        {u"B3SUMS", Id("blake3")},
        {u"x.blake3", Id("blake3")},
        {u"x.xxh128", Id("xxh128")},
        {u"x.xxh3", Id("xxh3")},
        {u"x.crc32", Id("crc32")},
        {u"x.txt", nullptr},
        {u"SUMS", nullptr},
        {u"sha256.d/list", nullptr},
        {u"", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AlgorithmOfListName(c.path), c.algorithm) << std::u16string(c.path).size();
    }
}

TEST(AlgorithmChoice, CommonSpellingsNameTheAlgorithm) {
    const struct {
        const char* spelling;
        const AlgorithmInfo* algorithm;
    } cases[] = {
        {"sha256", Id("sha2-256")},
        {"SHA-256", Id("sha2-256")},
        {"sha-256", Id("sha2-256")},
        {"SHA256", Id("sha2-256")},
        {"sha2-256", Id("sha2-256")},
        {"SHA-2(256)", Id("sha2-256")},
        {"sha2_256", Id("sha2-256")},
        {"SHA-1", Id("sha1")},
        {"md-5", Id("md5")},
        {"SHA3_256", Id("sha3-256")},
        {"sha3 512", Id("sha3-512")},
        {"Keccak256", Id("keccak-256")},
        {"SHA-512", Id("sha2-512")},
        {"sdbm", Id("sdbm")},
        {"", nullptr},
        {"-", nullptr},
        {"sha", nullptr},
        {"sha2", nullptr},
        {"sha3256x", nullptr},
    };
    for (const auto& c : cases) EXPECT_EQ(AlgorithmNamed(c.spelling), c.algorithm) << c.spelling;
}

}  // namespace
}  // namespace tessik
