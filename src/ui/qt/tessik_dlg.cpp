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
#include <QScreen>
#include <QTextDocument>
#include <array>
#include <chrono>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_request.h"
#include "digest/hex.h"
#include "platform/file_system.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "ui/qt/about_dlg.h"
#include "ui/qt/algorithm_list.h"
#include "ui/qt/checksum_list_dlg.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/dialog_menu.h"
#include "ui/qt/dropped_paths.h"
#include "ui/qt/hash_folder_dlg.h"
#include "ui/qt/language_dlg.h"
#include "ui/qt/options_dlg.h"
#include "ui/qt/progress_display.h"
#include "ui/qt/qt_text.h"
#include "ui/rules/about_box.h"
#include "ui/rules/checksum_list_rules.h"
#include "ui/rules/folder_window_rules.h"
#include "ui/rules/main_commands.h"
#include "ui/rules/main_window.h"
#include "ui/rules/main_window_layout.h"
#include "ui/rules/text_pattern.h"

namespace tessik {
namespace {

using namespace main_window;

// How often a file's hash is asked whether it has ended.
constexpr std::chrono::milliseconds kFilePollInterval{15};

}  // namespace

CTessikDlg::CTessikDlg(DesktopServices& desktop, StorageEnvironment environment,
                       std::vector<std::u16string> arguments)
    : Dialog(MainWindowTemplate(), desktop),
      fontHost_(*this),
      environment_(std::move(environment)),
      arguments_(std::move(arguments)) {
    setAcceptDrops(true);
    fileTimer_.setInterval(kFilePollInterval);
    connect(&fileTimer_, &QTimer::timeout, this, [this] {
        if (fileRun_.HasEnded()) fileHashEnded();
    });
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
    progress_ = new ProgressDisplay(*control<ProgressBar>(kProgressBar), nullptr, this);
    connect(progress_, &ProgressDisplay::shown, this, [this] { showFileHashing(); });
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
    onCommand(kCancelHashButton, [this] { fileRun_.Stop(); });
    onCommand(kBrowseButton, [this] { chooseFile(); });
    onCommand(kCompareButton, [this] { compare(); });
    onCommand(kCopyButton, [this] { copyResult(); });
    onCommand(kCancelResult, [this] { escape(); });
    onCommand(kExitCommand, [this] { done(kOkResult); });
    onCommand(kFolderCommand, [this] { hashFolder(); });
    onCommand(kVerifyListCommand, [this] { chooseListToVerify(); });
    onCommand(kOptionsCommand, [this] { showOptions(); });
    onCommand(kLanguageCommand, [this] { chooseLanguage(); });
    onCommand(kInfoCommand, [this] { showAbout(); });
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

// A hash under way is cancelled first; it ends within milliseconds.
void CTessikDlg::onCloseRequest() {
    if (isHashingFile()) {
        fileRun_.Stop();
        fileRun_.Finish();
        endFileHashing();
    }
    sayHowTheSettingsWereSaved(
        saveSettings(settingsPath(), settings(), *fontSettings_, locations_, settingsLoad_));
    done(kCancelResult);
}

void CTessikDlg::escape() {
    if (isHashingFile()) {
        fileRun_.Stop();
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
    LayOutMainWindow(geometry, size.width(), size.height());
    for (const auto& [id, rect] : geometry) {
        control(id)->setGeometry(rect.x, rect.y, std::max(0, rect.width), std::max(0, rect.height));
    }
}

void CTessikDlg::onUnitsChanged() {
    ControlGeometry places;
    const auto add = [&](int id) {
        const QRect rect = control(id)->geometry();
        places[id] = {rect.x(), rect.y(), rect.width(), rect.height()};
    };
    for (int id : kEdgeFollowingControls) add(id);
    for (int id : kSizingControls) add(id);
    const PixelSize client = MinimumClientSize(places);
    setMinimumSize(std::max(kMinimumWidth, client.width),
                   std::max(kMinimumHeight, client.height + menuHeight(client.width)));
}

void CTessikDlg::setMemberText(int id, const QString& text) {
    if (id < 0 || id >= kMainMemberTextCount) return;
    memberTexts_[static_cast<std::size_t>(id)] = text;
    showLineEndsToolTip();
}

const QString& CTessikDlg::text(MainMemberText which) const {
    return memberTexts_[static_cast<std::size_t>(which)];
}

// A message about a path or address names it on a line of its own.
void CTessikDlg::say(MainMemberText which, MessageIcon icon, const QString& subject) {
    const QString message = subject.isEmpty() ? text(which) : text(which) + "\n\n" + subject;
    desktop().showMessage(this, message, QString(), icon);
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
    settings.position = PositionToStore(placement());
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
    placeWindow(settings.position);
    showLineEndsToolTip();
}

void CTessikDlg::selectLanguage(const std::string& name) {
    tessik::selectLanguage(name, locations_.programDirectory, MainWindowTables(), language_, *this);
}

// Positions are those of the window without the window manager's frame, which is not known
// before the window is shown; reading and writing the same rectangle keeps the size from
// growing by a frame at every start. A position saved on a larger or another screen must still
// give a window the user can see and reach.
void CTessikDlg::placeWindow(const StoredPosition& position) {
    switch (position.action) {
        case StoredPositionAction::kKeep:
            break;
        case StoredPositionAction::kMaximise:
            setWindowState(windowState() | Qt::WindowMaximized);
            break;
        case StoredPositionAction::kMove: {
            WindowRect area;
            if (const QScreen* where = screen()) {
                const QRect available = where->availableGeometry();
                area = {available.x(), available.y(), available.x() + available.width(),
                        available.y() + available.height()};
            }
            const WindowRect rect = FitIntoArea(position.rect, area);
            setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
            break;
        }
    }
}

WindowPlacement CTessikDlg::placement() const {
    const auto toWindowRect = [](const QRect& r) {
        return WindowRect{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
    };
    WindowPlacement placement;
    placement.state = isMinimized()   ? WindowState::kMinimised
                      : isMaximized() ? WindowState::kMaximised
                                      : WindowState::kNormal;
    placement.rect = toWindowRect(geometry());
    const QRect normal = normalGeometry();
    placement.restoredRect = toWindowRect(normal.isValid() ? normal : geometry());
    return placement;
}

void CTessikDlg::showResult(const Digest& digest) {
    shownDigest_ = digest;
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
}

// A name that is no existing file lets the user choose one; a confirmed choice is hashed
// whatever it is, so that a failure is said rather than passed over.
void CTessikDlg::hashFile() {
    if (FileExists(fileNameField_->text().toStdU16String()) || chooseFile()) {
        startFileHash(fileNameField_->text().toStdU16String());
    }
}

void CTessikDlg::startFileHash(const std::u16string& path) {
    resultField_->clear();
    if (!fileRun_.Start(
            HashingFiles({{path}, &AlgorithmForIndex(selectedAlgorithm()), false, 1}))) {
        return;
    }
    fileTimer_.start();
    hashedPath_ = path;
    focusBeforeHash_ = QApplication::focusWidget();
    QWidget* const cancel = control(kCancelHashButton);
    QWidget* const bar = control(kProgressBar);
    for (QWidget* child : clientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != cancel && child != bar) child->setEnabled(false);
    }
    menuBar()->setEnabled(false);
    progress_->start([this](double elapsedSeconds) {
        const RunProgress now = fileRun_.Progress();
        return ProgressDisplay::View{PercentDone(now.currentDone, now.currentTotal),
                                     ToQString(FileProgressText(now.currentDone, now.currentTotal,
                                                                elapsedSeconds, progressTexts())),
                                     {}};
    });
}

// The hash takes longer than a moment: its progress and Cancel take the places of the result
// and of the button that started it.
void CTessikDlg::showFileHashing() {
    resultField_->hide();
    control(kHashFileButton)->hide();
    control(kCancelHashButton)->show();
    control(kCancelHashButton)->setFocus();
}

// A cancelled hash hands nothing over.
void CTessikDlg::fileHashEnded() {
    fileRun_.Finish();
    std::vector<HashedFile> hashed = fileRun_.TakeRows();
    endFileHashing();
    if (hashed.empty()) return;
    const FileDigestResult& result = hashed.front().result;
    if (result.outcome == FileDigestOutcome::kDigest) {
        showResult(result.digest);
    } else {
        sayUnreadable(result.failure, ToQString(hashedPath_));
    }
}

void CTessikDlg::endFileHashing() {
    fileTimer_.stop();
    progress_->stop();
    control(kCancelHashButton)->hide();
    control(kHashFileButton)->show();
    resultField_->show();
    for (QWidget* child : clientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->setEnabled(true);
    }
    menuBar()->setEnabled(true);
    if (focusBeforeHash_) focusBeforeHash_->setFocus();
}

bool CTessikDlg::chooseFile() {
    const std::optional<QString> path =
        desktop().chooseFileToOpen(this, text(MainMemberText::kAllFiles));
    if (path) fileNameField_->setText(*path);
    return path.has_value();
}

// A pasted checksum line is compared by its digest, and the message names its file.
void CTessikDlg::compare() {
    const AlgorithmInfo& algorithm = AlgorithmForIndex(selectedAlgorithm());
    const ExpectedValue expected =
        ExpectedFromField(expectedField_->text().toStdU16String(), settings_.separator);
    QString message;
    MessageIcon icon = MessageIcon::kExclamation;
    switch (CompareDigests(resultField_->text().toStdU16String(), expected.digest,
                           m_CHKCaseSensitive->isChecked(), algorithm.digestBytes)) {
        case CompareOutcome::kNoResult:
            say(MainMemberText::kCompareNoHash, MessageIcon::kExclamation);
            return;
        case CompareOutcome::kIdentical:
            message = text(MainMemberText::kCompareDone);
            icon = MessageIcon::kInformation;
            break;
        case CompareOutcome::kDifferent:
            message = text(MainMemberText::kCompareFailed);
            break;
        case CompareOutcome::kWrongLength:
            message = ToQString(
                FillIn(text(MainMemberText::kCompareWrongLength).toStdU16String(),
                       {NumberText(expected.digest.size()), FromUtf8(std::string(algorithm.name)),
                        NumberText(2 * algorithm.digestBytes)}));
            break;
    }
    if (!expected.fileName.empty()) {
        message +=
            "\n\n" + ToQString(FillIn(text(MainMemberText::kCompareListedFile).toStdU16String(),
                                      {expected.fileName}));
    }
    desktop().showMessage(this, message, QString(), icon);
}

void CTessikDlg::copyResult() {
    resultField_->selectAll();
    desktop().setClipboardText(resultField_->text());
}

// Once, and only when something went wrong: a file that could not be read at start and was kept
// aside, or settings that could not be saved, with the cause.
void CTessikDlg::sayHowTheSettingsWereSaved(const SettingsSave& saved) {
    const QString path = ToQString(settingsPath());
    if (saved.failure != WriteFailure::kNone) {
        desktop().showMessage(this,
                              text(MainMemberText::kSettingsNotSaved) + "\n\n" + path + "\n\n" +
                                  text(WriteFailureMessage(saved.failure)),
                              QString(), MessageIcon::kExclamation);
    } else if (!saved.keptAsidePath.empty()) {
        QString message;
        if (settingsLoad_.outcome == LoadOutcome::kUnreadable) {
            message = failureMessage(settingsLoad_.failure) + "\n\n" + path + "\n\n";
        }
        message +=
            text(MainMemberText::kSettingsKeptAside) + "\n\n" + ToQString(saved.keptAsidePath);
        desktop().showMessage(this, message, QString(), MessageIcon::kExclamation);
    }
}

QString CTessikDlg::failureMessage(ReadFailure failure) const {
    return ToQString(ReadFailureTexts(language_.languageFilePath).Message(failure));
}

void CTessikDlg::sayUnreadable(ReadFailure failure, const QString& path) {
    desktop().showMessage(this, failureMessage(failure) + "\n\n" + path, QString(),
                          MessageIcon::kExclamation);
}

void CTessikDlg::sayUnlessOpened(const QString& target, bool opened) {
    if (!opened) say(MainMemberText::kOpenFailed, MessageIcon::kExclamation, target);
}

void CTessikDlg::hashFolder(const std::u16string& folder) {
    CHashFolderDlg window(desktop(), this);
    window.setLanguageFile(language_.languageFilePath);
    if (!folder.empty()) window.setFolder(FolderFieldText(folder));
    window.RunFolderDialog(*fontSettings_, selectedAlgorithm(), m_CHKSmallLetters->isChecked(),
                           settings_.folder, settings_.separator);
}

void CTessikDlg::chooseListToVerify() {
    const std::optional<QString> path = desktop().chooseFileToOpen(
        this, ToQString(ChecksumListFilter(text(MainMemberText::kChecksumLists).toStdU16String(),
                                           text(MainMemberText::kAllFiles).toStdU16String())));
    if (path) verifyList(path->toStdU16String());
}

void CTessikDlg::verifyList(const std::u16string& path) {
    CChecksumListDlg window(desktop(), this);
    window.setLanguageFile(language_.languageFilePath);
    window.RunVerifyDialog(*fontSettings_, FullPath(path), selectedAlgorithm(),
                           settings_.separator);
}

void CTessikDlg::hashFiles(std::vector<std::u16string> paths) {
    CChecksumListDlg window(desktop(), this);
    window.setLanguageFile(language_.languageFilePath);
    window.RunFilesDialog(*fontSettings_, std::move(paths), selectedAlgorithm(),
                          m_CHKSmallLetters->isChecked());
}

void CTessikDlg::showOptions() {
    COptionsDlg window(desktop(), this);
    window.setLanguageFile(language_.languageFilePath);
    const TypedLineEnds before = settings_.lineEnds;
    if (window.RunOptionsDialog(*fontSettings_, settings_.separator, settings_.lineEnds) !=
        kOkResult)
        return;
    fontSettings_->applyTo(fontHost_, true);
    showLineEndsToolTip();
    // A text's digest depends on how its line ends are hashed.
    if (settings_.lineEnds != before) resultField_->clear();
    repaint();
}

void CTessikDlg::chooseLanguage() {
    std::u16string file = language_.languageFilePath;
    std::u16string name = language_.languageName;
    CLanguageDlg window(desktop(), this);
    window.SetLanguageData(file, name, locations_.programDirectory + kLanguageCatalogueFileName,
                           locations_.programDirectory, file, name);
    if (window.RunLanguageDialog(*fontSettings_) == kCancelResult) return;
    applyLanguage(file, MainWindowTables(), language_, *this);
    language_.languageName = name;
    languageUnset_ = false;
    update();
}

void CTessikDlg::showAbout() {
    CAboutDlg window(desktop(), this);
    window.setLanguageFile(language_.languageFilePath);
    window.RunAboutDialog(*fontSettings_, text(MainMemberText::kBtnOk));
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
            later([this, path = paths.front()] { verifyList(path); });
            break;
        case DropAction::kFolderWindow:
            later([this, folder = paths.front()] { hashFolder(folder); });
            break;
        case DropAction::kHashFiles:
            later([this, paths = std::move(paths)] { hashFiles(paths); });
            break;
    }
}

}  // namespace tessik
