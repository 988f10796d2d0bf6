#pragma once
// What the checksum-list windows' table says, whichever back end draws it: the header and the
// cells of each column in the window's language, the columns for one or several algorithms, the
// texts a column's width must hold, the rows Copy takes and the counts above the table.

#include <cstddef>
#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "settings/read_failure_words.h"
#include "ui/rules/checksum_list_table.h"
#include "ui/rules/signature_text.h"

namespace tessik {

class ListCells {
  public:
    // The window's texts, read whenever a cell is asked for.
    ListCells(ListText text, const ReadFailureTexts& failures);

    std::u16string Header(ListColumn column) const;
    std::u16string Status(const ListRow& row) const;
    std::u16string Cell(const ListRow& row, ListColumn column, bool lowerCase) const;
    // The view rows given, in view order, cells apart by tabs, one row per line.
    std::u16string Rows(const ListTable& table, const std::vector<ListColumn>& columns,
                        std::vector<std::size_t> viewRows, bool lowerCase) const;
    // The counts above the table, after "Stopped." when the run was stopped.
    std::u16string Counts(const ListCounts& counts, bool checked, bool stopped) const;

  private:
    ListText text_;
    const ReadFailureTexts& failures_;
};

// With several algorithms, each row names its algorithm in a column after the name.
std::vector<ListColumn> ColumnsFor(std::vector<ListColumn> columns, const AlgorithmSet& algorithms);

// What a column must be wide enough for beside its header: the line column a long line number,
// a digest the widest digits of the algorithms, the algorithm column their names. Nothing for
// the name, which takes the room the others leave, nor for the status, which fits the statuses
// of the rows shown.
std::vector<std::u16string> ColumnWidthSamples(ListColumn column, const AlgorithmSet& algorithms);

}  // namespace tessik
