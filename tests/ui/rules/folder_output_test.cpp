#include "ui/rules/folder_output.h"

#include <gtest/gtest.h>

namespace tessik {
namespace {

FolderLine Line(std::u16string path, std::size_t below, Digest digest, bool lowerCase = true) {
    return {path, {path.substr(below), AlgorithmWithId("sdbm"), std::move(digest)}, lowerCase};
}

// Each batch goes to the field as it comes; the whole run stays for a field the user typed into,
// and each file's result for saving the run. A new run starts empty.
TEST(FolderOutputTest, KeepsEveryBatchOfTheRunAndGivesTheNewLines) {
    FolderOutput output(u" | ");
    EXPECT_EQ(output.Add({}), u"");
    EXPECT_EQ(output.Add({Line(u"/d/a", 3, {0xAB, 0, 0, 1})}), u"/d/a | ab000001\r\n");
    EXPECT_EQ(output.Add({Line(u"/d/b", 3, {}), Line(u"/d/s/c", 3, {0xCD, 0, 0, 2}, false)}),
              u"/d/b | 00000000\r\n/d/s/c | CD000002\r\n");
    EXPECT_EQ(output.Whole(), u"/d/a | ab000001\r\n/d/b | 00000000\r\n/d/s/c | CD000002\r\n");
    ASSERT_EQ(output.Results().size(), 3u);
    EXPECT_EQ(output.Results()[2].relativePath, u"s/c");
    EXPECT_TRUE(output.Results()[1].digest.empty());
    output.Clear();
    EXPECT_EQ(output.Whole(), u"");
    EXPECT_TRUE(output.Results().empty());
}

}  // namespace
}  // namespace tessik
