#include "ui/qt/verify_list_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/qt_text.h"
#include "ui/rules/checksum_list_rules.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/signature_text.h"
#include "ui/rules/verify_window_rules.h"

namespace tessik {
using namespace list_window;

CVerifyListDlg::CVerifyListDlg(DesktopServices& desktop, QWidget* parent)
    : ChecksumListDialog(VerifyListWindowTemplate(),
                         {ListColumn::kLine, ListColumn::kName, ListColumn::kStatus}, desktop,
                         parent) {}

int CVerifyListDlg::RunVerifyDialog(FontSettings& fontSettings, std::u16string listPath,
                                    int mainAlgorithm, std::u16string separator) {
    subject_.listPath = std::move(listPath);
    mainAlgorithm_ = mainAlgorithm;
    subject_.separator = ToUtf8(separator);
    return runWindow(fontSettings, mainAlgorithm);
}

TableRun& CVerifyListDlg::tableRun() {
    if (adding_) return addRun_;
    return run_;
}

void CVerifyListDlg::onTableReady() {
    listField_ = control<QLineEdit>(kListField);
    folderField_ = control<QLineEdit>(kFolderField);
    newFilesBox_ = control<QCheckBox>(kNewFilesBox);
    signatureLabel_ = control<QLabel>(kSignatureLabel);
    onCommand(kBrowseButton, [this] { chooseList(); });
    onCommand(kFolderButton, [this] { chooseFolder(); });
    onCommand(kAddNewButton, [this] { addNewFiles(); });
    // The "..." buttons say nothing by themselves: they are named after what they choose.
    for (int button : {kBrowseButton, kFolderButton}) {
        control(button)->setAccessibleName(control(button)->toolTip());
    }
    showList(subject_.listPath);
    control(kStartButton)->setFocus();
}

void CVerifyListDlg::showList(std::u16string path) {
    subject_.listPath = std::move(path);
    listField_->setText(ToQString(subject_.listPath));
    listField_->setCursorPosition(0);
    showFolder(DirectoryPart(FullPath(subject_.listPath)));
    subject_.folderSettled = false;
    const ListPreview preview = PreviewList(subject_.listPath, subject_.separator);
    control<QComboBox>(kAlgorithmList)
        ->setCurrentIndex(
            static_cast<int>(&InitialListAlgorithm(subject_.listPath, preview, mainAlgorithm_) -
                             AlgorithmCatalogue().data()));
    clearTable();
    showSignature({});
    control(kAddNewButton)->setEnabled(false);
}

void CVerifyListDlg::chooseList() {
    const MainMessageTexts messages(languageFile());
    const std::optional<QString> chosen = desktop().chooseFileToOpen(
        this,
        ToQString(ChecksumListFilter(messages[MainMemberText::kChecksumLists],
                                     messages[MainMemberText::kAllFiles])),
        {}, {}, {});
    if (chosen) showList(chosen->toStdU16String());
}

void CVerifyListDlg::showFolder(std::u16string folder) {
    subject_.folder = std::move(folder);
    folderField_->setText(ToQString(subject_.folder));
    folderField_->setCursorPosition(0);
}

// Another folder is checked at once: that is what picking it is for.
void CVerifyListDlg::chooseFolder() {
    const std::optional<QString> chosen = desktop().chooseFolder(this, ToQString(subject_.folder));
    if (!chosen) return;
    std::u16string folder = chosen->toStdU16String();
    if (!folder.ends_with(kPathSeparator)) folder += kPathSeparator;
    showFolder(std::move(folder));
    subject_.folderSettled = true;
    start();
}

bool CVerifyListDlg::startRun(const AlgorithmSet& algorithms) {
    lookedForNew_ = newFilesBox_->isChecked();
    showSignature({});
    control(kAddNewButton)->setEnabled(false);
    return run_.run().Start(CheckingList(CheckOf(subject_, *algorithms.front(), lookedForNew_)));
}

void CVerifyListDlg::runFinished(const ListRunEnding& ending) {
    if (!adding_) {
        checkEnded(ending);
        return;
    }
    adding_ = false;
    addingEnded(addRun_.LastEnding());
}

// A list that could not be opened, was cut short or holds no entry is said; so is a folder the
// names seem to belong to rather than the list's own.
void CVerifyListDlg::checkEnded(const ListRunEnding& ending) {
    const CheckNote note = NoteOfCheck(ending, model().table().Counts(), subject_.folderSettled);
    if (note != CheckNote::kOpenFailure) {
        showSignature(ending.signature);
        control(kAddNewButton)
            ->setEnabled(model().table().Counts().newFiles > 0 && !ending.stopped);
    }
    if (const std::optional<std::u16string> message =
            MessageOfNote(note, ending, subject_.listPath, listTexts(), failureTexts())) {
        desktop().showMessage(this, ToQString(*message), QString(), MessageIcon::kExclamation);
    } else if (note == CheckNote::kOfferFolder) {
        offerFolder(ending.namesFolder);
    }
}

// A bad signature fails the list however its entries compare: it stands out in the first line.
void CVerifyListDlg::showSignature(const SignatureCheck& signature) {
    signatureLabel_->setText(ToQString(SignatureText(signature, listTexts())));
    QPalette palette = signatureLabel_->palette();
    palette.setColor(QPalette::WindowText, FailsVerification(signature)
                                               ? QColor(Qt::darkRed)
                                               : this->palette().color(QPalette::WindowText));
    signatureLabel_->setPalette(palette);
}

void CVerifyListDlg::offerFolder(const std::u16string& folder) {
    subject_.folderSettled = true;
    if (!desktop().askYesNo(this,
                            text(ListMemberText::kOfferNamesFolder) + "\n\n" + ToQString(folder))) {
        return;
    }
    showFolder(folder);
    start();
}

QString CVerifyListDlg::moreCounts() const {
    if (!lookedForNew_) return {};
    std::optional<std::size_t> notSearched;
    if (!run_.IsActive()) notSearched = run_.LastEnding().foldersNotOpened;
    return ToQString(NewFilesCounts(model().table().Counts(), notSearched, listTexts()));
}

void CVerifyListDlg::addNewFiles() {
    if (isRunning()) return;
    std::optional<FilesToAdd> add = AddingOf(subject_, model().table(), chosenAlgorithm());
    if (!add) return;
    adding_ = addRun_.run().Start(AddingFiles(std::move(*add)));
    if (adding_) follow();
}

void CVerifyListDlg::addingEnded(const AppendOutcome& outcome) {
    const std::optional<AddingReport> report = ReportOfAdding(
        outcome, subject_.listPath, listTexts(), failureTexts(), MainMessageTexts(languageFile()));
    if (!report) return;
    desktop().showMessage(this, ToQString(report->text), QString(),
                          report->warns ? MessageIcon::kExclamation : MessageIcon::kInformation);
    if (report->checkAgain) start();
}

std::u16string CVerifyListDlg::listText(ListMemberText which) const {
    return text(which).toStdU16String();
}

ListText CVerifyListDlg::listTexts() const {
    return [this](ListMemberText which) { return listText(which); };
}

// A list dropped onto the window is shown for checking.
void CVerifyListDlg::dropped(std::vector<std::u16string> paths) {
    showList(std::move(paths.front()));
}

}  // namespace tessik
