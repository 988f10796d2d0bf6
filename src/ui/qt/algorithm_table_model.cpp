#include "ui/qt/algorithm_table_model.h"

#include <QFont>
#include <QPalette>
#include <algorithm>

#include "digest/hex.h"
#include "ui/qt/qt_text.h"

namespace tessik {
namespace {

QString NameOf(const AlgorithmInfo& algorithm) {
    return QString::fromUtf8(algorithm.name.data(), static_cast<qsizetype>(algorithm.name.size()));
}

const AlgorithmInfo& AlgorithmOfRow(int row) {
    return AlgorithmCatalogue()[static_cast<std::size_t>(row)];
}

}  // namespace

AlgorithmTableModel::AlgorithmTableModel(bool withDigests, QObject* parent)
    : QAbstractTableModel(parent),
      withDigests_(withDigests),
      ticked_(AlgorithmCatalogue().size(), false),
      digests_(AlgorithmCatalogue().size()),
      marked_(AlgorithmCatalogue().size(), false) {}

int AlgorithmTableModel::rowOf(const AlgorithmInfo& algorithm) {
    return static_cast<int>(&algorithm - AlgorithmCatalogue().data());
}

void AlgorithmTableModel::setHeaders(const QString& algorithm, const QString& digest) {
    algorithmHeader_ = algorithm;
    digestHeader_ = digest;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

AlgorithmSet AlgorithmTableModel::ticked() const {
    AlgorithmSet algorithms;
    for (int row = 0; row < rowCount(); ++row) {
        if (ticked_[static_cast<std::size_t>(row)]) algorithms.push_back(&AlgorithmOfRow(row));
    }
    return algorithms;
}

void AlgorithmTableModel::setTicked(const AlgorithmSet& algorithms) {
    std::fill(ticked_.begin(), ticked_.end(), false);
    for (const AlgorithmInfo* algorithm : algorithms) {
        ticked_[static_cast<std::size_t>(rowOf(*algorithm))] = true;
    }
    changedAll();
    emit tickedChanged();
}

void AlgorithmTableModel::setTickable(bool tickable) {
    tickable_ = tickable;
    changedAll();
}

void AlgorithmTableModel::setDigests(const std::vector<AlgorithmDigest>& digests) {
    std::fill(digests_.begin(), digests_.end(), Digest{});
    for (const AlgorithmDigest& given : digests) {
        digests_[static_cast<std::size_t>(rowOf(*given.algorithm))] = given.digest;
    }
    changedAll();
}

std::vector<AlgorithmDigest> AlgorithmTableModel::digests() const {
    std::vector<AlgorithmDigest> given;
    for (int row = 0; row < rowCount(); ++row) {
        const Digest& digest = digests_[static_cast<std::size_t>(row)];
        if (!digest.empty()) given.push_back({&AlgorithmOfRow(row), digest});
    }
    return given;
}

void AlgorithmTableModel::setMarked(const AlgorithmSet& algorithms) {
    std::fill(marked_.begin(), marked_.end(), false);
    for (const AlgorithmInfo* algorithm : algorithms) {
        marked_[static_cast<std::size_t>(rowOf(*algorithm))] = true;
    }
    changedAll();
}

void AlgorithmTableModel::setLowerCase(bool lowerCase) {
    lowerCase_ = lowerCase;
    changedAll();
}

QString AlgorithmTableModel::rowsText(std::vector<int> rows) const {
    std::sort(rows.begin(), rows.end());
    std::vector<AlgorithmDigest> given;
    for (const int row : rows) {
        if (row < 0 || row >= rowCount() || digests_[static_cast<std::size_t>(row)].empty()) {
            continue;
        }
        given.push_back({&AlgorithmOfRow(row), digests_[static_cast<std::size_t>(row)]});
    }
    return ToQString(AlgorithmRowsText(given, lowerCase_, u"\n"));
}

int AlgorithmTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(AlgorithmCatalogue().size());
}

int AlgorithmTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : withDigests_ ? 2 : 1;
}

QVariant AlgorithmTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    const bool nameColumn = index.column() == 0;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return nameColumn ? NameOf(AlgorithmOfRow(index.row())) : digestText(index.row());
        case Qt::CheckStateRole:
            if (nameColumn) return ticked_[row] ? Qt::Checked : Qt::Unchecked;
            break;
        case Qt::FontRole:
            // The match stands out in type as well as in colour.
            if (marked_[row]) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            break;
        case Qt::BackgroundRole:
            if (marked_[row]) return QPalette().brush(QPalette::Highlight).color().lighter(170);
            break;
        default:
            break;
    }
    return {};
}

bool AlgorithmTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole || !tickable_) {
        return false;
    }
    ticked_[static_cast<std::size_t>(index.row())] = value.value<Qt::CheckState>() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit tickedChanged();
    return true;
}

Qt::ItemFlags AlgorithmTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0 && tickable_) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant AlgorithmTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? algorithmHeader_ : digestHeader_;
}

QString AlgorithmTableModel::digestText(int row) const {
    return QString::fromLatin1(HexDigest(digests_[static_cast<std::size_t>(row)], lowerCase_));
}

void AlgorithmTableModel::changedAll() {
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

}  // namespace tessik
