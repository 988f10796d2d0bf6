#include "ui/win32/verify_list_window_win32.h"

#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "ui/rules/checksum_list_rules.h"
#include "ui/rules/main_commands.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/signature_text.h"
#include "ui/rules/verify_window_rules.h"

namespace tessik {
namespace {

using namespace list_window;

// A bad signature stands out in the first line.
constexpr COLORREF kWarning = RGB(128, 0, 0);

}  // namespace

Win32VerifyListWindow::Win32VerifyListWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                                             std::u16string languageFile, std::u16string listPath,
                                             int mainAlgorithm, const std::u16string& separator)
    : Win32ChecksumListWindow(VerifyListWindowTemplate(),
                              {ListColumn::kLine, ListColumn::kName, ListColumn::kStatus}, desktop,
                              fonts, std::move(languageFile), mainAlgorithm),
      subject_{std::move(listPath), {}, ToUtf8(separator), false},
      mainAlgorithm_(mainAlgorithm) {}

TableRun& Win32VerifyListWindow::tableRun() {
    if (adding_) return addRun_;
    return run_;
}

void Win32VerifyListWindow::onTableReady() {
    onCommand(kBrowseButton, [this] { chooseList(); });
    onCommand(kFolderButton, [this] { chooseFolder(); });
    onCommand(kAddNewButton, [this] { addNewFiles(); });
    onCommand(kNewFilesBox, [] {});
    showList(subject_.listPath);
    SendMessageW(handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(kStartButton)), TRUE);
}

void Win32VerifyListWindow::showList(std::u16string path) {
    subject_.listPath = std::move(path);
    setControlText(kListField, subject_.listPath);
    showFolder(DirectoryPart(FullPath(subject_.listPath)));
    subject_.folderSettled = false;
    const ListPreview preview = PreviewList(subject_.listPath, subject_.separator);
    selectEntry(kAlgorithmList,
                static_cast<int>(&InitialListAlgorithm(subject_.listPath, preview, mainAlgorithm_) -
                                 AlgorithmCatalogue().data()));
    clearTable();
    showSignature({});
    EnableWindow(control(kAddNewButton), FALSE);
}

void Win32VerifyListWindow::chooseList() {
    const MainMessageTexts messages(languageFile());
    const std::optional<std::u16string> chosen = desktop().chooseFileToOpen(
        handle(), ChecksumListFilter(messages[MainMemberText::kChecksumLists],
                                     messages[MainMemberText::kAllFiles]));
    if (chosen) showList(*chosen);
}

void Win32VerifyListWindow::showFolder(std::u16string folder) {
    subject_.folder = std::move(folder);
    setControlText(kFolderField, subject_.folder);
}

// Another folder is checked at once: that is what picking it is for.
void Win32VerifyListWindow::chooseFolder() {
    const std::optional<std::u16string> chosen = desktop().chooseFolder(handle(), subject_.folder);
    if (!chosen) return;
    std::u16string folder = *chosen;
    if (!folder.ends_with(kPathSeparator)) folder += kPathSeparator;
    showFolder(std::move(folder));
    subject_.folderSettled = true;
    start();
}

bool Win32VerifyListWindow::startRun(const AlgorithmSet& algorithms) {
    lookedForNew_ = isChecked(kNewFilesBox);
    showSignature({});
    EnableWindow(control(kAddNewButton), FALSE);
    return run_.run().Start(CheckingList(CheckOf(subject_, *algorithms.front(), lookedForNew_)));
}

void Win32VerifyListWindow::runFinished(const ListRunEnding& ending) {
    if (!adding_) {
        checkEnded(ending);
        return;
    }
    adding_ = false;
    addingEnded(addRun_.LastEnding());
}

void Win32VerifyListWindow::checkEnded(const ListRunEnding& ending) {
    const CheckNote note = NoteOfCheck(ending, table().Counts(), subject_.folderSettled);
    if (note != CheckNote::kOpenFailure) {
        showSignature(ending.signature);
        EnableWindow(control(kAddNewButton), table().Counts().newFiles > 0 && !ending.stopped);
    }
    if (const std::optional<std::u16string> message =
            MessageOfNote(note, ending, subject_.listPath, listTexts(), failureTexts())) {
        desktop().showMessage(handle(), *message, MessageIcon::kExclamation);
    } else if (note == CheckNote::kOfferFolder) {
        offerFolder(ending.namesFolder);
    }
}

// A bad signature fails the list however its entries compare.
void Win32VerifyListWindow::showSignature(const SignatureCheck& signature) {
    badSignature_ = FailsVerification(signature);
    setControlText(kSignatureLabel, SignatureText(signature, listTexts()));
}

std::optional<COLORREF> Win32VerifyListWindow::textColourOf(int id) const {
    if (id == kSignatureLabel && badSignature_) return kWarning;
    return std::nullopt;
}

void Win32VerifyListWindow::offerFolder(const std::u16string& folder) {
    subject_.folderSettled = true;
    if (!desktop().askYesNo(handle(),
                            WithSubject(text(ListMemberText::kOfferNamesFolder), folder))) {
        return;
    }
    showFolder(folder);
    start();
}

std::u16string Win32VerifyListWindow::moreCounts() const {
    if (!lookedForNew_) return {};
    std::optional<std::size_t> notSearched;
    if (!run_.IsActive()) notSearched = run_.LastEnding().foldersNotOpened;
    return NewFilesCounts(table().Counts(), notSearched, listTexts());
}

void Win32VerifyListWindow::addNewFiles() {
    if (isRunning()) return;
    std::optional<FilesToAdd> add = AddingOf(subject_, table(), chosenAlgorithm());
    if (!add) return;
    adding_ = addRun_.run().Start(AddingFiles(std::move(*add)));
    if (adding_) follow();
}

void Win32VerifyListWindow::addingEnded(const AppendOutcome& outcome) {
    const std::optional<AddingReport> report = ReportOfAdding(
        outcome, subject_.listPath, listTexts(), failureTexts(), MainMessageTexts(languageFile()));
    if (!report) return;
    desktop().showMessage(handle(), report->text,
                          report->warns ? MessageIcon::kExclamation : MessageIcon::kInformation);
    if (report->checkAgain) start();
}

// A list dropped onto the window is shown for checking.
void Win32VerifyListWindow::dropped(std::vector<std::u16string> paths) {
    showList(std::move(paths.front()));
}

}  // namespace tessik
