#include "ui/qt/several_algorithms_entry.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "ui/qt/algorithms_dlg.h"
#include "ui/qt/qt_text.h"
#include "ui/rules/algorithm_match.h"

namespace tessik {

SeveralAlgorithmsEntry::SeveralAlgorithmsEntry(QComboBox& list, const QString& text,
                                               Context context)
    : QObject(&list), list_(list), context_(std::move(context)), before_(list.currentIndex()) {
    list_.addItem(text);
    connect(&list_, &QComboBox::currentIndexChanged, this, [this](int index) { chosen(index); });
    // Chosen again, it asks again, so that the algorithms can be changed.
    connect(&list_, &QComboBox::activated, this, [this](int index) {
        if (index == before_ && isChosen()) chosen(index);
    });
}

bool SeveralAlgorithmsEntry::isChosen() const {
    return list_.currentIndex() == AlgorithmCount();
}

void SeveralAlgorithmsEntry::chosen(int index) {
    if (index == AlgorithmCount()) {
        CAlgorithmsDlg window(context_.desktop, list_.window());
        window.setLanguageFile(context_.languageFile);
        if (window.RunAlgorithmsDialog(context_.fonts, context_.ticked) != kOkResult) {
            const QSignalBlocker quiet(list_);
            list_.setCurrentIndex(before_);
            return;
        }
        list_.setToolTip(ToQString(AlgorithmNamesText(context_.ticked)));
    } else {
        list_.setToolTip({});
    }
    before_ = index;
    emit choiceMade();
}

}  // namespace tessik
