#include "ui/qt/verify_list_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "lists/algorithm_choice.h"
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
    listPath_ = std::move(listPath);
    mainAlgorithm_ = mainAlgorithm;
    separator_ = ToUtf8(separator);
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
    showList(listPath_);
    control(kStartButton)->setFocus();
}

void CVerifyListDlg::showList(std::u16string path) {
    listPath_ = std::move(path);
    listField_->setText(ToQString(listPath_));
    listField_->setCursorPosition(0);
    showFolder(DirectoryPart(FullPath(listPath_)));
    folderSettled_ = false;
    const ListPreview preview = PreviewList(listPath_, separator_);
    control<QComboBox>(kAlgorithmList)
        ->setCurrentIndex(
            static_cast<int>(&InitialListAlgorithm(listPath_, preview, mainAlgorithm_) -
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
    folder_ = std::move(folder);
    folderField_->setText(ToQString(folder_));
    folderField_->setCursorPosition(0);
}

// Another folder is checked at once: that is what picking it is for.
void CVerifyListDlg::chooseFolder() {
    const std::optional<QString> chosen = desktop().chooseFolder(this, ToQString(folder_));
    if (!chosen) return;
    std::u16string folder = chosen->toStdU16String();
    if (!folder.ends_with(kPathSeparator)) folder += kPathSeparator;
    showFolder(std::move(folder));
    folderSettled_ = true;
    start();
}

// Lines that name no algorithm of their own are checked with the one chosen.
bool CVerifyListDlg::startRun(const AlgorithmSet& algorithms) {
    ListToCheck check;
    check.path = listPath_;
    check.separator = separator_;
    check.listFolder = folder_;
    check.ofList = algorithms.front();
    check.sfvList = IsSfvListName(listPath_);
    check.findNew = lookedForNew_ = newFilesBox_->isChecked();
    check.lookForNamesFolder = !folderSettled_;
    showSignature({});
    control(kAddNewButton)->setEnabled(false);
    return run_.run().Start(CheckingList(std::move(check)));
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
    const CheckNote note = NoteOfCheck(ending, model().table().Counts(), folderSettled_);
    if (note == CheckNote::kOpenFailure) {
        say(ToQString(failureTexts().Message(ending.openFailure)), listPath_);
        return;
    }
    showSignature(ending.signature);
    control(kAddNewButton)->setEnabled(model().table().Counts().newFiles > 0 && !ending.stopped);
    switch (note) {
        case CheckNote::kReadFailure:
            say(ToQString(failureTexts().Message(ReadFailure::kIoError)), listPath_);
            break;
        case CheckNote::kNoEntries:
            say(text(ListMemberText::kNoEntries), listPath_);
            break;
        case CheckNote::kOfferFolder:
            offerFolder(ending.namesFolder);
            break;
        case CheckNote::kOpenFailure:
        case CheckNote::kNone:
            break;
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
    folderSettled_ = true;
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

// The list's own algorithm wins; the one chosen stands in for a list that does not tell it.
void CVerifyListDlg::addNewFiles() {
    std::vector<std::u16string> files = NewFilesOf(model().table(), folder_);
    if (files.empty() || isRunning()) return;
    FilesToAdd add;
    add.listPath = listPath_;
    add.folder = folder_;
    add.files = std::move(files);
    add.separator = separator_;
    add.algorithm = &chosenAlgorithm();
    adding_ = addRun_.run().Start(AddingFiles(std::move(add)));
    if (adding_) follow();
}

void CVerifyListDlg::addingEnded(const AppendOutcome& outcome) {
    const std::optional<AddingReport> report = ReportOfAdding(
        outcome, listPath_, listTexts(), failureTexts(), MainMessageTexts(languageFile()));
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
