#include "ui/qt/options_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <array>

#include "settings/application_settings.h"
#include "settings/language_catalogue.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/qt_text.h"

namespace tessik {

using namespace options_window;

COptionsDlg::COptionsDlg(DesktopServices& desktop, QWidget* parent)
    : Dialog(OptionsWindowTemplate(), desktop, parent), fontHost_(*this, OwnFont::kAsBuilt) {}

int COptionsDlg::RunOptionsDialog(FontSettings& mainFontSettings, std::u16string& separator,
                                  TypedLineEnds& lineEnds, bool& lookForLists) {
    mainFontSettings_ = &mainFontSettings;
    separator_ = &separator;
    lineEnds_ = &lineEnds;
    lookForLists_ = &lookForLists;
    return run();
}

void COptionsDlg::setMemberText(int id, const QString& text) {
    switch (static_cast<OptionsMemberText>(id)) {
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

void COptionsDlg::onInitDialog() {
    onCommand(kFontButton, [this] { chooseFont(); });
    onCommand(kSeparatorResetButton,
              [this] { setControlText(kSeparatorField, ToQString(kDefaultSeparator)); });
    onCommand(kFontResetButton, [this] { resetFont(); });
    onCommand(kOkResult, [this] { confirm(); });

    workingFontSettings_ = std::make_unique<FontSettings>(fontHost_);
    mainFontSettings_->copyTo(*workingFontSettings_);
    workingFontSettings_->applyTo(fontHost_, true);
    applyTexts(languageFile_, OptionsWindowTables(), *this);
    setControlText(kSeparatorField, ToQString(*separator_));
    showFaceName(mainFontSettings_->faceName());
    // The "<" buttons say nothing by themselves: they are named after what they reset.
    for (int button : {kSeparatorResetButton, kFontResetButton}) {
        control(button)->setAccessibleName(control(button)->toolTip());
    }
    auto* lineEnds = control<QComboBox>(kLineEndsList);
    lineEnds->addItems({lineEndNames_[0], lineEndNames_[1]});
    lineEnds->setCurrentIndex(*lineEnds_ == TypedLineEnds::kLf ? 1 : 0);
    control<QCheckBox>(kLookForListsBox)->setChecked(*lookForLists_);
}

void COptionsDlg::chooseFont() {
    FontDescription initial;
    workingFontSettings_->copyChosenFontTo(initial);
    const std::optional<FontDescription> picked = desktop().chooseFont(this, initial);
    if (!picked) return;
    // A height of its own is kept only when the user picked one other than the dialog font's.
    workingFontSettings_->setUseFontHeight(picked->height != mainFontSettings_->dialogFontHeight());
    workingFontSettings_->setFromFont(*picked);
    showFaceName(picked->faceName);
    preview();
}

void COptionsDlg::resetFont() {
    workingFontSettings_->setUseFontHeight(false);
    workingFontSettings_->reset();
    showFaceName(workingFontSettings_->faceName());
    preview();
}

// A separator the settings file could not hold is refused, and the window stays open.
void COptionsDlg::confirm() {
    const std::u16string separator = controlText(kSeparatorField).toStdU16String();
    if (const SeparatorProblem problem = CheckSeparator(separator);
        problem != SeparatorProblem::kNone) {
        desktop().showMessage(this, separatorProblems_[static_cast<int>(problem) - 1], QString(),
                              MessageIcon::kExclamation);
        control(kSeparatorField)->setFocus();
        return;
    }
    *separator_ = separator;
    *lineEnds_ = control<QComboBox>(kLineEndsList)->currentIndex() == 1 ? TypedLineEnds::kLf
                                                                        : TypedLineEnds::kCrLf;
    *lookForLists_ = control<QCheckBox>(kLookForListsBox)->isChecked();
    workingFontSettings_->copyTo(*mainFontSettings_);
    done(kOkResult);
}

void COptionsDlg::showFaceName(const std::u16string& faceName) {
    setControlText(kFontButton, ToQString(faceName));
    control(kFontButton)
        ->setAccessibleName(controlText(kFontLabel) + QStringLiteral(": ") + ToQString(faceName));
}

void COptionsDlg::preview() {
    workingFontSettings_->applyTo(fontHost_, true);
    repaint();
}

}  // namespace tessik
