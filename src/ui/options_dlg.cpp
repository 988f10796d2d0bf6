#include "ui/options_dlg.h"

#include <QLineEdit>
#include <array>

#include "settings/application_settings.h"
#include "settings/language_catalogue.h"
#include "ui/desktop_services.h"
#include "ui/qt_text.h"

namespace tessik {
namespace {

using namespace options_window;

constexpr std::array kControls = {
    ControlTemplate{kOkResult, ControlKind::kDefaultPushButton, "OK", 57, 76, 65, 16, kNoStyle},
    ControlTemplate{kCancelResult, ControlKind::kPushButton, "Cancel", 127, 76, 65, 16, kNoStyle},
    ControlTemplate{kSeparatorLabel, ControlKind::kLabel, "Separator", 24, 15, 76, 13, kNoStyle},
    ControlTemplate{kSeparatorField, ControlKind::kEdit, nullptr, 104, 12, 23, 14, kBorder},
    ControlTemplate{kFontLabel, ControlKind::kLabel, "Font", 25, 40, 77, 12, kNoStyle},
    ControlTemplate{kFontButton, ControlKind::kPushButton, "Font", 103, 38, 103, 16, kNoStyle},
    ControlTemplate{kFontResetButton, ControlKind::kPushButton, "<", 213, 38, 20, 16, kNoStyle},
    ControlTemplate{kSeparatorResetButton, ControlKind::kPushButton, "<", 134, 11, 20, 16,
                    kNoStyle},
};

constexpr DialogTemplate kTemplate{"Options", 243, 96, false, false, kControls, {}};

// The "<" buttons say nothing by themselves; they are named after what they reset.
constexpr char kResetDescription[] = "Back to the default";

}  // namespace

COptionsDlg::COptionsDlg(DesktopServices& desktop, QWidget* parent)
    : Dialog(kTemplate, desktop, parent), fontHost_(*this, OwnFont::kAsBuilt) {}

int COptionsDlg::RunOptionsDialog(FontSettings& mainFontSettings, std::u16string& separator) {
    mainFontSettings_ = &mainFontSettings;
    separator_ = &separator;
    return run();
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
    applyOptionsTexts(languageFile_, *this);
    setControlText(kSeparatorField, ToQString(*separator_));
    showFaceName(mainFontSettings_->faceName());
    for (const auto& [button, label] : {std::pair{kSeparatorResetButton, kSeparatorLabel},
                                        std::pair{kFontResetButton, kFontLabel}}) {
        control(button)->setAccessibleName(controlText(label));
        control(button)->setAccessibleDescription(QString::fromUtf8(kResetDescription));
    }
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

void COptionsDlg::confirm() {
    *separator_ = controlText(kSeparatorField).toStdU16String();
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
