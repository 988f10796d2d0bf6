#pragma once
// The About window on Win32: the product, its version in the language in use, the credits and
// the addresses, each opening its link on a double click, the picture and the icon, in the
// chosen font with the title in bold.

#include <map>
#include <optional>
#include <string>

#include "settings/font_settings.h"
#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_font_host.h"

namespace tessik {

class Win32AboutWindow final : public Win32Dialog {
  public:
    // The picture is read from the program directory; OK has the main window's caption for it.
    Win32AboutWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                     std::u16string languageFile, std::u16string programDirectory,
                     std::u16string okCaption);
    ~Win32AboutWindow() override;

    // The link a field opens; empty for a plain text.
    const std::u16string& linkOf(int fieldId) const;
    void openLink(int fieldId) const;

  protected:
    void onInitDialog() override;
    void setMemberText(int id, const std::u16string& text) override;
    std::optional<COLORREF> textColourOf(int id) const override;

  private:
    void fillTexts();
    void showPicture();
    void boldTitle();

    FontSettings& fonts_;
    Win32FontHost fontHost_;
    std::u16string languageFile_;
    std::u16string programDirectory_;
    std::u16string okCaption_;
    std::u16string versionPattern_;
    std::map<int, std::u16string> links_;
    HFONT titleFont_ = nullptr;
    HBITMAP picture_ = nullptr;
};

}  // namespace tessik
