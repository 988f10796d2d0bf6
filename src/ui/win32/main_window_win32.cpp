#include "ui/win32/main_window_win32.h"

#include <algorithm>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_request.h"
#include "digest/hex.h"
#include "lists/list_signature.h"
#include "platform/file_system.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "settings/read_failure_words.h"
#include "ui/rules/about_box.h"
#include "ui/rules/algorithm_match.h"
#include "ui/rules/checksum_list_rules.h"
#include "ui/rules/folder_window_rules.h"
#include "ui/rules/list_window.h"
#include "ui/rules/main_commands.h"
#include "ui/rules/main_window_layout.h"
#include "ui/win32/about_window_win32.h"
#include "ui/win32/algorithm_list_win32.h"
#include "ui/win32/all_algorithms_window_win32.h"
#include "ui/win32/dropped_files_win32.h"
#include "ui/win32/folder_window_win32.h"
#include "ui/win32/hash_files_window_win32.h"
#include "ui/win32/language_window_win32.h"
#include "ui/win32/options_window_win32.h"
#include "ui/win32/verify_list_window_win32.h"
#include "ui/win32/win32_text.h"
#include "ui/win32/window_placement_win32.h"

namespace tessik {
namespace {

using namespace main_window;

// An edit control keeps its lines apart with CR LF; the rules take them as paragraph
// separators, which is what the Qt field gives.
std::u16string RawFieldText(std::u16string text) {
    std::u16string raw;
    raw.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            raw += u'\u2029';
            ++i;
        } else {
            raw += text[i];
        }
    }
    return raw;
}

std::u16string DigestText(const Digest& digest, bool lowercase) {
    return FromUtf8(HexDigest(digest, lowercase));
}

PixelRect PixelRectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

Win32MainWindow::Win32MainWindow(Win32DesktopServices& desktop, StorageEnvironment environment,
                                 std::vector<std::u16string> arguments)
    : Win32Dialog(MainWindowTemplate(), desktop),
      fontHost_(*this),
      environment_(std::move(environment)),
      arguments_(std::move(arguments)) {}

Win32MainWindow::~Win32MainWindow() = default;

void Win32MainWindow::onInitDialog() {
    bindControls();
    bindCommands();
    DragAcceptFiles(handle(), TRUE);
    selectEntry(kAlgorithmList, kDefaultAlgorithmIndex);
    fontSettings_ = std::make_unique<FontSettings>(fontHost_);
    locations_ = resolveStorageLocations(environment_);
    removeMissingDocumentItems();
    selectLanguage(std::string());
    LoadedSettings loaded = loadSettings(settingsPath(), *fontSettings_);
    settingsLoad_ = loaded.load;
    applySettings(loaded.settings);
    takeFirstArgument();
}

std::u16string Win32MainWindow::settingsPath() const {
    return locations_.storageDirectory + kSettingsFileName;
}

void Win32MainWindow::bindControls() {
    FillAlgorithmList(control(kAlgorithmList));
    // A result stays only while it is the digest of what the fields hold.
    onNotification(kAlgorithmList, CBN_SELCHANGE, [this] { clearResult(); });
    onNotification(kFileNameField, EN_CHANGE, [this] { clearResult(); });
    onNotification(kStringField, EN_CHANGE, [this] { clearResult(); });
    fileHash_ = std::make_unique<Win32MainFileHash>(*this);
    listSearch_ = std::make_unique<Win32MainListSearch>(
        *this, [this](const ListSearch& search, const FoundEntry& entry) {
            listEntryFound(search, entry);
        });
}

void Win32MainWindow::bindCommands() {
    onCommand(kHashStringButton, [this] { hashText(); });
    onCommand(kHashFileButton, [this] { hashFile(); });
    onCommand(kCancelHashButton, [this] { fileHash_->cancel(); });
    onCommand(kBrowseButton, [this] { chooseFile(); });
    onCommand(kCompareButton, [this] { compare(); });
    onCommand(kCopyButton, [this] { copyResult(); });
    // The digest shown follows the letter case.
    onCommand(kLowercaseBox, [this] {
        if (!controlText(kResultField).empty()) showResult(shownDigest_);
    });
    onCommand(kCaseSensitiveBox, [] {});
    onCommand(kCancelResult, [this] { escape(); });
    onCommand(kExitCommand, [this] { onCloseRequest(); });
    onCommand(kCompareFileCommand, [this] { compareWithFile(); });
    onCommand(kVerifyListCommand, [this] { chooseListToVerify(); });
    onCommand(kFolderCommand, [this] { openFolderWindow({}); });
    onCommand(kAllAlgorithmsCommand, [this] { showAllAlgorithms(); });
    onCommand(kLanguageCommand, [this] { chooseLanguage(); });
    onCommand(kOptionsCommand, [this] { showOptions(); });
    onCommand(kInfoCommand, [this] {
        Win32AboutWindow(desktop(), *fontSettings_, language_.languageFilePath,
                         locations_.programDirectory, texts_[MainMemberText::kBtnOk])
            .run(handle());
    });
    const auto onDocumentCommand = [this](int command, const std::u16string& path) {
        onCommand(command, [this, &path] { sayUnlessOpened(path, desktop().openDocument(path)); });
    };
    onDocumentCommand(kLicenseCommand, licensePath_);
    onDocumentCommand(kChangesCommand, readMePath_);
    onCommand(kCheckUpdateCommand, [this] {
        const std::u16string address(kUpdateAddress);
        sayUnlessOpened(address, desktop().openDocument(address));
    });
    onEnter(kFileNameField, kHashFileButton);
    onEnter(kExpectedField, kCompareButton);
}

void Win32MainWindow::removeMissingDocumentItems() {
    licensePath_ = locations_.programDirectory + u"License.txt";
    if (!FileExists(licensePath_)) DeleteMenu(menu(), kLicenseCommand, MF_BYCOMMAND);
    readMePath_ = locations_.programDirectory + u"ReadMe.txt";
    if (!FileExists(readMePath_)) {
        DeleteMenu(menu(), kChangesCommand, MF_BYCOMMAND);
        DeleteMenu(menu(), kCheckUpdateCommand, MF_BYCOMMAND);
    }
}

void Win32MainWindow::takeFirstArgument() {
    if (arguments_.empty()) return;
    const std::u16string& argument = arguments_.front();
    if (FieldForArgument(argument) == ArgumentField::kFileName) {
        // Whole, so the field names the same file whatever the current folder becomes.
        setControlText(kFileNameField, FullPath(argument));
    } else {
        setControlText(kStringField, argument);
    }
}

// A hash or a search under way is cancelled first; each ends within milliseconds.
void Win32MainWindow::onCloseRequest() {
    fileHash_->cancelAndWait();
    listSearch_->cancelAndWait();
    sayHowTheSettingsWereSaved(
        saveSettings(settingsPath(), settings(), *fontSettings_, locations_, settingsLoad_));
    done(kCancelResult);
}

void Win32MainWindow::escape() {
    if (isHashingFile()) {
        fileHash_->cancel();
    } else {
        onCloseRequest();
    }
}

void Win32MainWindow::onClientResized(SIZE size) {
    ControlGeometry geometry;
    for (int id : kEdgeFollowingControls) geometry[id] = PixelRectOf(placeOf(id));
    LayOutMainWindow(geometry, size.cx, size.cy);
    HDWP moves = BeginDeferWindowPos(static_cast<int>(geometry.size()));
    for (const auto& [id, rect] : geometry) {
        moves = DeferWindowPos(moves, control(id), nullptr, rect.x, rect.y, std::max(0, rect.width),
                               std::max(0, rect.height), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(moves);
    InvalidateRect(handle(), nullptr, TRUE);
}

// The edge rules need room of their own beside the controls at their template places.
void Win32MainWindow::onUnitsChanged() {
    ControlGeometry places;
    for (int id : kEdgeFollowingControls) places[id] = templatePlaces().at(id);
    for (int id : kSizingControls) places[id] = templatePlaces().at(id);
    const PixelSize client = MinimumClientSize(places);
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_EXSTYLE)));
    minimumSize_ = {std::max<LONG>(kMinimumWidth, outer.right - outer.left),
                    std::max<LONG>(kMinimumHeight, outer.bottom - outer.top)};
}

void Win32MainWindow::setMemberText(int id, const std::u16string& text) {
    texts_.setText(TextTarget::Member(id), text);
    showLineEndsToolTip();
}

void Win32MainWindow::showLineEndsToolTip() {
    setToolTip(kStringField,
               texts_[settings_.lineEnds == TypedLineEnds::kLf ? MainMemberText::kLineEndsLf
                                                               : MainMemberText::kLineEndsCrLf]);
}

bool Win32MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& answer) {
    if (message != WM_DROPFILES) return false;
    dropFiles(reinterpret_cast<HDROP>(wParam));
    answer = 0;
    return true;
}

// One file goes into the file name field unless it is a checksum list, which is verified; a
// folder opens the folder window, and several files are hashed in the list window.
void Win32MainWindow::dropFiles(HDROP drop) {
    std::vector<std::u16string> paths = TakeDroppedPaths(drop);
    if (isHashingFile() || paths.empty()) return;
    switch (ActionForDrop(paths, ToUtf8(settings_.separator))) {
        case DropAction::kFileName:
            setControlText(kFileNameField, paths.front());
            break;
        case DropAction::kVerifyList:
            verifyList(paths.front());
            break;
        case DropAction::kHashFiles: {
            Win32HashFilesWindow window(desktop(), *fontSettings_, language_.languageFilePath,
                                        std::move(paths), selectedAlgorithm(), lowercase());
            window.offerSeveral(settings_.tickedAlgorithms);
            window.run(handle());
            break;
        }
        case DropAction::kFolderWindow:
            openFolderWindow(paths.front());
            break;
        case DropAction::kNone:
            break;
    }
}

void Win32MainWindow::chooseListToVerify() {
    const std::optional<std::u16string> path = desktop().chooseFileToOpen(
        handle(), ChecksumListFilter(texts_[MainMemberText::kChecksumLists],
                                     texts_[MainMemberText::kAllFiles]));
    if (path) verifyList(*path);
}

void Win32MainWindow::verifyList(const std::u16string& path) {
    Win32VerifyListWindow(desktop(), *fontSettings_, language_.languageFilePath, FullPath(path),
                          selectedAlgorithm(), settings_.separator)
        .run(handle());
}

// On the folder given, else on the last one kept.
void Win32MainWindow::openFolderWindow(const std::u16string& folder) {
    Win32FolderWindow window(desktop(), *fontSettings_, language_.languageFilePath,
                             {selectedAlgorithm(), lowercase(), &settings_.tickedAlgorithms},
                             settings_.folder, settings_.separator);
    if (!folder.empty()) window.setFolder(FolderFieldText(folder));
    window.run(handle());
}

int Win32MainWindow::selectedAlgorithm() const {
    return std::max(0, selectedEntry(kAlgorithmList));
}

bool Win32MainWindow::lowercase() const {
    return isChecked(kLowercaseBox);
}

ApplicationSettings Win32MainWindow::settings() const {
    ApplicationSettings settings = settings_;
    settings.algorithmIndex = selectedAlgorithm();
    settings.caseSensitive = isChecked(kCaseSensitiveBox);
    settings.smallLetters = lowercase();
    settings.languageName = languageUnset_ ? std::string() : ToUtf8(language_.languageName);
    settings.position = PositionToStore(PlacementOf(handle()));
    return settings;
}

void Win32MainWindow::applySettings(const ApplicationSettings& settings) {
    settings_ = settings;
    selectEntry(kAlgorithmList, settings.algorithmIndex);
    setChecked(kCaseSensitiveBox, settings.caseSensitive);
    setChecked(kLowercaseBox, settings.smallLetters);
    languageUnset_ = settings.languageName.empty();
    if (!languageUnset_) selectLanguage(settings.languageName);
    PlaceWindow(handle(), settings.position);
    showLineEndsToolTip();
}

void Win32MainWindow::selectLanguage(const std::string& name) {
    tessik::selectLanguage(name, locations_.programDirectory, MainWindowTables(), language_, *this);
}

void Win32MainWindow::showResult(const Digest& digest) {
    shownDigest_ = digest;
    setControlText(kResultField, DigestText(digest, lowercase()));
}

void Win32MainWindow::clearResult() {
    setControlText(kResultField, u"");
}

void Win32MainWindow::hashText() {
    const std::u16string text =
        WithLineBreaks(RawFieldText(controlText(kStringField)), settings_.lineEnds);
    const AlgorithmInfo& algorithm = AlgorithmForIndex(selectedAlgorithm());
    Digest digest;
    runBusy([&] { digest = DigestOfText(algorithm, text); });
    showResult(digest);
    shownFile_.clear();
}

// A name that is no existing file lets the user choose one; a confirmed choice is hashed
// whatever it is, so that a failure is said rather than passed over.
void Win32MainWindow::hashFile() {
    if (FileExists(controlText(kFileNameField)) || chooseFile()) {
        clearResult();
        listSearch_->cancel();
        fileHash_->start(controlText(kFileNameField), AlgorithmForIndex(selectedAlgorithm()),
                         [this](const std::u16string& path, const FileDigestResult& result) {
                             fileHashEnded(path, result);
                         });
    }
}

void Win32MainWindow::fileHashEnded(const std::u16string& path, const FileDigestResult& result) {
    if (result.outcome != FileDigestOutcome::kDigest) {
        sayUnreadable(path, result.failure);
        return;
    }
    showResult(result.digest);
    shownFile_ = path;
    lookForList(path);
}

void Win32MainWindow::sayUnreadable(const std::u16string& path, ReadFailure failure) {
    desktop().showMessage(handle(), WithSubject(failureMessage(failure), path),
                          MessageIcon::kExclamation);
}

// Only where no expected value was given: one typed or pasted is the user's to compare.
void Win32MainWindow::lookForList(const std::u16string& file) {
    if (!settings_.lookForLists || !IsBlankField(controlText(kExpectedField))) return;
    listSearch_->start(
        {file, &AlgorithmForIndex(selectedAlgorithm()), ToUtf8(settings_.separator)});
}

void Win32MainWindow::listEntryFound(const ListSearch& search, const FoundEntry& entry) {
    const MainWindowMoment now{isHashingFile(), !controlText(kResultField).empty(), shownFile_,
                               &AlgorithmForIndex(selectedAlgorithm()),
                               IsBlankField(controlText(kExpectedField))};
    switch (UseOfFoundEntry(search, entry, now)) {
        case FoundEntryUse::kNone:
            break;
        case FoundEntryUse::kCompare: {
            setControlText(kExpectedField, DigestText(entry.expected, lowercase()));
            const ListWindowTexts listTexts(language_.languageFilePath);
            compare(FoundEntryText(entry, texts_, listTexts), FailsVerification(entry.signature));
            break;
        }
        case FoundEntryUse::kOfferAlgorithm: {
            const AlgorithmInfo& listed = *AlgorithmOfFoundEntry(entry);
            if (!desktop().askYesNo(handle(), OfferListAlgorithmQuestion(listed, entry, texts_))) {
                return;
            }
            selectEntry(kAlgorithmList, static_cast<int>(&listed - AlgorithmCatalogue().data()));
            hashFile();
            break;
        }
    }
}

// A name that is no existing file lets the user choose one. The expected value starts from the
// expected field or the clipboard.
void Win32MainWindow::showAllAlgorithms() {
    if (!FileExists(controlText(kFileNameField)) && !chooseFile()) return;
    const std::u16string expected = StartingExpectedValue(
        controlText(kExpectedField), desktop().clipboardText(handle()), settings_.separator);
    Win32AllAlgorithmsWindow window(
        desktop(), *fontSettings_, language_.languageFilePath,
        {FullPath(controlText(kFileNameField)), expected, lowercase(), settings_.separator},
        settings_.tickedAlgorithms);
    window.run(handle());
}

// The file is hashed with the algorithm of the digest shown.
void Win32MainWindow::compareWithFile() {
    if (controlText(kResultField).empty()) {
        say(MainMemberText::kCompareNoHash, MessageIcon::kExclamation);
        return;
    }
    const std::optional<std::u16string> path =
        desktop().chooseFileToOpen(handle(), texts_[MainMemberText::kAllFiles]);
    if (!path) return;
    fileHash_->start(*path, AlgorithmForIndex(selectedAlgorithm()),
                     [this](const std::u16string& other, const FileDigestResult& result) {
                         otherFileHashed(other, result);
                     });
}

void Win32MainWindow::otherFileHashed(const std::u16string& path, const FileDigestResult& result) {
    if (result.outcome != FileDigestOutcome::kDigest) {
        sayUnreadable(path, result.failure);
        return;
    }
    const CompareMessage message =
        MessageOfFileCompare(shownDigest_, result.digest, shownFile_, path, texts_);
    desktop().showMessage(
        handle(), message.text,
        message.identical ? MessageIcon::kInformation : MessageIcon::kExclamation);
}

bool Win32MainWindow::chooseFile() {
    const std::optional<std::u16string> path =
        desktop().chooseFileToOpen(handle(), texts_[MainMemberText::kAllFiles]);
    if (path) setControlText(kFileNameField, *path);
    return path.has_value();
}

// A pasted checksum line is compared by its digest, and the message names its file.
void Win32MainWindow::compare(const std::u16string& addition, bool warn) {
    CompareMessage message = MessageOfCompare(
        controlText(kResultField), controlText(kExpectedField), isChecked(kCaseSensitiveBox),
        AlgorithmForIndex(selectedAlgorithm()), settings_.separator, texts_);
    message.text = WithSubject(message.text, addition);
    desktop().showMessage(
        handle(), message.text,
        message.identical && !warn ? MessageIcon::kInformation : MessageIcon::kExclamation);
}

void Win32MainWindow::copyResult() {
    SendMessageW(control(kResultField), EM_SETSEL, 0, -1);
    desktop().setClipboardText(handle(), controlText(kResultField));
}

void Win32MainWindow::sayHowTheSettingsWereSaved(const SettingsSave& saved) {
    const std::optional<std::u16string> message = SettingsSaveMessage(
        saved, settingsPath(), settingsLoad_, texts_, ReadFailureTexts(language_.languageFilePath));
    if (message) desktop().showMessage(handle(), *message, MessageIcon::kExclamation);
}

std::u16string Win32MainWindow::failureMessage(ReadFailure failure) const {
    return ReadFailureTexts(language_.languageFilePath).Message(failure);
}

void Win32MainWindow::sayUnlessOpened(const std::u16string& target, bool opened) {
    if (!opened) say(MainMemberText::kOpenFailed, MessageIcon::kExclamation, target);
}

void Win32MainWindow::say(MainMemberText which, MessageIcon icon, const std::u16string& subject) {
    desktop().showMessage(handle(), WithSubject(texts_[which], subject), icon);
}

void Win32MainWindow::chooseLanguage() {
    Win32LanguageWindow window(
        desktop(), *fontSettings_, language_.languageFilePath, language_.languageName,
        locations_.programDirectory + kLanguageCatalogueFileName, locations_.programDirectory);
    if (window.run(handle()) != kOkResult) return;
    applyLanguage(window.languageFile(), MainWindowTables(), language_, *this);
    language_.languageName = window.languageName();
    languageUnset_ = false;
}

void Win32MainWindow::showOptions() {
    Win32OptionsWindow window(desktop(), *fontSettings_, language_.languageFilePath,
                              settings_.separator, settings_.lineEnds, settings_.lookForLists);
    if (window.run(handle()) != kOkResult) return;
    const TypedLineEnds before = settings_.lineEnds;
    settings_.separator = window.separator();
    settings_.lineEnds = window.lineEnds();
    settings_.lookForLists = window.lookForLists();
    fontSettings_->applyTo(fontHost_, true);
    showLineEndsToolTip();
    // A text's digest depends on how its line ends are hashed.
    if (settings_.lineEnds != before) clearResult();
}

}  // namespace tessik
