#pragma once
// What the options window decides, free of any window: the font is picked or reset on a working
// copy of the main window's font settings, shown on the window's own host, and handed back only
// on OK; a separator the settings file could not hold is refused with its reason, in the words
// of the language in use.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "settings/application_settings.h"
#include "settings/font_settings.h"
#include "settings/language_catalogue.h"

namespace tessik {

class OptionsChoices final : public TextSink {
  public:
    // The window's host shows the working copy; it resets to the font the window was built with.
    OptionsChoices(FontSettings& mainFonts, FontHost& windowHost);

    // The window's kept texts: the names of the line ends and the reasons for refusing.
    void setText(const TextTarget& target, const std::u16string& text) override;
    const std::u16string& lineEndName(TypedLineEnds lineEnds) const;

    const std::u16string& faceName() const { return working_->faceName(); }
    // The picked font becomes the working one, with a height of its own only when the user
    // picked one other than the dialog font's; either way the window shows it.
    void pickFont(const FontDescription& picked);
    void resetFont();
    FontDescription chosenFont() const;

    // The reason a separator is refused; nothing when it can be kept.
    std::optional<std::u16string> separatorRefusal(const std::u16string& separator) const;
    // OK: the working copy becomes the main window's font settings.
    void keepFonts() const;

  private:
    void show();

    FontSettings& mainFonts_;
    FontHost& windowHost_;
    std::unique_ptr<FontSettings> working_;
    std::array<std::u16string, 2> lineEndNames_;       // CR LF, LF
    std::array<std::u16string, 3> separatorProblems_;  // markup, line break, too long
};

}  // namespace tessik
