#include "ui/qt/algorithms_dlg.h"

#include <QHeaderView>
#include <QTableView>

#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "ui/qt/algorithm_table_model.h"

namespace tessik {

using namespace algorithms_window;

CAlgorithmsDlg::CAlgorithmsDlg(DesktopServices& desktop, QWidget* parent)
    : Dialog(AlgorithmsWindowTemplate(), desktop, parent), fontHost_(*this) {}

int CAlgorithmsDlg::RunAlgorithmsDialog(FontSettings& fontSettings, AlgorithmSet& ticked) {
    fontSettings_ = &fontSettings;
    ticked_ = &ticked;
    return run();
}

void CAlgorithmsDlg::onInitDialog() {
    auto* table = control<QTableView>(kTable);
    model_ = new AlgorithmTableModel(false, this);
    table->setModel(model_);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    applyTexts(languageFile_, AlgorithmsWindowTables(), *this);
    fontSettings_->applyTo(fontHost_, true);
    model_->setHeaders(texts_[static_cast<std::size_t>(AlgorithmsMemberText::kColumnAlgorithm)],
                       {});
    table->setAccessibleName(texts_[static_cast<std::size_t>(AlgorithmsMemberText::kTableName)]);
    model_->setTicked(*ticked_);
    connect(model_, &AlgorithmTableModel::tickedChanged, this,
            [this] { control(kOkResult)->setEnabled(!model_->ticked().empty()); });
    control(kOkResult)->setEnabled(!model_->ticked().empty());
    onCommand(kOkResult, [this] {
        *ticked_ = model_->ticked();
        done(kOkResult);
    });
}

void CAlgorithmsDlg::setMemberText(int id, const QString& text) {
    if (id >= 0 && id < kAlgorithmsMemberTextCount) texts_[static_cast<std::size_t>(id)] = text;
}

}  // namespace tessik
