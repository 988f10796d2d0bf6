#include "lists/checksum_list_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessik {
namespace {

const std::string kMd5 = "d41d8cd98f00b204e9800998ecf8427e";

struct Read {
    std::uint64_t number;
    LineKind kind;
    std::string name;
};

std::vector<Read> ReadAll(ChecksumListReader& reader) {
    std::vector<Read> lines;
    ListLine line;
    while (reader.Next(line)) lines.push_back({line.number, line.line.kind, line.line.name});
    return lines;
}

std::vector<Read> ReadAll(std::string list, ListReading reading = ListReading::kLenient) {
    ChecksumListReader reader(BytesOf(std::move(list)), "|", reading);
    return ReadAll(reader);
}

void ExpectLines(const std::vector<Read>& got, const std::vector<Read>& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].number, expected[i].number) << i;
        EXPECT_EQ(got[i].kind, expected[i].kind) << i;
        EXPECT_EQ(got[i].name, expected[i].name) << i;
    }
}

TEST(ChecksumListReader, NumbersLinesAndPassesOverBlanksAndComments) {
    ExpectLines(
        ReadAll("# list\r\n" + kMd5 + "  a\r\n\r\ngarbage\r\n" + kMd5 + "  b"),
        {{2, LineKind::kEntry, "a"}, {4, LineKind::kMalformed, ""}, {5, LineKind::kEntry, "b"}});
    ExpectLines(ReadAll(""), {});
    ExpectLines(ReadAll("\n\n"), {});
}

// Only in front of the first line, where editors on Windows put it.
TEST(ChecksumListReader, PassesOverAByteOrderMarkUnlessStrict) {
    const std::string mark = "\xEF\xBB\xBF";
    const struct {
        const char* what;
        std::string list;
        ListReading reading;
        std::vector<Read> lines;
    } cases[] = {
        {"lenient", mark + kMd5 + "  a\r\n", ListReading::kLenient, {{1, LineKind::kEntry, "a"}}},
        {"strict", mark + kMd5 + "  a\r\n", ListReading::kStrict, {{1, LineKind::kMalformed, ""}}},
        {"before a comment",
         mark + "# list\n" + kMd5 + "  a",
         ListReading::kLenient,
         {{2, LineKind::kEntry, "a"}}},
        {"on a later line",
         "\n" + mark + kMd5 + "  a",
         ListReading::kLenient,
         {{2, LineKind::kMalformed, ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectLines(ReadAll(c.list, c.reading), c.lines);
    }
}

// A CR inside a name stays; only the one before the LF is a line end.
TEST(ChecksumListReader, DropsOnlyTheCarriageReturnBeforeTheLineFeed) {
    ExpectLines(ReadAll(kMd5 + "  a\rb\r\n"), {{1, LineKind::kEntry, "a\rb"}});
}

// A line far longer than any entry costs no memory: it is malformed and the next line reads.
TEST(ChecksumListReader, SkipsOverlongLinesWithoutKeepingThem) {
    const std::string longName(ChecksumListReader::kMaxLineBytes * 3, 'n');
    ExpectLines(ReadAll(kMd5 + "  " + longName + "\n" + kMd5 + "  b\n"),
                {{1, LineKind::kMalformed, ""}, {2, LineKind::kEntry, "b"}});
}

// Lines cut across the source's reads, down to one byte per read.
TEST(ChecksumListReader, JoinsLinesAcrossReads) {
    const std::string list = kMd5 + "  first\n" + kMd5 + "  second\n";
    std::size_t at = 0;
    ChecksumListReader reader(
        [&](char* buffer, std::size_t) -> std::int64_t {
            if (at == list.size()) return 0;
            *buffer = list[at++];
            return 1;
        },
        "|");
    ExpectLines(ReadAll(reader), {{1, LineKind::kEntry, "first"}, {2, LineKind::kEntry, "second"}});
}

// The line the error cut short is not handed out: "a" may be another file than "ab...".
TEST(ChecksumListReader, StopsAtAReadError) {
    int calls = 0;
    ChecksumListReader reader(
        [&](char* buffer, std::size_t capacity) -> std::int64_t {
            if (calls++ > 0) return -1;
            const std::string first = kMd5 + "  a\n" + kMd5 + "  ab";
            first.copy(buffer, capacity);
            return static_cast<std::int64_t>(first.size());
        },
        "|");
    ExpectLines(ReadAll(reader), {{1, LineKind::kEntry, "a"}});
    EXPECT_TRUE(reader.ReadFailed());
    ListLine line;
    EXPECT_FALSE(reader.Next(line));
}

}  // namespace
}  // namespace tessik
