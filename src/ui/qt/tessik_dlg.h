#pragma once
// The main window: pick an algorithm, hash the typed text or a file, compare the result with an
// expected value, one found in a checksum list beside the file, or another file's digest, and
// copy it; open the other windows from its menu, or by dropping files onto it. The window reads its
// controls, hands the decisions to Qt-free code and writes the results back. The result field only
// ever shows the digest of what the other fields hold now. Its settings are loaded at start and
// saved by the close box, each as one value.

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "digest/digest_engine.h"
#include "settings/application_settings.h"
#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "settings/storage_locations.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/dialog.h"
#include "ui/qt/main_file_hash.h"
#include "ui/qt/main_list_search.h"
#include "ui/qt/opened_windows.h"
#include "ui/qt/widget_font_host.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/main_window.h"
#include "ui/rules/main_window_layout.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace tessik {

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
    bool isHashingFile() const { return fileHash_ != nullptr && fileHash_->isActive(); }
    // A checksum list is looked for beside the file hashed.
    bool isLookingForList() const { return listSearch_ != nullptr && listSearch_->isActive(); }

  protected:
    void onInitDialog() override;
    void onCloseRequest() override;
    void onClientResized(QSize size) override;
    void onUnitsChanged() override;
    bool growsByItsOwnRules() const override { return true; }
    std::span<const int> placedAcrossByItsOwnRules() const override { return kRightHandControls; }
    void setMemberText(int id, const QString& text) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void bindControls();
    void bindCommands();
    void removeMissingDocumentItems();
    void takeFirstArgument();
    void applySettings(const ApplicationSettings& settings);
    std::u16string settingsPath() const;

    void hashText();
    void hashFile();
    void fileHashEnded(const std::u16string& path, const FileDigestResult& result);
    void lookForList(const std::u16string& file);
    void listEntryFound(const ListSearch& search, const FoundEntry& entry);
    void compareWithFile();
    void otherFileHashed(const std::u16string& path, const FileDigestResult& result);
    void sayUnreadable(const std::u16string& path, ReadFailure failure);
    void escape();
    bool chooseFile(bool typedNameFailed);
    // A comparison's message; `addition` follows it after a blank line, and `warn` gives it the
    // warning's icon however the digests compare.
    void compare(const std::u16string& addition = {}, bool warn = false);
    void copyResult();
    void sayHowTheSettingsWereSaved(const SettingsSave& saved);
    void sayUnlessOpened(const QString& target, bool opened);
    std::u16string failureMessage(ReadFailure failure) const;

    OpeningContext openingContext();
    DigestChoice digestChoice() const;
    void chooseListToVerify();
    void showAllAlgorithms();
    void showOptions();
    void chooseLanguage();

    void showResult(const Digest& digest);
    void say(MainMemberText text, MessageIcon icon, const QString& subject = QString());
    void showLineEndsToolTip();
    int selectedAlgorithm() const;
    QString text(MainMemberText which) const;

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
    MainMessageTexts texts_{u""};
    std::vector<std::u16string> arguments_;

    MainFileHash* fileHash_ = nullptr;
    MainListSearch* listSearch_ = nullptr;
    Digest shownDigest_;        // what the result field shows, while it shows anything
    std::u16string shownFile_;  // whose digest it is; empty for the string's
};

}  // namespace tessik
