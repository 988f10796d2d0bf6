#include "ui/main_commands.h"

#include <gtest/gtest.h>

#include "support/temporary_folder.h"

namespace tessik {
namespace {

TEST(MainCommandsTest, LineEndsBecomeCrLfAndNothingElseChanges) {
    struct Case {
        std::u16string raw;
        std::u16string hashed;
    };
    for (const Case& c : {
             Case{u"a\u2029b", u"a\r\nb"},
             Case{u"\u2029", u"\r\n"},
             Case{u"\u2029\u2029", u"\r\n\r\n"},
             Case{u"a\u00A0b", u"a\u00A0b"},  // a no-break space is no space
             Case{u"a\u2028b", u"a\u2028b"},  // a line separator inside a line stays
             Case{u"a\nb\rc", u"a\nb\rc"},
             Case{u"", u""},
             Case{u"no break", u"no break"},
         }) {
        EXPECT_EQ(WithCrLfLineBreaks(c.raw), c.hashed);
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

}  // namespace
}  // namespace tessik
