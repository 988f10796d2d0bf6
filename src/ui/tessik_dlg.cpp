#include "ui/tessik_dlg.h"

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
#include <QUrl>
#include <array>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_match.h"
#include "digest/digest_request.h"
#include "platform/text_conversion.h"
#include "ui/hash_folder_dlg.h"
#include "platform/path_utilities.h"
#include "platform/path_encoding.h"
#include "ui/about_box.h"
#include "ui/about_dlg.h"
#include "ui/algorithm_list.h"
#include "ui/desktop_services.h"
#include "ui/dialog_menu.h"
#include "ui/language_dlg.h"
#include "ui/main_commands.h"
#include "ui/main_window_ids.h"
#include "ui/main_window_layout.h"
#include "ui/options_dlg.h"
#include "ui/qt_text.h"

namespace tessik {
namespace {

using namespace main_window;

constexpr std::array kControls = {
    ControlTemplate{kAlgorithmLabel, ControlKind::kLabel, "Algorithm", 6, 5, 113, 12, kNoStyle},
    ControlTemplate{kAlgorithmList, ControlKind::kDropDownList, nullptr, 123, 4, 91, 109, kNoStyle},
    ControlTemplate{kFileNameLabel, ControlKind::kLabel, "Filename", 5, 23, 114, 12, kNoStyle},
    ControlTemplate{kFileNameField, ControlKind::kEdit, nullptr, 123, 21, 296, 14, kBorder},
    ControlTemplate{kBrowseButton, ControlKind::kPushButton, "...", 421, 20, 23, 16, kNoStyle},
    ControlTemplate{kHashFileButton, ControlKind::kPushButton, "Get HASH from file", 308, 39, 136,
                    16, kNoStyle},
    ControlTemplate{kStringLabel, ControlKind::kLabel, "String", 5, 60, 114, 14, kNoStyle},
    ControlTemplate{kStringField, ControlKind::kMultiLineEdit, nullptr, 123, 58, 320, 33,
                    kBorder | kVerticalScrollBar},
    ControlTemplate{kHashStringButton, ControlKind::kDefaultPushButton, "Get HASH from string", 309,
                    93, 135, 16, kNoStyle},
    ControlTemplate{kResultLabel, ControlKind::kLabel, "HASH-Value", 5, 111, 113, 15,
                    kCentreVertically},
    ControlTemplate{kResultField, ControlKind::kEdit, nullptr, 122, 111, 321, 14, kBorder},
    ControlTemplate{kCopyButton, ControlKind::kPushButton, "Copy", 123, 166, 96, 16, kNoStyle},
    ControlTemplate{kExpectedLabel, ControlKind::kLabel, "Expected HASH-Value", 5, 133, 113, 15,
                    kCentreVertically},
    ControlTemplate{kExpectedField, ControlKind::kEdit, nullptr, 122, 133, 321, 14, kBorder},
    ControlTemplate{kCompareButton, ControlKind::kPushButton, "Compare", 228, 166, 95, 16,
                    kNoStyle},
    ControlTemplate{kCaseSensitiveBox, ControlKind::kCheckBox, "Case sensitive", 123, 152, 202, 10,
                    kNoStyle},
    ControlTemplate{kLowercaseBox, ControlKind::kCheckBox, "Lowercase letters", 232, 4, 130, 14,
                    kNoStyle},
};

constexpr std::array kMenu = {
    MenuItemTemplate{"File", "Get hash from folder", kFolderCommand},
    MenuItemTemplate{"File", "Exit", kExitCommand},
    MenuItemTemplate{"View", "Options", kOptionsCommand},
    MenuItemTemplate{"View", "Language", kLanguageCommand},
    MenuItemTemplate{"?", "License", kLicenseCommand},
    MenuItemTemplate{"?", "Changes", kChangesCommand},
    MenuItemTemplate{"?", "Check for update", kCheckUpdateCommand},
    MenuItemTemplate{"?", nullptr, 0},
    MenuItemTemplate{"?", "Info", kInfoCommand},
};

constexpr DialogTemplate kTemplate{
    "Korvane HASH-Generator", 447, 186, true, true, kControls, kMenu};

// The bytes of a local file URL's path, so that a name that is no valid UTF-8 survives.
std::u16string LocalPath(const QUrl& url) {
    return FromNativePath(
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
}

}  // namespace

CTessikDlg::CTessikDlg(DesktopServices& desktop, StorageEnvironment environment,
                       std::vector<std::u16string> arguments)
    : Dialog(kTemplate, desktop),
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
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    algorithmList_->setCurrentIndex(kDefaultAlgorithmIndex);
    fontSettings_ = std::make_unique<FontSettings>(fontHost_);
    locations_ = resolveStorageLocations(environment_);
    removeMissingDocumentItems();
    selectLanguage(std::string());
    settingsLoad_ = loadSettings(settingsPath(), *this, *fontSettings_);
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
    onCommand(kBrowseButton, [this] { chooseFile(); });
    onCommand(kCompareButton, [this] { compare(); });
    onCommand(kCopyButton, [this] { copyResult(); });
    onCommand(kExitCommand, [this] { done(kOkResult); });
    onCommand(kLicenseCommand, [this] { desktop().openDocument(ToQString(licensePath_)); });
    onCommand(kChangesCommand, [this] { desktop().openDocument(ToQString(readMePath_)); });
    onCommand(kFolderCommand, [this] { hashFolder(); });
    onCommand(kOptionsCommand, [this] { showOptions(); });
    onCommand(kLanguageCommand, [this] { chooseLanguage(); });
    onCommand(kInfoCommand, [this] { showAbout(); });
    onCommand(kCheckUpdateCommand, [this] { desktop().openAddress(ToQString(kUpdateAddress)); });
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
        fileNameField_->setText(ToQString(argument));
    } else {
        stringField_->setPlainText(ToQString(argument));
    }
}

void CTessikDlg::onCloseRequest() {
    saveSettings(settingsPath(), *this, *fontSettings_, locations_, settingsLoad_);
    done(kCancelResult);
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

void CTessikDlg::setMemberText(int id, const QString& text) {
    switch (static_cast<MainMemberText>(id)) {
        case MainMemberText::kAllFiles:
            m_acMAllFiles = text;
            break;
        case MainMemberText::kCompareFailed:
            m_acMCompareFailed = text;
            break;
        case MainMemberText::kCompareDone:
            m_acMCompareDone = text;
            break;
        case MainMemberText::kBtnOk:
            m_acMBtnOk = text;
            break;
    }
}

QCheckBox* CTessikDlg::box(SettingsBox which) const {
    return which == SettingsBox::kCaseSensitive ? m_CHKCaseSensitive : m_CHKSmallLetters;
}

void CTessikDlg::selectAlgorithm(int index) {
    algorithmList_->setCurrentIndex(index);
}

int CTessikDlg::selectedAlgorithm() const {
    return algorithmList_->currentIndex();
}

void CTessikDlg::tickBox(SettingsBox which) {
    box(which)->setChecked(true);
}

bool CTessikDlg::isBoxTicked(SettingsBox which) const {
    return box(which)->isChecked();
}

void CTessikDlg::setFolderValues(const FolderValues& values) {
    folderValues_ = values;
}

FolderValues CTessikDlg::folderValues() const {
    return folderValues_;
}

void CTessikDlg::setSeparator(const std::u16string& separator) {
    separator_ = separator;
}

std::u16string CTessikDlg::separator() const {
    return separator_;
}

void CTessikDlg::setLanguageUnset(bool unset) {
    languageUnset_ = unset;
}

bool CTessikDlg::languageUnset() const {
    return languageUnset_;
}

void CTessikDlg::selectLanguage(const std::string& name) {
    tessik::selectLanguage(name, locations_.programDirectory, language_, *this);
}

std::u16string CTessikDlg::languageName() const {
    return language_.languageName;
}

void CTessikDlg::showMaximised() {
    setWindowState(windowState() | Qt::WindowMaximized);
}

// Positions are those of the window without the window manager's frame, which is not known
// before the window is shown; reading and writing the same rectangle keeps the size from
// growing by a frame at every start.
void CTessikDlg::moveWindow(const WindowRect& rect) {
    setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

WindowRect CTessikDlg::availableArea() const {
    const QScreen* where = screen();
    if (where == nullptr) return {};
    const QRect area = where->availableGeometry();
    return {area.x(), area.y(), area.x() + area.width(), area.y() + area.height()};
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

void CTessikDlg::showResult(const std::string& digest) {
    resultField_->setText(ToQString(FromUtf8(digest)));
    // A digest wider than the field is read, and compared by eye, from its first digit.
    resultField_->setCursorPosition(0);
}

void CTessikDlg::hashText() {
    // The plain text would turn no-break spaces into spaces; the raw text keeps what was typed.
    const std::u16string text =
        WithCrLfLineBreaks(stringField_->document()->toRawText().toStdU16String());
    const int index = selectedAlgorithm();
    const bool lower = m_CHKSmallLetters->isChecked();
    showResult(runBusy([=] { return HashFromString(index, text, lower); }));
}

void CTessikDlg::hashFile() {
    std::u16string path = fileNameField_->text().toStdU16String();
    if (!FileExists(path)) {  // empty, a folder or nothing at all
        chooseFile();
        path = fileNameField_->text().toStdU16String();
        if (!FileExists(path)) return;
    }
    const int index = selectedAlgorithm();
    const bool lower = m_CHKSmallLetters->isChecked();
    showResult(runBusy([=] { return HashFromFile(index, path, lower); }));
}

void CTessikDlg::chooseFile() {
    if (std::optional<QString> path = desktop().chooseFileToOpen(this, m_acMAllFiles)) {
        fileNameField_->setText(*path);
    }
}

void CTessikDlg::compare() {
    const bool identical =
        DigestsMatch(resultField_->text().toStdU16String(), expectedField_->text().toStdU16String(),
                     m_CHKCaseSensitive->isChecked());
    desktop().showMessage(this, identical ? m_acMCompareDone : m_acMCompareFailed, QString(),
                          identical ? MessageIcon::kInformation : MessageIcon::kExclamation);
}

void CTessikDlg::copyResult() {
    resultField_->selectAll();
    desktop().setClipboardText(resultField_->text());
}

void CTessikDlg::hashFolder() {
    CHashFolderDlg window(desktop(), this);
    window.setLanguageFile(language_.languageFilePath);
    window.RunFolderDialog(*fontSettings_, selectedAlgorithm(), m_CHKSmallLetters->isChecked(),
                           folderValues_, separator_);
}

void CTessikDlg::showOptions() {
    COptionsDlg window(desktop(), this);
    window.setLanguageFile(language_.languageFilePath);
    if (window.RunOptionsDialog(*fontSettings_, separator_) != kOkResult) return;
    fontSettings_->applyTo(fontHost_, true);
    repaint();
}

void CTessikDlg::chooseLanguage() {
    std::u16string file = language_.languageFilePath;
    std::u16string name = language_.languageName;
    CLanguageDlg window(desktop(), this);
    window.SetLanguageData(file, name, locations_.programDirectory + kLanguageCatalogueFileName,
                           locations_.programDirectory, file, name);
    if (window.RunLanguageDialog(*fontSettings_) == kCancelResult) return;
    applyMainTexts(file, language_, *this);
    language_.languageName = name;
    languageUnset_ = false;
    update();
}

void CTessikDlg::showAbout() {
    CAboutDlg window(desktop(), this);
    window.RunAboutDialog(*fontSettings_, m_acMBtnOk);
}

void CTessikDlg::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile()) event->acceptProposedAction();
}

void CTessikDlg::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return;
    fileNameField_->setText(ToQString(CutDroppedPath(LocalPath(urls.front()))));
    event->acceptProposedAction();
}

}  // namespace tessik
