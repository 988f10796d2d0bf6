#pragma once
// The options window on Win32: the font of the windows, previewed on this window as it is
// picked, the separator of the folder window's lines, how typed line ends are hashed and whether
// a checksum list is looked for beside a hashed file. OK hands them back; a separator the
// settings file could not hold is refused and the window stays open.

#include <memory>
#include <string>

#include "settings/application_settings.h"
#include "settings/font_settings.h"
#include "ui/rules/options_choices.h"
#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_font_host.h"

namespace tessik {

class Win32OptionsWindow final : public Win32Dialog {
  public:
    // What OK changes: the main window's font settings and the values given.
    Win32OptionsWindow(Win32DesktopServices& desktop, FontSettings& mainFonts,
                       std::u16string languageFile, std::u16string separator,
                       TypedLineEnds lineEnds, bool lookForLists);

    // After OK, the values chosen.
    const std::u16string& separator() const { return separator_; }
    TypedLineEnds lineEnds() const { return lineEnds_; }
    bool lookForLists() const { return lookForLists_; }

  protected:
    void onInitDialog() override;
    void setMemberText(int id, const std::u16string& text) override;

  private:
    void chooseFont();
    void resetFont();
    void confirm();

    FontSettings& mainFonts_;
    Win32FontHost fontHost_;
    std::unique_ptr<OptionsChoices> choices_;
    std::u16string languageFile_;
    std::u16string separator_;
    TypedLineEnds lineEnds_;
    bool lookForLists_;
};

}  // namespace tessik
