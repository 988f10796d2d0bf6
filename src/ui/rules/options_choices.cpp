#include "ui/rules/options_choices.h"

#include "ui/rules/options_window.h"

namespace tessik {

OptionsChoices::OptionsChoices(FontSettings& mainFonts, FontHost& windowHost)
    : mainFonts_(mainFonts),
      windowHost_(windowHost),
      working_(std::make_unique<FontSettings>(windowHost)) {
    mainFonts_.copyTo(*working_);
    show();
}

void OptionsChoices::setText(const TextTarget& target, const std::u16string& text) {
    if (target.kind != TextTargetKind::kMember) return;
    switch (static_cast<OptionsMemberText>(target.id)) {
        case OptionsMemberText::kCrLf:
            lineEndNames_[0] = text;
            break;
        case OptionsMemberText::kLf:
            lineEndNames_[1] = text;
            break;
        case OptionsMemberText::kSeparatorMarkup:
            separatorProblems_[0] = text;
            break;
        case OptionsMemberText::kSeparatorLineBreak:
            separatorProblems_[1] = text;
            break;
        case OptionsMemberText::kSeparatorTooLong:
            separatorProblems_[2] = text;
            break;
    }
}

const std::u16string& OptionsChoices::lineEndName(TypedLineEnds lineEnds) const {
    return lineEndNames_[lineEnds == TypedLineEnds::kLf ? 1 : 0];
}

void OptionsChoices::pickFont(const FontDescription& picked) {
    working_->setUseFontHeight(picked.height != mainFonts_.dialogFontHeight());
    working_->setFromFont(picked);
    show();
}

void OptionsChoices::resetFont() {
    working_->setUseFontHeight(false);
    working_->reset();
    show();
}

FontDescription OptionsChoices::chosenFont() const {
    FontDescription font;
    working_->copyChosenFontTo(font);
    return font;
}

std::optional<std::u16string> OptionsChoices::separatorRefusal(
    const std::u16string& separator) const {
    const SeparatorProblem problem = CheckSeparator(separator);
    if (problem == SeparatorProblem::kNone) return std::nullopt;
    return separatorProblems_[static_cast<int>(problem) - 1];
}

void OptionsChoices::keepFonts() const {
    working_->copyTo(mainFonts_);
}

void OptionsChoices::show() {
    working_->applyTo(windowHost_, true);
}

}  // namespace tessik
