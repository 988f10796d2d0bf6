#pragma once
// The main window: pick an algorithm, hash the typed text or a file, compare the result with an
// expected value and copy it. The window reads its controls, hands the decisions to Qt-free
// code and writes the results back. A file is hashed in a background run while the window stays
// live: after a third of a second it shows the progress and a Cancel button, and every other
// control is disabled until the hash ends. The result field only ever shows the digest of what
// the other fields hold now. The settings and the languages reach it through the interfaces it
// implements.

#include <QPointer>
#include <QString>
#include <QTimer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "jobs/files_run.h"
#include "settings/application_settings.h"
#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "settings/storage_locations.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/dialog.h"
#include "ui/qt/widget_font_host.h"
#include "ui/rules/main_window.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace tessik {

class ProgressDisplay;

class CTessikDlg : public Dialog {
    Q_OBJECT
  public:
    // The arguments follow the program name; only the first one is used.
    CTessikDlg(DesktopServices& desktop, StorageEnvironment environment,
               std::vector<std::u16string> arguments);
    ~CTessikDlg() override;

    // The user's choices as the close box saves them.
    ApplicationSettings settings() const;
    // Restores the built-in texts, then applies the catalogue's language of that UTF-8 name (its
    // default language for an empty name), as the language window would.
    void selectLanguage(const std::string& name);

    // A file is being hashed.
    bool isHashingFile() const { return fileRun_.IsActive(); }

  protected:
    void onInitDialog() override;
    void onCloseRequest() override;
    void onClientResized(QSize size) override;
    void onUnitsChanged() override;
    void setMemberText(int id, const QString& text) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void bindControls();
    void bindCommands();
    void removeMissingDocumentItems();
    void takeFirstArgument();
    std::u16string settingsPath() const;

    void hashText();
    void hashFile();
    void startFileHash(const std::u16string& path);
    void showFileHashing();
    void fileHashEnded();
    void endFileHashing();
    void escape();
    bool chooseFile();
    void compare();
    void copyResult();
    void sayHowTheSettingsWereSaved(const SettingsSave& saved);
    void sayUnlessOpened(const QString& target, bool opened);
    QString failureMessage(ReadFailure failure) const;
    void sayUnreadable(ReadFailure failure, const QString& path);

    // The folder window, on the given folder instead of the last one when there is one.
    void hashFolder(const std::u16string& folder = {});
    void chooseListToVerify();
    void verifyList(const std::u16string& path);
    void hashFiles(std::vector<std::u16string> paths);
    void showOptions();
    void chooseLanguage();
    void showAbout();

    void showResult(const Digest& digest);
    void say(MainMemberText text, MessageIcon icon, const QString& subject = QString());
    void showLineEndsToolTip();
    int selectedAlgorithm() const;
    void applySettings(const ApplicationSettings& settings);
    void placeWindow(const StoredPosition& position);
    WindowPlacement placement() const;
    const QString& text(MainMemberText which) const;

    // The controls the commands read and write; the others are reached by id.
    QComboBox* algorithmList_ = nullptr;
    QCheckBox* m_CHKSmallLetters = nullptr;
    QLineEdit* fileNameField_ = nullptr;
    QPlainTextEdit* stringField_ = nullptr;
    QLineEdit* resultField_ = nullptr;
    QLineEdit* expectedField_ = nullptr;
    QCheckBox* m_CHKCaseSensitive = nullptr;

    WidgetFontHost fontHost_;
    // Made once the controls exist, since it starts from the window's font; it lives as long
    // as the window, so a second close request still finds it.
    std::unique_ptr<FontSettings> fontSettings_;
    StorageEnvironment environment_;
    StorageLocations locations_;
    LoadResult settingsLoad_;
    // What the window keeps of the settings besides its controls: the folder values, the
    // separator and the line ends.
    ApplicationSettings settings_;
    // True while no language has been named by the settings or chosen by the user.
    bool languageUnset_ = true;
    LanguageState language_;
    std::u16string readMePath_;
    std::u16string licensePath_;
    std::array<QString, kMainMemberTextCount> memberTexts_;
    std::vector<std::u16string> arguments_;

    FilesRun fileRun_;
    QTimer fileTimer_;
    std::u16string hashedPath_;
    Digest shownDigest_;  // what the result field shows, while it shows anything
    ProgressDisplay* progress_ = nullptr;
    QPointer<QWidget> focusBeforeHash_;
};

}  // namespace tessik
