#include "ui/qt/hash_files_dlg.h"

#include <QCheckBox>
#include <QPushButton>

#include "ui/qt/qt_text.h"

namespace tessik {

using namespace list_window;

CHashFilesDlg::CHashFilesDlg(DesktopServices& desktop, QWidget* parent)
    : ChecksumListDialog(HashFilesWindowTemplate(),
                         {ListColumn::kName, ListColumn::kDigest, ListColumn::kStatus}, desktop,
                         parent) {}

int CHashFilesDlg::RunFilesDialog(FontSettings& fontSettings, std::vector<std::u16string> paths,
                                  int algorithmIndex, bool lowerCase) {
    files_ = std::move(paths);
    lowerCase_ = lowerCase;
    return runWindow(fontSettings, algorithmIndex);
}

// The window's own title and start button; the others are the verify window's.
void CHashFilesDlg::onTableReady() {
    setWindowTitle(text(ListMemberText::kFilesCaption));
    auto* startButton = control<QPushButton>(kStartButton);
    startButton->setText(text(ListMemberText::kHashButton));
    startButton->setAccessibleName(WithoutAccessKeys(text(ListMemberText::kHashButton)));
    auto* lowercaseBox = control<QCheckBox>(kLowercaseBox);
    model().setLowerCase(lowerCase_);
    lowercaseBox->setChecked(lowerCase_);
    connect(lowercaseBox, &QCheckBox::toggled, &model(), &ChecksumListModel::setLowerCase);
    start();
}

bool CHashFilesDlg::startRun(const AlgorithmSet& algorithms) {
    filesHashed_ = 0;
    return run_.run().Start(HashingFiles(FilesWithAlgorithms(files_, algorithms)));
}

void CHashFilesDlg::dropped(std::vector<std::u16string> paths) {
    files_ = std::move(paths);
    start();
}

}  // namespace tessik
