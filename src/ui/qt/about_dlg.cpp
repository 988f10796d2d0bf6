#include "ui/qt/about_dlg.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <algorithm>
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
// Grey, at a contrast of 4.95 : 1 with the white behind it, which reads well.
const QColor kDescriptionColour(112, 112, 112);

// The font as it is where it is already at the smallest size the window takes.
QFont OnePointSmaller(QFont font) {
    constexpr double kSmallestPoints = 6;
    constexpr int kSmallestPixels = 8;
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(kSmallestPixels, font.pixelSize() - 1));
    } else {
        font.setPointSizeF(std::max(kSmallestPoints, font.pointSizeF() - 1));
    }
    return font;
}

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
    fillTexts();
    colourControls();
    // With every text in place: the font is chosen by the room they take.
    applyFonts();
    // After the fonts: a new font lays the window out again, at the template's sizes.
    scalePicture();
}

// The picture has the size of its image at 96 dots per inch and grows with the screen's.
void CAboutDlg::scalePicture() {
    auto* picture = control<QLabel>(kPicture);
    const QSizeF natural = picture->pixmap().deviceIndependentSize();
    const PictureSize size = ScaleForScreen(
        {static_cast<int>(natural.width()), static_cast<int>(natural.height())}, logicalDpiX());
    picture->resize(size.width, size.height);
}

// The window follows the chosen font as every window does; the title is that font in bold. At
// the largest sizes the credits' rows are taller than a small screen: the window then takes the
// largest size at which it shows every text whole, as none of its fields should scroll.
void CAboutDlg::applyFonts() {
    fontSettings_->applyTo(fontHost_, true);
    const QSize room = roomOnTheScreen();
    for (QFont shown = font();; shown = OnePointSmaller(shown)) {
        fontHost_.applyFont(FromQFont(shown));
        QFont title = shown;
        title.setWeight(static_cast<QFont::Weight>(kTitleWeight));
        control(kTitleLabel)->setFont(title);
        layOutInUnitsOfTheFont();
        const PixelSize whole = clientSizes().natural;
        if (OnePointSmaller(shown) == shown ||
            (whole.width <= room.width() && whole.height <= room.height())) {
            return;
        }
    }
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
