#pragma once
// The language window on Win32: the built-in English and the catalogue's languages, the one in
// use preselected. Every other choice translates the window at once, so the user sees it before
// confirming; OK hands the chosen file and name back, Cancel nothing.

#include <string>

#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_font_host.h"

namespace tessik {

class Win32LanguageWindow final : public Win32Dialog {
  public:
    // The file and name in use, where the catalogue is and the directory its files are in.
    Win32LanguageWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                        std::u16string languageFile, std::u16string languageName,
                        std::u16string cataloguePath, std::u16string programDirectory);

    // After OK: the chosen language's file (empty for the built-in texts) and name.
    const std::u16string& languageFile() const { return languageFile_; }
    const std::u16string& languageName() const { return languageName_; }

  protected:
    void onInitDialog() override;

  private:
    void selectionChanged();

    FontSettings& fonts_;
    Win32FontHost fontHost_;
    std::u16string languageFile_;
    std::u16string languageName_;
    std::u16string cataloguePath_;
    std::u16string programDirectory_;
    LanguageChoices choices_;
};

}  // namespace tessik
