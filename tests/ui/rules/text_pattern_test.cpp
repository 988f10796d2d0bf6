#include "ui/rules/text_pattern.h"

#include <gtest/gtest.h>

namespace tessik {
namespace {

TEST(TextPatternTest, NumberedPlacesTakeTheirValuesOnce) {
    struct Case {
        std::u16string pattern;
        std::u16string filled;
    };
    for (const Case& c : {
             Case{u"Version %1", u"Version one"},
             Case{u"%2 before %1", u"two before one"},
             Case{u"%1%", u"one%"},
             Case{u"%1 %", u"one %"},
             Case{u"%3 stays", u"%3 stays"},  // no third value
             Case{u"%0 and %a and %", u"%0 and %a and %"},
             Case{u"%1%1", u"oneone"},
             Case{u"", u""},
         }) {
        EXPECT_EQ(FillIn(c.pattern, {u"one", u"two"}), c.filled);
    }
    // A value is not read again for places of its own.
    EXPECT_EQ(FillIn(u"%1 %2", {u"%2", u"x"}), u"%2 x");
}

}  // namespace
}  // namespace tessik
