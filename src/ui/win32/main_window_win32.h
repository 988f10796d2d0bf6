#pragma once
// The main window on Win32: pick an algorithm, hash the typed text or a file, compare the result
// with an expected value, one found in a checksum list beside the file, or another file's
// digest, and copy it. The window reads its controls, hands the decisions to the Qt-free rules
// and writes the results back; the result field only ever shows the digest of what the other
// fields hold now. Its settings are loaded at start and saved by the close box.

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "digest/digest_engine.h"
#include "settings/application_settings.h"
#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "settings/storage_locations.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/main_window.h"
#include "ui/win32/main_file_hash_win32.h"
#include "ui/win32/main_list_search_win32.h"
#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_font_host.h"

namespace tessik {

class Win32MainWindow final : public Win32Dialog {
  public:
    // The arguments follow the program name; only the first one is used.
    Win32MainWindow(Win32DesktopServices& desktop, StorageEnvironment environment,
                    std::vector<std::u16string> arguments);
    ~Win32MainWindow() override;

    // The user's choices as the close box saves them.
    ApplicationSettings settings() const;
    // Restores the built-in texts, then applies the catalogue's language of that UTF-8 name (its
    // default language for an empty name).
    void selectLanguage(const std::string& name);
    bool isHashingFile() const { return fileHash_ && fileHash_->isActive(); }
    bool isLookingForList() const { return listSearch_ && listSearch_->isActive(); }

  protected:
    void onInitDialog() override;
    void onCloseRequest() override;
    void onClientResized(SIZE size) override;
    void onUnitsChanged() override;
    SIZE minimumWindowSize() const override { return minimumSize_; }
    void setMemberText(int id, const std::u16string& text) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) override;

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
    bool chooseFile();
    void compare(const std::u16string& addition = {}, bool warn = false);
    void copyResult();
    void dropFiles(HDROP drop);
    void chooseListToVerify();
    void verifyList(const std::u16string& path);
    void openFolderWindow(const std::u16string& folder);
    void showAllAlgorithms();
    void chooseLanguage();
    void showOptions();
    void showLineEndsToolTip();
    void sayHowTheSettingsWereSaved(const SettingsSave& saved);
    void sayUnlessOpened(const std::u16string& target, bool opened);
    std::u16string failureMessage(ReadFailure failure) const;

    void showResult(const Digest& digest);
    void clearResult();
    void say(MainMemberText text, MessageIcon icon, const std::u16string& subject = {});
    int selectedAlgorithm() const;
    bool lowercase() const;

    Win32FontHost fontHost_;
    std::unique_ptr<FontSettings> fontSettings_;
    StorageEnvironment environment_;
    StorageLocations locations_;
    LoadResult settingsLoad_;
    ApplicationSettings settings_;
    bool languageUnset_ = true;
    LanguageState language_;
    std::u16string readMePath_;
    std::u16string licensePath_;
    MainMessageTexts texts_{u""};
    std::vector<std::u16string> arguments_;
    SIZE minimumSize_{};

    std::unique_ptr<Win32MainFileHash> fileHash_;
    std::unique_ptr<Win32MainListSearch> listSearch_;
    Digest shownDigest_;        // what the result field shows, while it shows anything
    std::u16string shownFile_;  // whose digest it is; empty for the string's
};

}  // namespace tessik
