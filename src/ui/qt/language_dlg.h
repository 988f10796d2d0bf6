#pragma once
// The language window: the built-in English and the catalogue's languages, the one in use
// preselected. Every other choice re-translates the window at once, so the user sees it
// before confirming; OK hands the chosen file and name back, Cancel nothing.

#include <string>

#include "settings/language_catalogue.h"
#include "ui/qt/dialog.h"
#include "ui/qt/widget_font_host.h"
#include "ui/rules/language_window.h"

class QComboBox;

namespace tessik {

class FontSettings;

class CLanguageDlg : public Dialog {
    Q_OBJECT
  public:
    explicit CLanguageDlg(DesktopServices& desktop, QWidget* parent = nullptr);

    // The file and name in use, where the catalogue is, the directory its files are in, and
    // where OK writes the chosen file and name.
    void SetLanguageData(std::u16string languageFile, std::u16string languageName,
                         std::u16string cataloguePath, std::u16string programDirectory,
                         std::u16string& fileResult, std::u16string& nameResult);
    // Runs the window modally, after SetLanguageData: 1 after OK, 2 after Cancel, Escape or
    // the close box.
    int RunLanguageDialog(FontSettings& fontSettings);

  protected:
    void onInitDialog() override;

  private:
    void selectionChanged(int index);
    void confirm();

    QComboBox* languageList_ = nullptr;
    WidgetFontHost fontHost_;
    FontSettings* fontSettings_ = nullptr;
    std::u16string languageFile_;
    std::u16string languageName_;
    std::u16string cataloguePath_;
    std::u16string programDirectory_;
    std::u16string* fileResult_ = nullptr;
    std::u16string* nameResult_ = nullptr;
    LanguageChoices choices_;
};

}  // namespace tessik
