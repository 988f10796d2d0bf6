#include "ui/rules/list_table_text.h"

#include <algorithm>
#include <utility>

#include "digest/hex.h"
#include "platform/path_encoding.h"
#include "platform/text_conversion.h"
#include "ui/rules/list_window.h"
#include "ui/rules/text_pattern.h"

namespace tessik {
namespace {

ListMemberText HeaderText(ListColumn column) {
    switch (column) {
        case ListColumn::kLine:
            return ListMemberText::kColumnLine;
        case ListColumn::kName:
            return ListMemberText::kColumnFile;
        case ListColumn::kAlgorithm:
            return ListMemberText::kColumnAlgorithm;
        case ListColumn::kDigest:
            return ListMemberText::kColumnHash;
        case ListColumn::kStatus:
            break;
    }
    return ListMemberText::kColumnStatus;
}

}  // namespace

ListCells::ListCells(ListText text, const ReadFailureTexts& failures)
    : text_(std::move(text)), failures_(failures) {}

std::u16string ListCells::Header(ListColumn column) const {
    return text_(HeaderText(column));
}

std::u16string ListCells::Status(const ListRow& row) const {
    switch (row.status) {
        case RowStatus::kOk:
            return text_(ListMemberText::kStatusOk);
        case RowStatus::kFailed:
            return text_(ListMemberText::kStatusFailed);
        case RowStatus::kUnreadable:
            return failures_.Status(row.failure);
        case RowStatus::kMalformed:
            break;
        case RowStatus::kNew:
            return text_(ListMemberText::kStatusNew);
    }
    return text_(ListMemberText::kStatusMalformed);
}

std::u16string ListCells::Cell(const ListRow& row, ListColumn column, bool lowerCase) const {
    switch (column) {
        case ListColumn::kLine:
            return row.status == RowStatus::kNew ? std::u16string() : NumberText(row.line);
        case ListColumn::kName:
            return FromNativePath(row.name);
        case ListColumn::kAlgorithm:
            return row.algorithm == nullptr ? std::u16string() : FromUtf8(row.algorithm->name);
        case ListColumn::kDigest:
            return FromUtf8(HexDigest(row.digest, lowerCase));
        case ListColumn::kStatus:
            break;
    }
    return Status(row);
}

std::u16string ListCells::Rows(const ListTable& table, const std::vector<ListColumn>& columns,
                               std::vector<std::size_t> viewRows, bool lowerCase) const {
    std::sort(viewRows.begin(), viewRows.end());
    std::u16string text;
    bool first = true;
    for (std::size_t viewRow : viewRows) {
        if (viewRow >= table.Size()) continue;
        if (!first) text += u'\n';
        first = false;
        for (std::size_t column = 0; column < columns.size(); ++column) {
            if (column > 0) text += u'\t';
            text += Cell(table.Row(viewRow), columns[column], lowerCase);
        }
    }
    return text;
}

std::u16string ListCells::Counts(const ListCounts& counts, bool checked, bool stopped) const {
    std::u16string line = CountsText(
        counts, text_(checked ? ListMemberText::kCounts : ListMemberText::kFileCounts), checked);
    if (stopped) line = text_(ListMemberText::kStopped) + u' ' + line;
    return line;
}

std::vector<ListColumn> ColumnsFor(std::vector<ListColumn> columns,
                                   const AlgorithmSet& algorithms) {
    if (algorithms.size() > 1) {
        const auto name = std::find(columns.begin(), columns.end(), ListColumn::kName);
        columns.insert(name == columns.end() ? name : name + 1, ListColumn::kAlgorithm);
    }
    return columns;
}

std::vector<std::u16string> ColumnWidthSamples(ListColumn column, const AlgorithmSet& algorithms) {
    switch (column) {
        case ListColumn::kLine:
            return {u"0000000"};
        case ListColumn::kAlgorithm: {
            std::vector<std::u16string> names;
            for (const AlgorithmInfo* algorithm : algorithms) {
                names.push_back(FromUtf8(algorithm->name));
            }
            return names;
        }
        case ListColumn::kDigest: {
            std::size_t bytes = 0;
            for (const AlgorithmInfo* algorithm : algorithms) {
                bytes = std::max(bytes, algorithm->digestBytes);
            }
            return {std::u16string(2 * bytes, u'F'), std::u16string(2 * bytes, u'0')};
        }
        case ListColumn::kName:
        case ListColumn::kStatus:
            break;
    }
    return {};
}

}  // namespace tessik
