#pragma once
// The checksum-list window's table as Qt's views read it: the rows of a ListTable under the
// window's translated headers and status texts. Batches of rows are added while a run goes on;
// a view keeps its selection whether they come at the end or are merged in, and sorting by a
// column (or none: list order) sorts the table.

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <vector>

#include "settings/read_failure_words.h"
#include "ui/rules/checksum_list_table.h"
#include "ui/rules/list_table_text.h"
#include "ui/rules/list_window.h"

namespace tessik {

class ChecksumListModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    using Texts = std::array<QString, kListMemberTextCount>;

    // The columns shown, in order; the texts are the window's, read whenever a cell is drawn.
    ChecksumListModel(std::vector<ListColumn> columns, const Texts& texts,
                      const ReadFailureTexts& failures, QObject* parent);

    // What the status column says of the row.
    QString statusText(const ListRow& row) const;

    const std::vector<ListColumn>& columns() const { return columns_; }
    void setColumns(std::vector<ListColumn> columns);
    void setLowerCase(bool lowerCase);
    void setProblemsFirst(bool first);
    void append(std::vector<ListRow> rows);
    void clear();
    const ListTable& table() const { return table_; }
    const ListCells& cells() const { return cells_; }
    // The rows as shown, cells apart by tabs, one row per line: what Copy takes of a selection.
    QString rowsText(const std::vector<int>& viewRows) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // A column below 0 stands for list order.
    void sort(int column, Qt::SortOrder order) override;

  private:
    template <class Change>
    void reorder(Change change);

    std::vector<ListColumn> columns_;
    const ListCells cells_;
    ListTable table_;
    bool lowerCase_ = true;
};

}  // namespace tessik
