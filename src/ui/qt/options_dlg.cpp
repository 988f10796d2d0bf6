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
    choices_->setText(TextTarget::Member(id), text.toStdU16String());
}

void COptionsDlg::onInitDialog() {
    onCommand(kFontButton, [this] { chooseFont(); });
    onCommand(kSeparatorResetButton,
              [this] { setControlText(kSeparatorField, ToQString(kDefaultSeparator)); });
    onCommand(kFontResetButton, [this] { resetFont(); });
    onCommand(kOkResult, [this] { confirm(); });

    choices_ = std::make_unique<OptionsChoices>(*mainFontSettings_, fontHost_);
    applyTexts(languageFile_, OptionsWindowTables(), *this);
    setControlText(kSeparatorField, ToQString(*separator_));
    showFaceName();
    // The "<" buttons say nothing by themselves: they are named after what they reset.
    for (int button : {kSeparatorResetButton, kFontResetButton}) {
        control(button)->setAccessibleName(control(button)->toolTip());
    }
    auto* lineEnds = control<QComboBox>(kLineEndsList);
    lineEnds->addItems({ToQString(choices_->lineEndName(TypedLineEnds::kCrLf)),
                        ToQString(choices_->lineEndName(TypedLineEnds::kLf))});
    lineEnds->setCurrentIndex(*lineEnds_ == TypedLineEnds::kLf ? 1 : 0);
    control<QCheckBox>(kLookForListsBox)->setChecked(*lookForLists_);
}

void COptionsDlg::chooseFont() {
    const std::optional<FontDescription> picked =
        desktop().chooseFont(this, choices_->chosenFont());
    if (!picked) return;
    choices_->pickFont(*picked);
    showFaceName();
    repaint();
}

void COptionsDlg::resetFont() {
    choices_->resetFont();
    showFaceName();
    repaint();
}

// A separator the settings file could not hold is refused, and the window stays open.
void COptionsDlg::confirm() {
    const std::u16string separator = controlText(kSeparatorField).toStdU16String();
    if (const std::optional<std::u16string> refusal = choices_->separatorRefusal(separator)) {
        desktop().showMessage(this, ToQString(*refusal), QString(), MessageIcon::kExclamation);
        control(kSeparatorField)->setFocus();
        return;
    }
    *separator_ = separator;
    *lineEnds_ = control<QComboBox>(kLineEndsList)->currentIndex() == 1 ? TypedLineEnds::kLf
                                                                        : TypedLineEnds::kCrLf;
    *lookForLists_ = control<QCheckBox>(kLookForListsBox)->isChecked();
    choices_->keepFonts();
    done(kOkResult);
}

void COptionsDlg::showFaceName() {
    const QString faceName = ToQString(choices_->faceName());
    setControlText(kFontButton, faceName);
    control(kFontButton)
        ->setAccessibleName(WithoutAccessKeys(controlText(kFontLabel)) + QStringLiteral(": ") +
                            faceName);
}

}  // namespace tessik
