#include "ui/rules/file_filter.h"

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

TEST(FileFilterTest, FindsTheEntryTheDialogReports) {
    constexpr std::u16string_view kFilter = u"A (x) (*);;A (*);;B  b (*.b *.c)";
    struct Case {
        std::u16string_view chosen;
        int entry;
    };
    for (const Case& c : {
             Case{u"A (*)", 1},
             Case{u" A  (*) ", 1},  // the dialog shows runs of blanks as one
             Case{u"B b (*.b *.c)", 2},
             Case{u"A (x)", 0},  // patterns hidden
             Case{u"A", 1},
             Case{u"B b", 2},
             Case{u"C", -1},
             Case{u"", -1},
         }) {
        EXPECT_EQ(QtFilterEntryIndex(kFilter, c.chosen), c.entry)
            << std::string(c.chosen.begin(), c.chosen.end());
    }
}

}  // namespace
}  // namespace tessik
