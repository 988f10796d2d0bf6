#include "ui/main_commands.h"

#include <gtest/gtest.h>

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
    struct Case {
        std::u16string result;
        std::u16string expected;
        bool caseSensitive;
        CompareOutcome outcome;
    };
    for (const Case& c : {
             Case{u"", u"", false, CompareOutcome::kNoResult},
             Case{u"", u"abc", true, CompareOutcome::kNoResult},
             Case{u"abc", u"abc", true, CompareOutcome::kIdentical},
             Case{u"abc", u" \tabc\r\n", true, CompareOutcome::kIdentical},
             Case{u"abc", u"\u00A0\uFEFFabc\u3000", true, CompareOutcome::kIdentical},
             Case{u"ABC", u"  abc ", false, CompareOutcome::kIdentical},
             Case{u"ABC", u"abc", true, CompareOutcome::kDifferent},
             Case{u"abc", u"a bc", false, CompareOutcome::kDifferent},  // inside: kept
             Case{u"abc", u"   ", false, CompareOutcome::kDifferent},
             Case{u"abc", u"", false, CompareOutcome::kDifferent},
         }) {
        EXPECT_EQ(CompareDigests(c.result, c.expected, c.caseSensitive), c.outcome)
            << std::string(c.expected.begin(), c.expected.end());
    }
}

TEST(MainCommandsTest, EveryReadFailureHasAMessageOfItsOwn) {
    EXPECT_EQ(FailureMessage(ReadFailure::kMissing), MainMemberText::kFileMissing);
    EXPECT_EQ(FailureMessage(ReadFailure::kFolder), MainMemberText::kFileIsFolder);
    EXPECT_EQ(FailureMessage(ReadFailure::kNotRegularFile), MainMemberText::kFileNotRegular);
    EXPECT_EQ(FailureMessage(ReadFailure::kPermissionDenied),
              MainMemberText::kFilePermissionDenied);
    EXPECT_EQ(FailureMessage(ReadFailure::kIoError), MainMemberText::kFileReadError);
}

TEST(MainCommandsTest, OnlyHexadecimalLettersChangeCase) {
    EXPECT_EQ(InLetterCase(u"00ff9aBC", false), u"00FF9ABC");
    EXPECT_EQ(InLetterCase(u"00FF9Abc", true), u"00ff9abc");
    EXPECT_EQ(InLetterCase(u"", false), u"");
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

}  // namespace
}  // namespace tessik
