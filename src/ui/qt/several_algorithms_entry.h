#pragma once
// The last entry of the folder window's algorithm list, "Several algorithms...":
// chosen, it asks which in the algorithms window, ticked as the user last chose; cancelled
// there, the list goes back to the entry chosen before; chosen again, it asks again. While it is
// chosen, the list's tool tip names the algorithms.

#include <QObject>
#include <QString>
#include <string>

#include "settings/algorithm_set.h"

class QComboBox;

namespace tessik {

class DesktopServices;
class FontSettings;

class SeveralAlgorithmsEntry final : public QObject {
    Q_OBJECT
  public:
    struct Context {
        DesktopServices& desktop;
        FontSettings& fonts;
        std::u16string languageFile;
        AlgorithmSet& ticked;  // what the algorithms window starts from and writes back
    };
    // Adds the entry, with its text, after the algorithms the list already holds.
    SeveralAlgorithmsEntry(QComboBox& list, const QString& text, Context context);

    bool isChosen() const;
    // The algorithms while the entry is chosen.
    const AlgorithmSet& algorithms() const { return context_.ticked; }

  signals:
    // The list's choice is settled: an algorithm, or several.
    void choiceMade();

  private:
    void chosen(int index);

    QComboBox& list_;
    Context context_;
    int before_;  // the entry chosen before
};

}  // namespace tessik
