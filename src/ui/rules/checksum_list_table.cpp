#include "ui/rules/checksum_list_table.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

#include "lists/checksum_writer.h"
#include "platform/path_encoding.h"
#include "ui/rules/text_pattern.h"

namespace tessik {
namespace {

std::string_view AlgorithmName(const ListRow& row) {
    return row.algorithm == nullptr ? std::string_view() : row.algorithm->name;
}

void Count(const ListRow& row, ListCounts& counts) {
    switch (row.status) {
        case RowStatus::kOk:
            ++counts.ok;
            break;
        case RowStatus::kFailed:
            ++counts.failed;
            break;
        case RowStatus::kUnreadable:
            ++(row.failure == ReadFailure::kMissing ? counts.missing : counts.unreadable);
            break;
        case RowStatus::kMalformed:
            ++counts.malformed;
            break;
        case RowStatus::kNew:
            ++counts.newFiles;
            break;
    }
}

RowStatus StatusOf(VerifyStatus status) {
    switch (status) {
        case VerifyStatus::kOk:
            return RowStatus::kOk;
        case VerifyStatus::kFailed:
            return RowStatus::kFailed;
        case VerifyStatus::kMissing:
        case VerifyStatus::kUnreadable:
            return RowStatus::kUnreadable;
        case VerifyStatus::kMalformed:
        case VerifyStatus::kAmbiguous:  // the window always names an algorithm for the lines
            break;
        case VerifyStatus::kNew:
            return RowStatus::kNew;
    }
    return RowStatus::kMalformed;
}

}  // namespace

ListRow ListRowOf(const VerifyResult& checked) {
    const RowStatus status = StatusOf(checked.status);
    return {checked.lineNumber,
            checked.name,
            {},
            status,
            status == RowStatus::kUnreadable ? checked.failure : ReadFailure::kNone};
}

void AddRowsOf(std::uint64_t place, HashedFile hashed, std::vector<ListRow>& rows) {
    const bool read = hashed.result.outcome == FileDigestOutcome::kDigest;
    const std::string name = ToListName(hashed.path);
    const auto add = [&](const AlgorithmInfo* algorithm, Digest digest, std::size_t at) {
        rows.push_back({place, name, std::move(digest),
                        read ? RowStatus::kOk : RowStatus::kUnreadable,
                        read ? ReadFailure::kNone : hashed.result.failure, algorithm,
                        static_cast<std::uint8_t>(at)});
    };
    add(hashed.algorithm, std::move(hashed.result.digest), 0);
    for (std::size_t i = 0; i < hashed.alsoWith.size(); ++i) {
        const bool digested = read && i < hashed.alsoDigests.size();
        add(hashed.alsoWith[i], digested ? std::move(hashed.alsoDigests[i]) : Digest{}, i + 1);
    }
}

std::u16string CountsText(const ListCounts& counts, std::u16string_view pattern, bool checked) {
    if (!checked) {
        const std::uint64_t notRead =
            counts.failed + counts.missing + counts.unreadable + counts.malformed;
        return FillIn(pattern, {NumberText(counts.ok), NumberText(notRead)});
    }
    return FillIn(pattern,
                  {NumberText(counts.ok), NumberText(counts.failed), NumberText(counts.missing),
                   NumberText(counts.unreadable), NumberText(counts.malformed)});
}

ListTable::Growth ListTable::GrowthOf(const std::vector<ListRow>& rows) const {
    const auto before = [this](const ListRow& x, const ListRow& y) { return Before(x, y); };
    const auto first = std::min_element(rows.begin(), rows.end(), before);
    return first == rows.end() || order_.empty() || !Before(*first, Row(order_.size() - 1))
               ? Growth::kAtEnd
               : Growth::kReordered;
}

void ListTable::Append(std::vector<ListRow> rows) {
    const Growth growth = GrowthOf(rows);
    std::vector<std::size_t> added(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        added[i] = rows_.size();
        if (rows[i].algorithmPlace == 0) Count(rows[i], counts_);
        rows_.push_back(std::move(rows[i]));
    }
    const auto before = [this](std::size_t a, std::size_t b) { return Before(rows_[a], rows_[b]); };
    std::sort(added.begin(), added.end(), before);
    if (growth == Growth::kAtEnd) {
        order_.insert(order_.end(), added.begin(), added.end());
        return;
    }
    std::vector<std::size_t> merged;
    merged.reserve(order_.size() + added.size());
    std::merge(order_.begin(), order_.end(), added.begin(), added.end(), std::back_inserter(merged),
               before);
    order_.swap(merged);
}

void ListTable::Clear() {
    rows_.clear();
    order_.clear();
    counts_ = {};
}

void ListTable::SortBy(ListColumn column, bool descending) {
    column_ = column;
    descending_ = descending;
    Sort();
}

void ListTable::SetProblemsFirst(bool first) {
    problemsFirst_ = first;
    Sort();
}

std::vector<std::size_t> ListTable::ViewRows() const {
    std::vector<std::size_t> viewRows(order_.size());
    for (std::size_t row = 0; row < order_.size(); ++row) viewRows[order_[row]] = row;
    return viewRows;
}

std::u16string ListTable::FailedNames() const {
    std::u16string names;
    for (std::size_t index : order_) {
        const ListRow& row = rows_[index];
        if (row.status == RowStatus::kOk || row.status == RowStatus::kMalformed ||
            row.status == RowStatus::kNew || row.algorithmPlace > 0) {
            continue;
        }
        if (!names.empty()) names += u'\n';
        names += FromNativePath(NameForReport(row.name));
    }
    return names;
}

// The chosen column decides, either way; the line settles ties, so the order is total and a
// batch merges into the view exactly where a full sort would put it.
bool ListTable::Before(const ListRow& x, const ListRow& y) const {
    if (problemsFirst_) {
        const bool xPassed = x.status == RowStatus::kOk;
        if (xPassed != (y.status == RowStatus::kOk)) return !xPassed;
    }
    int order = 0;
    switch (column_) {
        case ListColumn::kLine:
            break;
        case ListColumn::kName:
            order = x.name.compare(y.name);
            break;
        case ListColumn::kAlgorithm:
            order = AlgorithmName(x).compare(AlgorithmName(y));
            break;
        case ListColumn::kDigest:
            order = x.digest < y.digest ? -1 : y.digest < x.digest ? 1 : 0;
            break;
        case ListColumn::kStatus:
            // The unreadable rows in the order of their causes.
            order = static_cast<int>(x.status) - static_cast<int>(y.status);
            if (order == 0) order = static_cast<int>(x.failure) - static_cast<int>(y.failure);
            break;
    }
    // New files have no line: they follow the entries, by name.
    const auto line = [](const ListRow& row) {
        return row.line == 0 ? std::numeric_limits<std::uint64_t>::max() : row.line;
    };
    if (order == 0) order = line(x) < line(y) ? -1 : line(x) > line(y) ? 1 : 0;
    if (order == 0) order = x.algorithmPlace - y.algorithmPlace;
    if (order == 0) order = x.name.compare(y.name);
    return descending_ ? order > 0 : order < 0;
}

void ListTable::Sort() {
    std::sort(order_.begin(), order_.end(),
              [this](std::size_t a, std::size_t b) { return Before(rows_[a], rows_[b]); });
}

}  // namespace tessik
