#pragma once
// The rows of the checksum-list window's table, free of Qt: one small row per entry of a list
// checked, or per file hashed, kept in list order, with the counts shown above the table, the
// order the user asked for (a column, either way, and the rows that did not pass first) and the
// text "Copy failed names" puts on the clipboard. Rows arrive in batches while a run goes on;
// a batch lands at the end of the view when the order allows, so the view only grows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "digest/digest_engine.h"
#include "folder/ordered_file_hasher.h"
#include "lists/verify_job.h"

namespace tessik {

// What became of an entry.
enum class RowStatus : std::uint8_t {
    kOk,  // matched, or hashed where nothing was expected
    kFailed,
    kUnreadable,  // missing too; the row's failure says why
    kMalformed,
    kNew,  // a file below the list's folder that the list does not name
};
inline constexpr int kRowStatusCount = static_cast<int>(RowStatus::kNew) + 1;

struct ListRow {
    std::uint64_t line = 0;  // of the list, 0 for a new file; for files hashed, their place from 1
    std::string name;        // the file's name as the list gives it, or the hashed path (bytes)
    Digest digest;           // what the file hashed to; empty when checked against a list
    RowStatus status = RowStatus::kMalformed;
    ReadFailure failure = ReadFailure::kNone;  // with kUnreadable
    // For files hashed, the algorithm of the digest, and which of the file's algorithms it is:
    // a file hashed with several has a row for each, and counts once.
    const AlgorithmInfo* algorithm = nullptr;
    std::uint8_t algorithmPlace = 0;
};

// The row of a list's entry as checked.
ListRow ListRowOf(const VerifyResult& checked);
// The rows of a file hashed at its place, one per algorithm in order, each with the file's
// failure when it could not be read.
void AddRowsOf(std::uint64_t place, HashedFile hashed, std::vector<ListRow>& rows);

struct ListCounts {
    std::uint64_t ok = 0;
    std::uint64_t failed = 0;
    std::uint64_t missing = 0;
    std::uint64_t unreadable = 0;
    std::uint64_t malformed = 0;
    std::uint64_t newFiles = 0;
    bool operator==(const ListCounts&) const = default;
};

// The counts above the table: the pattern's %1 to %5 are OK, FAILED, missing, unreadable and
// malformed lines when a list was checked; %1 and %2 the files hashed and those that could
// not be, when files were hashed.
std::u16string CountsText(const ListCounts& counts, std::u16string_view pattern, bool checked);

enum class ListColumn { kLine, kName, kAlgorithm, kDigest, kStatus };

class ListTable {
  public:
    enum class Growth {
        kAtEnd,      // the new rows follow the old ones in the view
        kReordered,  // they were merged in among them
    };

    // Where a batch of rows will go once appended.
    Growth GrowthOf(const std::vector<ListRow>& rows) const;
    void Append(std::vector<ListRow> rows);
    void Clear();
    // List order is the line column, ascending.
    void SortBy(ListColumn column, bool descending);
    void SetProblemsFirst(bool first);

    std::size_t Size() const { return order_.size(); }
    const ListRow& Row(std::size_t viewRow) const { return rows_[order_[viewRow]]; }
    // Where each row of the list order is in the view.
    std::vector<std::size_t> ViewRows() const;
    // The place in list order of a view row.
    std::size_t ListIndex(std::size_t viewRow) const { return order_[viewRow]; }
    const ListCounts& Counts() const { return counts_; }

    // The names of the listed files that did not pass (failed, missing or unreadable), in the order
    // shown, one per line; a name holding a line break is escaped as the checksum tools report
    // it.
    std::u16string FailedNames() const;

  private:
    bool Before(const ListRow& x, const ListRow& y) const;
    void Sort();

    std::vector<ListRow> rows_;       // in list order
    std::vector<std::size_t> order_;  // view row -> list index
    ListCounts counts_;
    ListColumn column_ = ListColumn::kLine;
    bool descending_ = false;
    bool problemsFirst_ = false;
};

}  // namespace tessik
