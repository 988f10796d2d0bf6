#pragma once
// Every algorithm of the catalogue as a table, a row each in its order, with a box that ticks it
// and, where digests are shown, the digest a file gave under it. Rows may be marked, as those
// whose digest is the one expected.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "digest/digest_engine.h"
#include "settings/algorithm_set.h"
#include "ui/rules/algorithm_match.h"

namespace tessik {

class AlgorithmTableModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    // With digests, a second column holds them.
    AlgorithmTableModel(bool withDigests, QObject* parent);

    void setHeaders(const QString& algorithm, const QString& digest);
    AlgorithmSet ticked() const;
    void setTicked(const AlgorithmSet& algorithms);
    // Whether the boxes can be ticked and unticked now.
    void setTickable(bool tickable);

    // The digests of the algorithms that gave one; the others' cells are empty.
    void setDigests(const std::vector<AlgorithmDigest>& digests);
    std::vector<AlgorithmDigest> digests() const;
    void setMarked(const AlgorithmSet& algorithms);
    void setLowerCase(bool lowerCase);
    // The rows that have a digest, name and digest apart by a tab, one row per line: what Copy
    // takes of them.
    QString rowsText(std::vector<int> rows) const;
    // The row of an algorithm.
    static int rowOf(const AlgorithmInfo& algorithm);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  signals:
    void tickedChanged();

  private:
    QString digestText(int row) const;
    void changedAll();

    const bool withDigests_;
    std::vector<bool> ticked_;
    std::vector<Digest> digests_;  // by row; empty where there is none
    std::vector<bool> marked_;
    bool tickable_ = true;
    bool lowerCase_ = true;
    QString algorithmHeader_;
    QString digestHeader_;
};

}  // namespace tessik
