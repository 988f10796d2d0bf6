#include "ui/qt/checksum_list_model.h"

#include <QBrush>
#include <algorithm>

#include "ui/qt/qt_text.h"

namespace tessik {

ChecksumListModel::ChecksumListModel(std::vector<ListColumn> columns, const Texts& texts,
                                     const ReadFailureTexts& failures, QObject* parent)
    : QAbstractTableModel(parent),
      columns_(std::move(columns)),
      cells_(
          [&texts](ListMemberText which) {
              return texts[static_cast<std::size_t>(which)].toStdU16String();
          },
          failures) {}

QString ChecksumListModel::statusText(const ListRow& row) const {
    return ToQString(cells_.Status(row));
}

void ChecksumListModel::setColumns(std::vector<ListColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    table_.SortBy(ListColumn::kLine, false);
    endResetModel();
}

void ChecksumListModel::setLowerCase(bool lowerCase) {
    lowerCase_ = lowerCase;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ChecksumListModel::setProblemsFirst(bool first) {
    reorder([&] { table_.SetProblemsFirst(first); });
}

void ChecksumListModel::append(std::vector<ListRow> rows) {
    if (rows.empty()) return;
    if (table_.GrowthOf(rows) == ListTable::Growth::kReordered) {
        reorder([&] { table_.Append(std::move(rows)); });
        return;
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    table_.Append(std::move(rows));
    endInsertRows();
}

void ChecksumListModel::clear() {
    beginResetModel();
    table_.Clear();
    endResetModel();
}

int ChecksumListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.Size());
}

int ChecksumListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ChecksumListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const ListRow& row = table_.Row(static_cast<std::size_t>(index.row()));
    const ListColumn column = columns_[static_cast<std::size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:  // a long name or digest shows whole
            return ToQString(cells_.Cell(row, column, lowerCase_));
        case Qt::TextAlignmentRole:
            if (column == ListColumn::kLine) return int(Qt::AlignRight | Qt::AlignVCenter);
            break;
        case Qt::ForegroundRole:
            // What did not pass stands out; its text says what it is.
            if (column == ListColumn::kStatus && row.status != RowStatus::kOk) {
                return QBrush(Qt::darkRed);
            }
            break;
        default:
            break;
    }
    return {};
}

QVariant ChecksumListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return ToQString(cells_.Header(columns_[static_cast<std::size_t>(section)]));
}

void ChecksumListModel::sort(int column, Qt::SortOrder order) {
    const bool listOrder = column < 0 || column >= columnCount();
    reorder([&] {
        table_.SortBy(listOrder ? ListColumn::kLine : columns_[static_cast<std::size_t>(column)],
                      !listOrder && order == Qt::DescendingOrder);
    });
}

QString ChecksumListModel::rowsText(const std::vector<int>& viewRows) const {
    std::vector<std::size_t> rows;
    for (int viewRow : viewRows) {
        if (viewRow >= 0) rows.push_back(static_cast<std::size_t>(viewRow));
    }
    return ToQString(cells_.Rows(table_, columns_, std::move(rows), lowerCase_));
}

// The rows move, but a selected row stays selected wherever it goes.
template <class Change>
void ChecksumListModel::reorder(Change change) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> listIndexes;
    listIndexes.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) {
        listIndexes.push_back(table_.ListIndex(static_cast<std::size_t>(index.row())));
    }
    change();
    if (!before.isEmpty()) {
        const std::vector<std::size_t> viewRows = table_.ViewRows();
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            after.push_back(
                index(static_cast<int>(viewRows[listIndexes[static_cast<std::size_t>(i)]]),
                      before[i].column()));
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace tessik
