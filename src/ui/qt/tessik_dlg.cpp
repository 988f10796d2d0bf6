#include "ui/qt/tessik_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_request.h"
#include "digest/hex.h"
#include "platform/file_system.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "settings/read_failure_words.h"
#include "ui/qt/algorithm_list.h"
#include "ui/qt/dialog_menu.h"
#include "ui/qt/dropped_paths.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_placement.h"
#include "ui/rules/about_box.h"
#include "ui/rules/algorithm_match.h"
#include "ui/rules/checksum_list_rules.h"
#include "ui/rules/main_commands.h"
#include "ui/rules/main_window_layout.h"
#include "ui/rules/text_pattern.h"
#include "ui/rules/typed_path.h"

namespace tessik {

using namespace main_window;

CTessikDlg::CTessikDlg(DesktopServices& desktop, StorageEnvironment environment,
                       std::vector<std::u16string> arguments)
    : Dialog(MainWindowTemplate(), desktop),
      fontHost_(*this),
      environment_(std::move(environment)),
      arguments_(std::move(arguments)) {
    setAcceptDrops(true);
}

CTessikDlg::~CTessikDlg() = default;

void CTessikDlg::onInitDialog() {
    bindControls();
    bindCommands();
    // Every window of the program shows the icon, the About window's icon control too.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tessik/tessik.png")));
    algorithmList_->setCurrentIndex(kDefaultAlgorithmIndex);
    fontSettings_ = std::make_unique<FontSettings>(fontHost_);
    locations_ = resolveStorageLocations(environment_);
    removeMissingDocumentItems();
    selectLanguage(std::string());
    LoadedSettings loaded = loadSettings(settingsPath(), *fontSettings_);
    settingsLoad_ = loaded.load;
    applySettings(loaded.settings);
    takeFirstArgument();
}

std::u16string CTessikDlg::settingsPath() const {
    return locations_.storageDirectory + kSettingsFileName;
}

void CTessikDlg::bindControls() {
    algorithmList_ = control<QComboBox>(kAlgorithmList);
    m_CHKSmallLetters = control<QCheckBox>(kLowercaseBox);
    fileNameField_ = control<QLineEdit>(kFileNameField);
    stringField_ = control<QPlainTextEdit>(kStringField);
    resultField_ = control<QLineEdit>(kResultField);
    expectedField_ = control<QLineEdit>(kExpectedField);
    m_CHKCaseSensitive = control<QCheckBox>(kCaseSensitiveBox);

    FillAlgorithmList(*algorithmList_);
    // A result stays only while it is the digest of what the fields hold.
    connect(algorithmList_, &QComboBox::currentIndexChanged, resultField_, &QLineEdit::clear);
    connect(fileNameField_, &QLineEdit::textChanged, resultField_, &QLineEdit::clear);
    connect(stringField_, &QPlainTextEdit::textChanged, resultField_, &QLineEdit::clear);
    // The digest shown follows the letter case.
    connect(m_CHKSmallLetters, &QCheckBox::toggled, this, [this] {
        if (!resultField_->text().isEmpty()) showResult(shownDigest_);
    });
    fileHash_ = new MainFileHash(*this);
    listSearch_ =
        new MainListSearch(this, [this](const ListSearch& search, const FoundEntry& entry) {
            listEntryFound(search, entry);
        });
    // Dropped files go to the window, not into the field under the mouse.
    for (QWidget* field :
         {static_cast<QWidget*>(fileNameField_), stringField_->viewport(),
          static_cast<QWidget*>(resultField_), static_cast<QWidget*>(expectedField_)}) {
        field->setAcceptDrops(false);
    }
}

void CTessikDlg::bindCommands() {
    onCommand(kHashStringButton, [this] { hashText(); });
    onCommand(kHashFileButton, [this] { hashFile(); });
    onCommand(kCancelHashButton, [this] { fileHash_->cancel(); });
    onCommand(kBrowseButton, [this] { chooseFile(false); });
    onCommand(kCompareButton, [this] { compare(); });
    onCommand(kCopyButton, [this] { copyResult(); });
    onCommand(kCancelResult, [this] { escape(); });
    onCommand(kExitCommand, [this] { done(kOkResult); });
    onCommand(kFolderCommand, [this] {
        OpenFolderWindow(openingContext(), {}, digestChoice(), settings_.folder,
                         settings_.separator);
    });
    onCommand(kVerifyListCommand, [this] { chooseListToVerify(); });
    onCommand(kCompareFileCommand, [this] { compareWithFile(); });
    onCommand(kAllAlgorithmsCommand, [this] { showAllAlgorithms(); });
    onCommand(kOptionsCommand, [this] { showOptions(); });
    onCommand(kLanguageCommand, [this] { chooseLanguage(); });
    onCommand(kInfoCommand,
              [this] { OpenAboutWindow(openingContext(), text(MainMemberText::kBtnOk)); });
    const auto onDocumentCommand = [this](int command, const std::u16string& path) {
        onCommand(command, [this, &path] {
            const QString document = ToQString(path);
            sayUnlessOpened(document, desktop().openDocument(document));
        });
    };
    onDocumentCommand(kLicenseCommand, licensePath_);
    onDocumentCommand(kChangesCommand, readMePath_);
    onCommand(kCheckUpdateCommand, [this] {
        const QString address = ToQString(kUpdateAddress);
        sayUnlessOpened(address, desktop().openAddress(address));
    });
    onEnter(kFileNameField, kHashFileButton);
    onEnter(kExpectedField, kCompareButton);
}

void CTessikDlg::removeMissingDocumentItems() {
    licensePath_ = locations_.programDirectory + u"License.txt";
    if (!FileExists(licensePath_)) menu()->removeItem(kLicenseCommand);
    readMePath_ = locations_.programDirectory + u"ReadMe.txt";
    if (!FileExists(readMePath_)) {
        menu()->removeItem(kChangesCommand);
        menu()->removeItem(kCheckUpdateCommand);
    }
}

void CTessikDlg::takeFirstArgument() {
    if (arguments_.empty()) return;
    const std::u16string& argument = arguments_.front();
    if (FieldForArgument(argument) == ArgumentField::kFileName) {
        // Shown whole, so the field names the same file whatever becomes of this process's
        // current folder.
        fileNameField_->setText(ToQString(FullPath(argument)));
    } else {
        stringField_->setPlainText(ToQString(argument));
    }
}

// A hash or a search under way is cancelled first; each ends within milliseconds.
void CTessikDlg::onCloseRequest() {
    fileHash_->cancelAndWait();
    listSearch_->cancelAndWait();
    sayHowTheSettingsWereSaved(
        saveSettings(settingsPath(), settings(), *fontSettings_, locations_, settingsLoad_));
    done(kCancelResult);
}

void CTessikDlg::escape() {
    if (isHashingFile()) {
        fileHash_->cancel();
    } else {
        done(kCancelResult);
    }
}

void CTessikDlg::onClientResized(QSize size) {
    ControlGeometry geometry;
    for (int id : kEdgeFollowingControls) {
        const QRect rect = control(id)->geometry();
        geometry[id] = {rect.x(), rect.y(), rect.width(), rect.height()};
    }
    for (int id : kRightHandControls) {
        const FitControl button = fitControlOf(id);
        geometry[id].width =
            RightHandButtonWidth(button.place.width, button.least.width, size.width(),
                                 minimumWidth(), clientSizes().natural.width);
    }
    LayOutMainWindow(geometry, size.width(), size.height());
    for (const auto& [id, rect] : geometry) {
        control(id)->setGeometry(rect.x, rect.y, std::max(0, rect.width), std::max(0, rect.height));
    }
}

// The edge rules need room of their own beside what the controls can give way to.
void CTessikDlg::onUnitsChanged() {
    const PixelSize least = clientSizes().least;
    const FittedPlaces fitted = fittedPlaces(QSize(least.width, least.height));
    ControlGeometry places;
    for (int id : kEdgeFollowingControls) places[id] = placeOf(fitted, id);
    for (int id : kSizingControls) places[id] = placeOf(fitted, id);
    for (int id : kRightHandControls) places[id].width = fitControlOf(id).least.width;
    const PixelSize client = MinimumClientSize(places);
    const int width = std::max({kMinimumWidth, least.width, client.width});
    const int height = std::max(least.height, client.height) + menuHeight(width);
    setMinimumSize(width, std::max(kMinimumHeight, height));
}

void CTessikDlg::setMemberText(int id, const QString& text) {
    texts_.setText(TextTarget::Member(id), text.toStdU16String());
    showLineEndsToolTip();
}

QString CTessikDlg::text(MainMemberText which) const {
    return ToQString(texts_[which]);
}

void CTessikDlg::say(MainMemberText which, MessageIcon icon, const QString& subject) {
    desktop().showMessage(this, ToQString(WithSubject(texts_[which], subject.toStdU16String())),
                          QString(), icon);
}

void CTessikDlg::showLineEndsToolTip() {
    const QString tip =
        text(settings_.lineEnds == TypedLineEnds::kLf ? MainMemberText::kLineEndsLf
                                                      : MainMemberText::kLineEndsCrLf);
    stringField_->setToolTip(tip);
    stringField_->setAccessibleDescription(tip);
}

int CTessikDlg::selectedAlgorithm() const {
    return algorithmList_->currentIndex();
}

ApplicationSettings CTessikDlg::settings() const {
    ApplicationSettings settings = settings_;
    settings.algorithmIndex = selectedAlgorithm();
    settings.caseSensitive = m_CHKCaseSensitive->isChecked();
    settings.smallLetters = m_CHKSmallLetters->isChecked();
    settings.languageName = languageUnset_ ? std::string() : ToUtf8(language_.languageName);
    settings.position = PositionToStore(PlacementOf(*this));
    return settings;
}

// The boxes were unticked when the window was built; the font reached the window with the load.
void CTessikDlg::applySettings(const ApplicationSettings& settings) {
    settings_ = settings;
    algorithmList_->setCurrentIndex(settings.algorithmIndex);
    if (settings.caseSensitive) m_CHKCaseSensitive->setChecked(true);
    if (settings.smallLetters) m_CHKSmallLetters->setChecked(true);
    // Without a stored name the catalogue's default language, applied before, stays.
    languageUnset_ = settings.languageName.empty();
    if (!languageUnset_) selectLanguage(settings.languageName);
    PlaceWindow(*this, settings.position);
    showLineEndsToolTip();
}

void CTessikDlg::selectLanguage(const std::string& name) {
    tessik::selectLanguage(name, locations_.programDirectory, MainWindowTables(), language_, *this);
}

void CTessikDlg::showResult(const Digest& digest) {
    shownDigest_ = digest;
    setControlText(kStatusLabel, {});  // what it said was of the digest before
    resultField_->setText(QString::fromLatin1(HexDigest(digest, m_CHKSmallLetters->isChecked())));
    // A digest wider than the field is read, and compared by eye, from its first digit.
    resultField_->setCursorPosition(0);
}

void CTessikDlg::hashText() {
    // The plain text would turn no-break spaces into spaces; the raw text keeps what was typed.
    const std::u16string text =
        WithLineBreaks(stringField_->document()->toRawText().toStdU16String(), settings_.lineEnds);
    const AlgorithmInfo& algorithm = AlgorithmForIndex(selectedAlgorithm());
    Digest digest;
    runBusy([&] { digest = DigestOfText(algorithm, text); });
    showResult(digest);
    shownFile_.clear();
}

// A name that is no existing file lets the user choose one; a confirmed choice is hashed
// whatever it is, so that a failure is said rather than passed over.
void CTessikDlg::hashFile() {
    if (FileExists(fileNameField_->text().toStdU16String()) || chooseFile(true)) {
        resultField_->clear();
        listSearch_->cancel();
        fileHash_->start(fileNameField_->text().toStdU16String(),
                         AlgorithmForIndex(selectedAlgorithm()),
                         [this](const std::u16string& path, const FileDigestResult& result) {
                             fileHashEnded(path, result);
                         });
    }
}

void CTessikDlg::fileHashEnded(const std::u16string& path, const FileDigestResult& result) {
    if (result.outcome != FileDigestOutcome::kDigest) {
        sayUnreadable(path, result.failure);
        return;
    }
    showResult(result.digest);
    shownFile_ = path;
    lookForList(path);
}

void CTessikDlg::sayUnreadable(const std::u16string& path, ReadFailure failure) {
    desktop().showMessage(this, ToQString(WithSubject(failureMessage(failure), path)), QString(),
                          MessageIcon::kExclamation);
}

// Only where no expected value was given: one typed or pasted is the user's to compare.
void CTessikDlg::lookForList(const std::u16string& file) {
    if (!settings_.lookForLists || !IsBlankField(expectedField_->text().toStdU16String())) return;
    listSearch_->start(
        {file, &AlgorithmForIndex(selectedAlgorithm()), ToUtf8(settings_.separator)});
}

// A list for another algorithm is offered: choosing it hashes the file again, and the search
// that follows finds the list for it.
void CTessikDlg::listEntryFound(const ListSearch& search, const FoundEntry& entry) {
    const MainWindowMoment now{isHashingFile(), !resultField_->text().isEmpty(), shownFile_,
                               &AlgorithmForIndex(selectedAlgorithm()),
                               IsBlankField(expectedField_->text().toStdU16String())};
    switch (UseOfFoundEntry(search, entry, now)) {
        case FoundEntryUse::kNone:
            break;
        case FoundEntryUse::kCompare: {
            expectedField_->setText(
                QString::fromLatin1(HexDigest(entry.expected, m_CHKSmallLetters->isChecked())));
            expectedField_->setCursorPosition(0);
            const ListWindowTexts listTexts(language_.languageFilePath);
            compare(FoundEntryText(entry, texts_, listTexts), FailsVerification(entry.signature));
            break;
        }
        case FoundEntryUse::kOfferAlgorithm: {
            const AlgorithmInfo& listed = *AlgorithmOfFoundEntry(entry);
            if (!desktop().askYesNo(this,
                                    ToQString(OfferListAlgorithmQuestion(listed, entry, texts_)))) {
                return;
            }
            algorithmList_->setCurrentIndex(
                static_cast<int>(&listed - AlgorithmCatalogue().data()));
            hashFile();
            break;
        }
    }
}

// The file is hashed with the algorithm of the digest shown, which is kept meanwhile.
void CTessikDlg::compareWithFile() {
    if (resultField_->text().isEmpty()) {
        say(MainMemberText::kCompareNoHash, MessageIcon::kExclamation);
        return;
    }
    const std::optional<QString> path =
        desktop().chooseFileToOpen(this, text(MainMemberText::kAllFiles), {}, {}, {});
    if (!path) return;
    fileHash_->start(path->toStdU16String(), AlgorithmForIndex(selectedAlgorithm()),
                     [this](const std::u16string& other, const FileDigestResult& result) {
                         otherFileHashed(other, result);
                     });
}

void CTessikDlg::otherFileHashed(const std::u16string& path, const FileDigestResult& result) {
    if (result.outcome != FileDigestOutcome::kDigest) {
        sayUnreadable(path, result.failure);
        return;
    }
    const CompareMessage message =
        MessageOfFileCompare(shownDigest_, result.digest, shownFile_, path, texts_);
    desktop().showMessage(
        this, ToQString(message.text), QString(),
        message.identical ? MessageIcon::kInformation : MessageIcon::kExclamation);
}

// The dialog starts where the typed name points, so that a mistyped name is mended rather than
// typed again; when the name was to be hashed, its title says why it was not.
bool CTessikDlg::chooseFile(bool typedNameFailed) {
    const std::u16string typed = fileNameField_->text().toStdU16String();
    const FileDialogStart start = StartForTypedPath(typed);
    QString title;
    if (typedNameFailed && !typed.empty()) {
        const MainMemberText why = ProblemOfTypedPath(typed) == TypedPathProblem::kFolder
                                       ? MainMemberText::kTypedFolder
                                       : MainMemberText::kTypedNotFound;
        title = ToQString(FillIn(texts_[why], {typed}));
    }
    const std::optional<QString> path =
        desktop().chooseFileToOpen(this, text(MainMemberText::kAllFiles), title,
                                   ToQString(start.folder), ToQString(start.name));
    if (path) fileNameField_->setText(*path);
    return path.has_value();
}

// A pasted checksum line is compared by its digest, and the message names its file.
void CTessikDlg::compare(const std::u16string& addition, bool warn) {
    CompareMessage message =
        MessageOfCompare(resultField_->text().toStdU16String(),
                         expectedField_->text().toStdU16String(), m_CHKCaseSensitive->isChecked(),
                         AlgorithmForIndex(selectedAlgorithm()), settings_.separator, texts_);
    message.text = WithSubject(message.text, addition);
    desktop().showMessage(
        this, ToQString(message.text), QString(),
        message.identical && !warn ? MessageIcon::kInformation : MessageIcon::kExclamation);
}

void CTessikDlg::copyResult() {
    if (resultField_->text().isEmpty()) return;
    resultField_->selectAll();
    desktop().setClipboardText(resultField_->text());
    setControlText(kStatusLabel, text(MainMemberText::kCopied));
}

// Once, and only when something went wrong: a file that could not be read at start and was kept
// aside, or settings that could not be saved, with the cause.
void CTessikDlg::sayHowTheSettingsWereSaved(const SettingsSave& saved) {
    const std::optional<std::u16string> message = SettingsSaveMessage(
        saved, settingsPath(), settingsLoad_, texts_, ReadFailureTexts(language_.languageFilePath));
    if (message)
        desktop().showMessage(this, ToQString(*message), QString(), MessageIcon::kExclamation);
}

std::u16string CTessikDlg::failureMessage(ReadFailure failure) const {
    return ReadFailureTexts(language_.languageFilePath).Message(failure);
}

void CTessikDlg::sayUnlessOpened(const QString& target, bool opened) {
    if (!opened) say(MainMemberText::kOpenFailed, MessageIcon::kExclamation, target);
}

OpeningContext CTessikDlg::openingContext() {
    return {this, desktop(), *fontSettings_, language_.languageFilePath,
            settings_.tickedAlgorithms};
}

DigestChoice CTessikDlg::digestChoice() const {
    return {selectedAlgorithm(), m_CHKSmallLetters->isChecked()};
}

void CTessikDlg::chooseListToVerify() {
    const std::optional<QString> path = desktop().chooseFileToOpen(
        this,
        ToQString(ChecksumListFilter(text(MainMemberText::kChecksumLists).toStdU16String(),
                                     text(MainMemberText::kAllFiles).toStdU16String())),
        {}, {}, {});
    if (path) {
        OpenVerifyWindow(openingContext(), path->toStdU16String(), selectedAlgorithm(),
                         settings_.separator);
    }
}

// The file named in the field, else one chosen now; the expected field's digest, else the
// clipboard's.
void CTessikDlg::showAllAlgorithms() {
    if (!FileExists(fileNameField_->text().toStdU16String()) && !chooseFile(true)) return;
    const std::u16string file = fileNameField_->text().toStdU16String();
    const std::u16string expected =
        StartingExpectedValue(expectedField_->text().toStdU16String(),
                              desktop().clipboardText().toStdU16String(), settings_.separator);
    OpenAllAlgorithmsWindow(openingContext(), file, expected, m_CHKSmallLetters->isChecked(),
                            settings_.separator);
}

void CTessikDlg::showOptions() {
    const TypedLineEnds before = settings_.lineEnds;
    if (!OpenOptionsWindow(openingContext(), settings_.separator, settings_.lineEnds,
                           settings_.lookForLists)) {
        return;
    }
    fontSettings_->applyTo(fontHost_, true);
    showLineEndsToolTip();
    // A text's digest depends on how its line ends are hashed.
    if (settings_.lineEnds != before) resultField_->clear();
    repaint();
}

void CTessikDlg::chooseLanguage() {
    std::u16string file = language_.languageFilePath;
    std::u16string name = language_.languageName;
    if (!OpenLanguageWindow(openingContext(), locations_.programDirectory, file, name)) return;
    applyLanguage(file, MainWindowTables(), language_, *this);
    language_.languageName = name;
    languageUnset_ = false;
    update();
}

void CTessikDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (isHashingFile()) return;
    if (!DroppedLocalPaths(*event->mimeData()).empty()) event->acceptProposedAction();
}

// One file goes into the file name field unless it is a checksum list, which is verified; one
// folder opens the folder window; several files are hashed in the list window. A window opens
// once the drop has ended, so that the program the files came from is not kept waiting.
void CTessikDlg::dropEvent(QDropEvent* event) {
    std::vector<std::u16string> paths = DroppedLocalPaths(*event->mimeData());
    if (paths.empty()) return;
    event->acceptProposedAction();
    const auto later = [this](auto open) {
        QMetaObject::invokeMethod(this, open, Qt::QueuedConnection);
    };
    switch (ActionForDrop(paths, ToUtf8(settings_.separator))) {
        case DropAction::kNone:
            break;
        case DropAction::kFileName:
            fileNameField_->setText(ToQString(paths.front()));
            break;
        case DropAction::kVerifyList:
            later([this, path = paths.front()] {
                OpenVerifyWindow(openingContext(), path, selectedAlgorithm(), settings_.separator);
            });
            break;
        case DropAction::kFolderWindow:
            later([this, folder = paths.front()] {
                OpenFolderWindow(openingContext(), folder, digestChoice(), settings_.folder,
                                 settings_.separator);
            });
            break;
        case DropAction::kHashFiles:
            later([this, paths = std::move(paths)] {
                OpenFilesWindow(openingContext(), paths, digestChoice());
            });
            break;
    }
}

}  // namespace tessik
