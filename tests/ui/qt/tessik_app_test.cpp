#include "ui/qt/tessik_app.h"

#include <gtest/gtest.h>

namespace tessik {
namespace {

TEST(TessikAppTest, ArgumentsAreDecodedWithoutLoss) {
    char program[] = "tessik";
    char text[] = "gr\xC3\xBC\xC3\x9F";   // UTF-8
    char latin1[] = "/data/caf\xE9.txt";  // no valid UTF-8: its byte survives as a lone surrogate
    char empty[] = "";
    char* argv[] = {program, text, latin1, empty, nullptr};
    EXPECT_EQ(ArgumentsAfterProgramName(4, argv),
              (std::vector<std::u16string>{u"gr\u00FC\u00DF", u"/data/caf\xDCE9.txt", u""}));
    EXPECT_TRUE(ArgumentsAfterProgramName(1, argv).empty());
    EXPECT_TRUE(ArgumentsAfterProgramName(0, argv).empty());
}

}  // namespace
}  // namespace tessik
