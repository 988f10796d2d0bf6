#include "ui/about_dlg.h"

#include <QLabel>
#include <QPixmap>
#include <array>

#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "ui/about_box.h"
#include "ui/click_edit.h"
#include "ui/qt_font.h"
#include "ui/qt_text.h"
#include "ui/text_pattern.h"

namespace tessik {
namespace {

using namespace about_window;

// Every edit row of the window is a link field.
constexpr ControlTemplate LinkField(int id, int x, int y, int width) {
    return {id, ControlKind::kEdit, nullptr, x, y, width, 12, kReadOnly};
}
constexpr ControlTemplate CreditLabel(int id, int y) {
    return {id, ControlKind::kLabel, nullptr, 130, y, 70, 10, kNoStyle};
}
constexpr ControlTemplate CreditField(int id, int y) {
    return LinkField(id, 204, y, 195);
}
constexpr ControlTemplate InfoLabel(int id, int y, int height) {
    return {id, ControlKind::kLabel, nullptr, 130, y, 270, height, kNoStyle};
}

constexpr std::array kControls = {
    ControlTemplate{kOkResult, ControlKind::kDefaultPushButton, "OK", 172, 203, 65, 16,
                    kCentreText},
    ControlTemplate{-1, ControlKind::kPanel, nullptr, 0, 0, 410, 198, kNoStyle},
    ControlTemplate{-1, ControlKind::kIcon, nullptr, 5, 5, 20, 20, kNoStyle},
    ControlTemplate{kPicture, ControlKind::kPicture, ":/tessik/about@2x.png", 5, 31, 107, 61,
                    kNoStyle},
    InfoLabel(kTitleLabel, 5, 10),
    InfoLabel(kVersionLabel, 20, 10),
    InfoLabel(kLegalLabel, 30, 10),
    InfoLabel(kDescriptionLabel, 40, 20),
    CreditLabel(1020, 65),
    CreditField(1023, 65),
    CreditLabel(1025, 78),
    CreditField(1026, 78),
    CreditLabel(1027, 91),
    CreditField(1028, 91),
    CreditLabel(1029, 104),
    CreditField(1030, 104),
    CreditLabel(1034, 117),
    CreditField(1035, 117),
    CreditLabel(1036, 130),
    CreditField(1037, 130),
    CreditField(1055, 143),
    CreditLabel(1051, 156),
    CreditField(1052, 156),
    CreditLabel(1053, 169),
    CreditField(1054, 169),
    CreditLabel(1059, 182),
    CreditField(1060, 182),
    LinkField(kWebSiteField, 3, 100, 125),
    LinkField(kMailField, 3, 115, 125),
};

static_assert(std::size(kCreditLabels) == kCreditRowCount &&
              std::size(kCreditFields) == kCreditRowCount);

constexpr DialogTemplate kTemplate{"Info", 410, 223, false, false, kControls, {}};

constexpr int kTitleWeight = 700;
const QColor kLinkColour(0, 0, 255);
const QColor kDescriptionColour(155, 155, 155);

}  // namespace

CAboutDlg::CAboutDlg(DesktopServices& desktop, QWidget* parent)
    : Dialog(kTemplate, desktop, parent), fontHost_(*this) {}

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
