#include "ui/qt/about_dlg.h"

#include <QLabel>
#include <QPixmap>
#include <array>

#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "ui/qt/click_edit.h"
#include "ui/qt/qt_font.h"
#include "ui/qt/qt_text.h"
#include "ui/rules/about_box.h"
#include "ui/rules/text_pattern.h"

namespace tessik {
namespace {

using namespace about_window;

constexpr int kTitleWeight = 700;
const QColor kLinkColour(0, 0, 255);
const QColor kDescriptionColour(155, 155, 155);

}  // namespace

CAboutDlg::CAboutDlg(DesktopServices& desktop, QWidget* parent)
    : Dialog(AboutWindowTemplate(), desktop, parent), fontHost_(*this) {}

int CAboutDlg::RunAboutDialog(FontSettings& fontSettings, const QString& okCaption) {
    fontSettings_ = &fontSettings;
    okCaption_ = okCaption;
    return run();
}

QWidget* CAboutDlg::createControl(const ControlTemplate& row, QWidget* parent) {
    if (row.kind != ControlKind::kEdit) return nullptr;
    return new CClickEdit(desktop(), parent);
}

void CAboutDlg::setMemberText(int id, const QString& text) {
    switch (static_cast<AboutMemberText>(id)) {
        case AboutMemberText::kVersion:
            versionPattern_ = text;
            break;
        case AboutMemberText::kWebSite:
            webSiteName_ = text;
            break;
        case AboutMemberText::kMail:
            mailName_ = text;
            break;
    }
}

void CAboutDlg::onInitDialog() {
    applyTexts(languageFile_, AboutWindowTables(), *this);
    setControlText(kOkResult, okCaption_);
    applyFonts();
    // After the fonts: a new font lays the window out again, at the template's sizes.
    scalePicture();
    colourControls();
    fillTexts();
}

// The picture has the size of its image at 96 dots per inch and grows with the screen's.
void CAboutDlg::scalePicture() {
    auto* picture = control<QLabel>(kPicture);
    const QSizeF natural = picture->pixmap().deviceIndependentSize();
    const PictureSize size = ScaleForScreen(
        {static_cast<int>(natural.width()), static_cast<int>(natural.height())}, logicalDpiX());
    picture->resize(size.width, size.height);
}

// Every control keeps its own height; the title is the chosen font in bold, at that height
// too, since its label was made for it.
void CAboutDlg::applyFonts() {
    fontSettings_->applyTo(fontHost_, false);
    FontDescription title;
    fontSettings_->copyChosenFontTo(title);
    title.weight = kTitleWeight;
    title.height = 0;  // the label's own
    QWidget* titleLabel = control(kTitleLabel);
    titleLabel->setFont(ToQFont(title, titleLabel->font()));
}

void CAboutDlg::colourControls() {
    const auto colour = [](QWidget& widget, QPalette::ColorRole role, const QColor& value) {
        QPalette palette = widget.palette();
        palette.setColor(role, value);
        widget.setPalette(palette);
    };
    for (CClickEdit* field : findChildren<CClickEdit*>()) {
        colour(*field, QPalette::Text, kLinkColour);
        colour(*field, QPalette::Base, Qt::white);
    }
    colour(*control(kDescriptionLabel), QPalette::WindowText, kDescriptionColour);
}

void CAboutDlg::fillTexts() {
    setControlText(kTitleLabel, ToQString(kProductName));
    setControlText(kVersionLabel, ToQString(FillIn(versionPattern_.toStdU16String(), {kVersion})));

    const auto showLink = [this](int id, const LinkText& link) {
        auto* field = control<CClickEdit>(id);
        field->setText(ToQString(link.text));
        field->setCursorPosition(0);
        field->SetLink(ToQString(link.link));
    };
    for (std::size_t row = 0; row < CreditRows().size(); ++row) {
        const CreditRow& credit = CreditRows()[row];
        const int labelId = kCreditLabels[row];
        showLink(kCreditFields[row], credit.credit);
        // A row for a language we do not ship stays out of sight and out of the tab order.
        if (credit.credit.text.empty()) {
            control(kCreditFields[row])->hide();
            if (labelId != kNoLabel) control(labelId)->hide();
        }
    }
    showLink(kWebSiteField, kWebSite);
    showLink(kMailField, kMailAddress);
    // The two address fields have no label before them.
    control(kWebSiteField)->setAccessibleName(webSiteName_);
    control(kMailField)->setAccessibleName(mailName_);
}

}  // namespace tessik
