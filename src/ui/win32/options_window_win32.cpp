#include "ui/win32/options_window_win32.h"

#include "settings/language_catalogue.h"
#include "ui/rules/options_window.h"
#include "ui/win32/win32_text.h"

namespace tessik {

using namespace options_window;

Win32OptionsWindow::Win32OptionsWindow(Win32DesktopServices& desktop, FontSettings& mainFonts,
                                       std::u16string languageFile, std::u16string separator,
                                       TypedLineEnds lineEnds, bool lookForLists)
    : Win32Dialog(OptionsWindowTemplate(), desktop),
      mainFonts_(mainFonts),
      fontHost_(*this, Win32FontHost::OwnFont::kAsBuilt),
      languageFile_(std::move(languageFile)),
      separator_(std::move(separator)),
      lineEnds_(lineEnds),
      lookForLists_(lookForLists) {}

void Win32OptionsWindow::setMemberText(int id, const std::u16string& text) {
    choices_->setText(TextTarget::Member(id), text);
}

void Win32OptionsWindow::onInitDialog() {
    onCommand(kFontButton, [this] { chooseFont(); });
    onCommand(kSeparatorResetButton,
              [this] { setControlText(kSeparatorField, std::u16string(kDefaultSeparator)); });
    onCommand(kFontResetButton, [this] { resetFont(); });
    onCommand(kLookForListsBox, [] {});
    onCommand(kOkResult, [this] { confirm(); });

    choices_ = std::make_unique<OptionsChoices>(mainFonts_, fontHost_);
    applyTexts(languageFile_, OptionsWindowTables(), *this);
    setControlText(kSeparatorField, separator_);
    setControlText(kFontButton, choices_->faceName());
    for (TypedLineEnds lineEnds : {TypedLineEnds::kCrLf, TypedLineEnds::kLf}) {
        SendMessageW(control(kLineEndsList), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(ToWide(choices_->lineEndName(lineEnds)).c_str()));
    }
    selectEntry(kLineEndsList, lineEnds_ == TypedLineEnds::kLf ? 1 : 0);
    setChecked(kLookForListsBox, lookForLists_);
}

void Win32OptionsWindow::chooseFont() {
    const std::optional<FontDescription> picked =
        desktop().chooseFont(handle(), choices_->chosenFont());
    if (!picked) return;
    choices_->pickFont(*picked);
    setControlText(kFontButton, choices_->faceName());
}

void Win32OptionsWindow::resetFont() {
    choices_->resetFont();
    setControlText(kFontButton, choices_->faceName());
}

// A separator the settings file could not hold is refused, and the window stays open.
void Win32OptionsWindow::confirm() {
    const std::u16string separator = controlText(kSeparatorField);
    if (const std::optional<std::u16string> refusal = choices_->separatorRefusal(separator)) {
        desktop().showMessage(handle(), *refusal, MessageIcon::kExclamation);
        SetFocus(control(kSeparatorField));
        return;
    }
    separator_ = separator;
    lineEnds_ = selectedEntry(kLineEndsList) == 1 ? TypedLineEnds::kLf : TypedLineEnds::kCrLf;
    lookForLists_ = isChecked(kLookForListsBox);
    choices_->keepFonts();
    done(kOkResult);
}

}  // namespace tessik
