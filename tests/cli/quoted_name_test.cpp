#include "cli/quoted_name.h"

#include <gtest/gtest.h>

#include <string>

namespace tessik {
namespace {

// What the standard tools print for these names on standard error.
TEST(QuotedName, QuotesAsTheStandardToolsDo) {
    const struct {
        std::string name;
        std::string quoted;
    } cases[] = {
        {"plain-name_1.2,x+y%z@w]/", "plain-name_1.2,x+y%z@w]/"},
        {"", "''"},
        {"two words", "'two words'"},
        {"a:b", "'a:b'"},
        {"#a", "'#a'"},
        {"a#b~c{d", "a#b~c{d"},
        {"{", "'{'"},
        {"it's", "\"it's\""},
        {"it's x:y", "\"it's x:y\""},
        {"it's$x", "'it'\\''s$x'"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {"a\x1b[31mred\tb", "'a'$'\\033''[31mred'$'\\t''b'"},
        {"\x1b", "''$'\\033'"},
        {"\x1b'", "''$'\\033'\\'''"},
        {"x\xFFy\xFE", "'x'$'\\377''y'$'\\376'"},
        {"x\xC2\x85y", "'x'$'\\302\\205''y'"},
        {"x\xE2\x80\xA8y", "'x'$'\\342\\200\\250''y'"},
        {"x\xED\xA0\x80y", "'x'$'\\355\\240\\200''y'"},
        {"\x7f\a\b\v\f\r\n", "''$'\\177\\a\\b\\v\\f\\r\\n'"},
    };
    for (const auto& c : cases) EXPECT_EQ(QuotedName(c.name), c.quoted) << c.name;
}

TEST(QuotedName, OutputIsQuotedOnlyOnATerminalAndOnlyForWhatPrintsNothing) {
    EXPECT_EQ(NameForOutput("a\033b", false), "a\033b");
    EXPECT_EQ(NameForOutput("a\033b", true), "'a'$'\\033''b'");
    EXPECT_EQ(NameForOutput("two words", true), "two words");
}

}  // namespace
}  // namespace tessik
