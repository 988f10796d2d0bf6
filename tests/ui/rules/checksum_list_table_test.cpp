#include "ui/rules/checksum_list_table.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace tessik {
namespace {

ListRow Row(std::uint64_t line, std::string name, RowStatus status, Digest digest = {}) {
    return {line, std::move(name), std::move(digest), status};
}
ListRow Row(std::uint64_t line, std::string name, ReadFailure failure) {
    return {line, std::move(name), {}, RowStatus::kUnreadable, failure};
}

std::vector<std::uint64_t> LinesShown(const ListTable& table) {
    std::vector<std::uint64_t> lines;
    for (std::size_t row = 0; row < table.Size(); ++row) lines.push_back(table.Row(row).line);
    return lines;
}

TEST(ChecksumListTableTest, EveryOutcomeHasItsStatus) {
    struct Case {
        VerifyStatus verify;
        ReadFailure failure;
        RowStatus status;
        ReadFailure shownFailure;
    };
    for (const Case& c : {
             Case{VerifyStatus::kOk, ReadFailure::kNone, RowStatus::kOk, ReadFailure::kNone},
             Case{VerifyStatus::kFailed, ReadFailure::kNone, RowStatus::kFailed,
                  ReadFailure::kNone},
             Case{VerifyStatus::kMissing, ReadFailure::kMissing, RowStatus::kUnreadable,
                  ReadFailure::kMissing},
             Case{VerifyStatus::kUnreadable, ReadFailure::kFolder, RowStatus::kUnreadable,
                  ReadFailure::kFolder},
             Case{VerifyStatus::kUnreadable, ReadFailure::kIoError, RowStatus::kUnreadable,
                  ReadFailure::kIoError},
             Case{VerifyStatus::kUnreadable, ReadFailure::kLinkLoop, RowStatus::kUnreadable,
                  ReadFailure::kLinkLoop},
             Case{VerifyStatus::kMalformed, ReadFailure::kNone, RowStatus::kMalformed,
                  ReadFailure::kNone},
             Case{VerifyStatus::kAmbiguous, ReadFailure::kNone, RowStatus::kMalformed,
                  ReadFailure::kNone},
         }) {
        VerifyResult checked;
        checked.lineNumber = 4;
        checked.name = "name";
        checked.status = c.verify;
        checked.failure = c.failure;
        const ListRow row = ListRowOf(checked);
        EXPECT_EQ(row.status, c.status) << static_cast<int>(c.verify);
        EXPECT_EQ(row.failure, c.shownFailure) << static_cast<int>(c.verify);
        EXPECT_EQ(row.line, 4u);
        EXPECT_EQ(row.name, "name");
    }
}

// A file hashed with several algorithms has a row for each, in their order, and counts once;
// one that could not be read has the cause on each row and is named once as failed.
TEST(ChecksumListTableTest, AFileHashedWithSeveralAlgorithmsHasARowEachAndCountsOnce) {
    const AlgorithmInfo& md5 = *AlgorithmWithId("md5");
    const AlgorithmInfo& sha1 = *AlgorithmWithId("sha1");
    const AlgorithmInfo& crc = *AlgorithmWithId("crc32");
    HashedFile read{u"/a/read", &md5, {}, {&sha1, &crc}, {{2}, {3}}};
    read.result.outcome = FileDigestOutcome::kDigest;
    read.result.digest = {1};
    HashedFile unread{u"/a/unread", &md5, {}, {&sha1, &crc}};
    unread.result = {FileDigestOutcome::kUnreadable, {}, ReadFailure::kPermissionDenied, 0};
    std::vector<ListRow> rows;
    AddRowsOf(2, unread, rows);
    AddRowsOf(1, read, rows);
    ASSERT_EQ(rows.size(), 6u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].status, RowStatus::kUnreadable);
        EXPECT_EQ(rows[i].failure, ReadFailure::kPermissionDenied);
        EXPECT_EQ(rows[i + 3].status, RowStatus::kOk);
        EXPECT_EQ(rows[i + 3].digest, (Digest{static_cast<std::uint8_t>(i + 1)}));
        EXPECT_EQ(rows[i + 3].algorithm, (std::array{&md5, &sha1, &crc}[i]));
    }

    ListTable table;
    table.Append(rows);
    EXPECT_EQ(table.Counts(), (ListCounts{1, 0, 0, 1, 0}));
    EXPECT_EQ(table.FailedNames(), u"/a/unread");
    // In list order the file's rows keep their algorithms' order; by algorithm, the names decide.
    std::vector<std::string> shown;
    for (std::size_t row = 0; row < table.Size(); ++row) {
        shown.push_back(table.Row(row).name + " " + std::string(table.Row(row).algorithm->name));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"/a/read MD5", "/a/read SHA-1", "/a/read CRC-32",
                                               "/a/unread MD5", "/a/unread SHA-1",
                                               "/a/unread CRC-32"}));
    table.SortBy(ListColumn::kAlgorithm, false);
    EXPECT_EQ(std::string(table.Row(0).algorithm->name), "CRC-32");
    EXPECT_EQ(std::string(table.Row(5).algorithm->name), "SHA-1");
}

TEST(ChecksumListTableTest, CountsEveryStatusAndSaysThemInTheWindowsWords) {
    ListTable table;
    table.Append({Row(1, "a", RowStatus::kOk), Row(2, "b", RowStatus::kFailed),
                  Row(3, "c", ReadFailure::kMissing), Row(4, "d", ReadFailure::kFolder)});
    table.Append({Row(5, "e", ReadFailure::kIoError), Row(6, "", RowStatus::kMalformed),
                  Row(7, "g", RowStatus::kOk)});
    EXPECT_EQ(table.Counts(), (ListCounts{2, 1, 1, 2, 1}));
    EXPECT_EQ(CountsText(table.Counts(), u"%1 ok, %2 failed, %3 missing, %4 unread, %5 bad", true),
              u"2 ok, 1 failed, 1 missing, 2 unread, 1 bad");
    EXPECT_EQ(CountsText(table.Counts(), u"%1 hashed, %2 not", false), u"2 hashed, 5 not");
    table.Clear();
    EXPECT_EQ(table.Size(), 0u);
    EXPECT_EQ(table.Counts(), ListCounts{});
}

TEST(ChecksumListTableTest, SortsByAnyColumnEitherWayWithTheFailuresFirstOnRequest) {
    ListTable table;
    table.Append({Row(1, "delta", RowStatus::kOk, {3}), Row(2, "alpha", ReadFailure::kMissing),
                  Row(3, "charlie", RowStatus::kOk, {1}), Row(4, "bravo", RowStatus::kFailed, {2}),
                  Row(5, "alpha", RowStatus::kOk, {2})});
    struct Case {
        ListColumn column;
        bool descending;
        bool failuresFirst;
        std::vector<std::uint64_t> lines;
    };
    for (const Case& c : {
             Case{ListColumn::kLine, false, false, {1, 2, 3, 4, 5}},
             Case{ListColumn::kLine, true, false, {5, 4, 3, 2, 1}},
             Case{ListColumn::kName, false, false, {2, 5, 4, 3, 1}},  // equal names: line order
             Case{ListColumn::kName, true, false, {1, 3, 4, 5, 2}},
             Case{ListColumn::kDigest, false, false, {2, 3, 4, 5, 1}},
             Case{ListColumn::kStatus, false, false, {1, 3, 5, 4, 2}},
             Case{ListColumn::kLine, false, true, {2, 4, 1, 3, 5}},
             Case{ListColumn::kName, true, true, {4, 2, 1, 3, 5}},
         }) {
        table.SortBy(c.column, c.descending);
        table.SetProblemsFirst(c.failuresFirst);
        EXPECT_EQ(LinesShown(table), c.lines)
            << static_cast<int>(c.column) << c.descending << c.failuresFirst;
        // The view and the list order map onto each other both ways.
        const std::vector<std::size_t> viewRows = table.ViewRows();
        for (std::size_t row = 0; row < table.Size(); ++row) {
            EXPECT_EQ(viewRows[table.ListIndex(row)], row);
        }
    }
}

// Rows that come in batches while a sort is chosen land where sorting them all at once puts
// them; in list order, and with failures first while they pass, they only ever grow the view at
// its end.
TEST(ChecksumListTableTest, BatchesMergeWhereAFullSortPutsThem) {
    std::mt19937 random(7);
    std::vector<ListRow> rows;
    for (std::uint64_t line = 1; line <= 500; ++line) {
        const auto status = static_cast<RowStatus>(random() % kRowStatusCount);
        rows.push_back(Row(line, "name" + std::to_string(random() % 50), status,
                           {static_cast<std::uint8_t>(random())}));
        if (status == RowStatus::kUnreadable) {
            rows.back().failure = static_cast<ReadFailure>(1 + random() % 5);
        }
    }
    for (const ListColumn column :
         {ListColumn::kLine, ListColumn::kName, ListColumn::kDigest, ListColumn::kStatus}) {
        for (const bool failuresFirst : {false, true}) {
            ListTable batched;
            batched.SortBy(column, column == ListColumn::kName);
            batched.SetProblemsFirst(failuresFirst);
            for (std::size_t from = 0; from < rows.size(); from += 37) {
                const std::vector<ListRow> batch(
                    rows.begin() + static_cast<std::ptrdiff_t>(from),
                    rows.begin() + static_cast<std::ptrdiff_t>(std::min(from + 37, rows.size())));
                const ListTable::Growth growth = batched.GrowthOf(batch);
                if (column == ListColumn::kLine && !failuresFirst) {
                    EXPECT_EQ(growth, ListTable::Growth::kAtEnd);
                }
                batched.Append(batch);
            }
            ListTable whole;
            whole.Append(rows);
            whole.SortBy(column, column == ListColumn::kName);
            whole.SetProblemsFirst(failuresFirst);
            EXPECT_EQ(LinesShown(batched), LinesShown(whole)) << static_cast<int>(column);
        }
    }
    ListTable passing;
    passing.SetProblemsFirst(true);
    passing.Append({Row(1, "a", RowStatus::kFailed), Row(2, "b", RowStatus::kOk)});
    EXPECT_EQ(passing.GrowthOf({Row(3, "c", RowStatus::kOk)}), ListTable::Growth::kAtEnd);
    EXPECT_EQ(passing.GrowthOf({Row(4, "d", ReadFailure::kMissing)}),
              ListTable::Growth::kReordered);
}

TEST(ChecksumListTableTest, FailedNamesAreThoseOfFilesThatDidNotPassInTheOrderShown) {
    ListTable table;
    table.Append(
        {Row(1, "ok.txt", RowStatus::kOk), Row(2, "b/differs.iso", RowStatus::kFailed),
         Row(3, "gone", ReadFailure::kMissing), Row(4, "not a line", RowStatus::kMalformed),
         Row(5, "line\nbreak", ReadFailure::kPermissionDenied),
         Row(6, "a/dir", ReadFailure::kFolder), Row(7, "caf\xC3\xA9", RowStatus::kFailed)});
    EXPECT_EQ(table.FailedNames(), u"b/differs.iso\ngone\n\\line\\nbreak\na/dir\ncaf\u00E9");
    table.SortBy(ListColumn::kName, false);
    EXPECT_EQ(table.FailedNames(), u"a/dir\nb/differs.iso\ncaf\u00E9\ngone\n\\line\\nbreak");
    EXPECT_EQ(ListTable().FailedNames(), u"");
}

}  // namespace
}  // namespace tessik
