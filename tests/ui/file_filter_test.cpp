#include "ui/file_filter.h"

#include <gtest/gtest.h>

namespace tessik {
namespace {

TEST(FileFilterTest, ConvertsToQtFilters) {
    struct Case {
        std::u16string_view filter;
        std::u16string_view qt;
    };
    for (const Case& c : {
             Case{u"All files(*.*)|*.*||", u"All files(*.*) (*)"},
             Case{u"Text|*.txt;*.log|All|*.*||", u"Text (*.txt *.log);;All (*)"},
             Case{u"Texte (*.txt)|*.txt||", u"Texte (*.txt) (*.txt)"},
             Case{u"A|;*.a;|", u"A (*.a)"},
             Case{u"A|*.a", u"A (*.a)"},             // closing bars missing
             Case{u"A|*.a|B||C|*.c||", u"A (*.a)"},  // B has no pattern; C is after the end
             Case{u"|*.a||", u" (*.a)"},             // empty description kept
             Case{u"Desc|", u""},
             Case{u"Broken", u""},
             Case{u"", u""},
             Case{u"||", u""},
         }) {
        EXPECT_EQ(ToQtFileFilter(c.filter), c.qt) << std::string(c.filter.begin(), c.filter.end());
    }
}

}  // namespace
}  // namespace tessik
