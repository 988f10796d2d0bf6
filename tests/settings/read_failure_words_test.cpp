#include "settings/read_failure_words.h"

#include <gtest/gtest.h>

#include <set>

#include "support/temporary_folder.h"

namespace tessik {
namespace {

TEST(ReadFailureWordsTest, EveryCauseHasWordsOfItsOwnAndNoneReadsAsAReadError) {
    std::set<std::string_view> tool;
    std::set<std::u16string_view> messages, statuses;
    for (const ReadFailureWords& words : ReadFailureTable()) {
        EXPECT_EQ(&WordsFor(words.failure), &words);
        tool.insert(words.toolWords);
        messages.insert(words.message.english);
        statuses.insert(words.status.english);
    }
    EXPECT_EQ(ReadFailureTable().size(), 8u);
    EXPECT_EQ(tool.size(), 8u);
    EXPECT_EQ(messages.size(), 8u);
    EXPECT_EQ(statuses.size(), 8u);
    EXPECT_EQ(&WordsFor(ReadFailure::kNone), &WordsFor(ReadFailure::kIoError));
    EXPECT_EQ(WordsFor(ReadFailure::kMissing).toolWords, "No such file or directory");
    EXPECT_EQ(WordsFor(ReadFailure::kLinkLoop).toolWords, "Too many levels of symbolic links");
}

TEST(ReadFailureWordsTest, TheWindowsWordsComeFromTheLanguageFile) {
    test::TemporaryFolder folder;
    test::WriteBytes(folder.Native("de.lng"), "FrmList.m_acMStatusFolder=\"ein Ordner\"\r\n");
    const ReadFailureTexts german(folder.U16("de.lng"));
    EXPECT_EQ(german.Status(ReadFailure::kFolder), u"ein Ordner");
    EXPECT_EQ(german.Message(ReadFailure::kFolder), u"This is a folder, not a file:");
    const ReadFailureTexts builtIn(u"");
    EXPECT_EQ(builtIn.Status(ReadFailure::kFolder), u"unreadable: a folder");
    EXPECT_EQ(builtIn.Message(ReadFailure::kNone), builtIn.Message(ReadFailure::kIoError));
}

}  // namespace
}  // namespace tessik
