#include <gtest/gtest.h>
#include <QFileDialog>

#include "ui/rules/file_filter.h"

namespace tessik {
namespace {

// Qt's dialog reports the chosen filter as it shows it: with the patterns hidden, without them.
// Whichever it shows, the entry must be found again, or a save would take the wrong format.
TEST(QtFileDialogTest, TheChosenFilterIsFoundAsItsEntry) {
    const QString filter = QString::fromStdU16String(
        ToQtFileFilter(u"GNU checksum list (digest  name)|*|BSD checksum list (TAG (name) = "
                       u"digest)|*|The output as shown|*||"));
    for (const bool hidden : {true, false}) {
        QFileDialog dialog(nullptr, QString(), QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::HideNameFilterDetails, hidden);
        const QStringList entries = dialog.nameFilters();
        ASSERT_EQ(entries.size(), 3);
        for (int i = 0; i < entries.size(); ++i) {
            dialog.selectNameFilter(entries[i]);
            EXPECT_EQ(QtFilterEntryIndex(filter.toStdU16String(),
                                         dialog.selectedNameFilter().toStdU16String()),
                      i)
                << hidden << " " << dialog.selectedNameFilter().toStdString();
        }
    }
}

}  // namespace
}  // namespace tessik
