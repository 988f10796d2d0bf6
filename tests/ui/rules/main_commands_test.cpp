#include "ui/rules/main_commands.h"

#include <gtest/gtest.h>

#include "digest/algorithm_catalogue.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

TEST(MainCommandsTest, LineEndsBecomeTheChosenOnesAndNothingElseChanges) {
    struct Case {
        std::u16string raw;
        std::u16string crLf;
        std::u16string lf;
    };
    for (const Case& c : {
             Case{u"a\u2029b", u"a\r\nb", u"a\nb"},
             Case{u"\u2029", u"\r\n", u"\n"},
             Case{u"\u2029\u2029", u"\r\n\r\n", u"\n\n"},
             Case{u"a\u00A0b", u"a\u00A0b", u"a\u00A0b"},  // a no-break space is no space
             Case{u"a\u2028b", u"a\u2028b", u"a\u2028b"},  // a line separator inside a line stays
             Case{u"a\nb\rc", u"a\nb\rc", u"a\nb\rc"},
             Case{u"", u"", u""},
         }) {
        EXPECT_EQ(WithLineBreaks(c.raw, TypedLineEnds::kCrLf), c.crLf);
        EXPECT_EQ(WithLineBreaks(c.raw, TypedLineEnds::kLf), c.lf);
    }
}

TEST(MainCommandsTest, AComparisonNeedsAResultAndIgnoresBlanksAroundTheExpectedValue) {
    const std::u16string digest = u"900150983CD24FB0D6963F7D28E17F72";  // MD5, 16 bytes
    const std::u16string lower = u"900150983cd24fb0d6963f7d28e17f72";
    struct Case {
        std::u16string result;
        std::u16string expected;
        bool caseSensitive;
        CompareOutcome outcome;
    };
    for (const Case& c : {
             Case{u"", u"", false, CompareOutcome::kNoResult},
             Case{u"", u"abc", true, CompareOutcome::kNoResult},
             Case{digest, digest, true, CompareOutcome::kIdentical},
             Case{digest, u" \t" + digest + u"\r\n", true, CompareOutcome::kIdentical},
             Case{digest, u"\u00A0\uFEFF" + digest + u"\u3000", true, CompareOutcome::kIdentical},
             Case{digest, u"  " + lower + u" ", false, CompareOutcome::kIdentical},
             Case{digest, lower, true, CompareOutcome::kDifferent},
             Case{digest, u"8" + lower.substr(1), false, CompareOutcome::kDifferent},
             Case{digest, u"9001 50983cd24fb0d6963f7d28e17f72", false,
                  CompareOutcome::kNotADigest},  // inside: kept
             Case{digest, u"   ", false, CompareOutcome::kDifferent},
             Case{digest, u"", false, CompareOutcome::kDifferent},
             Case{digest, u"not hexadecimal", false, CompareOutcome::kNotADigest},
             Case{digest, u"sha256:" + lower, false, CompareOutcome::kNotADigest},
             // Digits no MD5 digest has as many of: a digest of another algorithm.
             Case{digest, lower + u"00000000", false, CompareOutcome::kWrongLength},
             Case{digest, lower.substr(1), false, CompareOutcome::kWrongLength},
             Case{digest, u"0", true, CompareOutcome::kWrongLength},
         }) {
        EXPECT_EQ(CompareDigests(c.result, c.expected, c.caseSensitive, 16), c.outcome)
            << std::string(c.expected.begin(), c.expected.end());
    }
}

TEST(MainCommandsTest, APastedChecksumLineGivesItsDigestAsWrittenAndItsFile) {
    const std::u16string md5 = u"900150983CD24fb0d6963f7d28e17f72";
    struct Case {
        std::u16string field;
        ExpectedValue expected;
    };
    for (const Case& c : {
             Case{u"  " + md5 + u"\n", {md5, u""}},
             Case{md5 + u"  abc.txt", {md5, u"abc.txt"}},
             Case{u"\t" + md5 + u" *dir/with space.iso\r\n", {md5, u"dir/with space.iso"}},
             Case{u"\\" + md5 + u"  a\\nb", {md5, u"a\nb"}},
             Case{u"MD5 (abc.txt) = " + md5, {md5, u"abc.txt"}},
             Case{u"SHA256 (caf\u00E9) = " + md5, {md5, u"caf\u00E9"}},  // the length decides
             Case{u"/data/abc.txt|" + md5, {md5, u"/data/abc.txt"}},
             Case{u"not a line", {u"not a line", u""}},
             Case{md5 + u"  ", {md5, u""}},
         }) {
        const ExpectedValue got = ExpectedFromField(c.field, u"|");
        EXPECT_EQ(got.digest, c.expected.digest) << std::string(c.field.begin(), c.field.end());
        EXPECT_EQ(got.fileName, c.expected.fileName) << std::string(c.field.begin(), c.field.end());
    }
}

TEST(MainCommandsTest, DroppedPathIsCutTo2046Units) {
    for (std::size_t length : {0u, 1u, 2045u, 2046u, 2047u, 3000u}) {
        std::u16string path(length, u'x');
        for (std::size_t i = 0; i < length; ++i) path[i] = static_cast<char16_t>(u'a' + i % 26);
        const std::u16string cut = CutDroppedPath(path);
        EXPECT_EQ(cut.size(), std::min<std::size_t>(length, 2046)) << length;
        EXPECT_EQ(cut, path.substr(0, cut.size())) << length;
    }
}

TEST(MainCommandsTest, OnlyAnExistingFileGoesToTheFileNameField) {
    test::TemporaryFolder folder;
    test::WriteBytes(folder.Native("file.txt"), "x");
    test::MakeFolder(folder.Native("sub"));
    struct Case {
        std::u16string argument;
        ArgumentField field;
    };
    for (const Case& c : {
             Case{folder.U16("file.txt"), ArgumentField::kFileName},
             Case{folder.U16("sub"), ArgumentField::kString},
             Case{folder.U16("missing.txt"), ArgumentField::kString},
             Case{u"just some text", ArgumentField::kString},
             Case{u"", ArgumentField::kString},
         }) {
        EXPECT_EQ(FieldForArgument(c.argument), c.field);
    }
}

// A digest that several algorithms fit, none of them chosen, is offered as the standard tools'
// own where one of them is; otherwise nothing is offered.
TEST(MainCommandsTest, AFoundEntryStandsForItsAlgorithmOrTheStandardToolsOne) {
    const auto fitting = [](std::vector<const char*> ids) {
        FoundEntry entry;
        for (const char* id : ids) entry.candidates.push_back(AlgorithmWithId(id));
        return entry;
    };
    FoundEntry tagged;
    tagged.algorithm = AlgorithmWithId("sha1");
    EXPECT_EQ(AlgorithmOfFoundEntry(tagged), AlgorithmWithId("sha1"));
    EXPECT_EQ(AlgorithmOfFoundEntry(fitting({"md2", "md4", "md5", "xxh128"})),
              AlgorithmWithId("md5"));
    EXPECT_EQ(AlgorithmOfFoundEntry(fitting({"keccak-256", "sha3-256", "blake3"})), nullptr);
}

// An entry found beside the file counts only while the window still shows that file's digest
// with the algorithm searched for and nothing has been typed as expected.
TEST(MainCommandsTest, AFoundEntryIsUsedOnlyWhileTheWindowStillShowsThatFile) {
    const AlgorithmInfo* sha1 = AlgorithmWithId("sha1");
    const AlgorithmInfo* md5 = AlgorithmWithId("md5");
    const ListSearch search{u"/files/a.iso", sha1, ":"};
    const auto entryFor = [](const AlgorithmInfo* algorithm) {
        FoundEntry entry;
        entry.algorithm = algorithm;
        return entry;
    };
    const MainWindowMoment showing{false, true, u"/files/a.iso", sha1, true};
    struct Case {
        MainWindowMoment now;
        const AlgorithmInfo* listed;
        FoundEntryUse use;
    };
    const auto with = [&](auto change) {
        MainWindowMoment now = showing;
        change(now);
        return now;
    };
    for (const Case& c : {
             Case{showing, sha1, FoundEntryUse::kCompare},
             Case{showing, md5, FoundEntryUse::kOfferAlgorithm},
             Case{showing, nullptr, FoundEntryUse::kNone},
             Case{with([](auto& now) { now.hashing = true; }), sha1, FoundEntryUse::kNone},
             Case{with([](auto& now) { now.resultShown = false; }), sha1, FoundEntryUse::kNone},
             Case{with([](auto& now) { now.shownFile = u"/files/b.iso"; }), sha1,
                  FoundEntryUse::kNone},
             Case{with([&](auto& now) { now.chosen = md5; }), md5, FoundEntryUse::kNone},
             Case{with([](auto& now) { now.expectedBlank = false; }), sha1, FoundEntryUse::kNone},
         }) {
        EXPECT_EQ(UseOfFoundEntry(search, entryFor(c.listed), c.now), c.use);
    }
    EXPECT_TRUE(IsBlankField(u" \t\u00A0\r\n"));
    EXPECT_FALSE(IsBlankField(u" 0 "));
}

// Said once, and only when something went wrong, with the path and the cause.
TEST(MainCommandsTest, TheCloseBoxSpeaksOnlyOfASaveThatWentWrong) {
    const MainMessageTexts texts(u"");
    const ReadFailureTexts failures(u"");
    const std::u16string path = u"C:\\Users\\x\\Tessik.ini";
    LoadResult unreadable;
    unreadable.outcome = LoadOutcome::kUnreadable;
    unreadable.failure = ReadFailure::kPermissionDenied;
    LoadResult damaged;
    damaged.outcome = LoadOutcome::kDamaged;

    EXPECT_EQ(SettingsSaveMessage({}, path, damaged, texts, failures), std::nullopt);
    EXPECT_EQ(SettingsSaveMessage({WriteFailure::kNoSpace, {}}, path, damaged, texts, failures),
              texts[MainMemberText::kSettingsNotSaved] + u"\n\n" + path + u"\n\n" +
                  texts[MainMemberText::kWriteNoSpace]);
    const SettingsSave keptAside{WriteFailure::kNone, u"Tessik.ini.damaged"};
    EXPECT_EQ(SettingsSaveMessage(keptAside, path, damaged, texts, failures),
              texts[MainMemberText::kSettingsKeptAside] + u"\n\nTessik.ini.damaged");
    EXPECT_EQ(SettingsSaveMessage(keptAside, path, unreadable, texts, failures),
              failures.Message(ReadFailure::kPermissionDenied) + u"\n\n" + path + u"\n\n" +
                  texts[MainMemberText::kSettingsKeptAside] + u"\n\nTessik.ini.damaged");
}

}  // namespace
}  // namespace tessik
