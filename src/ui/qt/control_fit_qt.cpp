#include "ui/qt/control_fit_qt.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "ui/qt/qt_text.h"

namespace tessik {
namespace {

int Characters(const QWidget& control, int count) {
    return count * control.fontMetrics().averageCharWidth();
}

// The width a button or check box needs: its text and whatever its style draws around it.
int ButtonWidth(const QAbstractButton& button, PixelRect place) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.rect = QRect(0, 0, place.width, place.height);
    option.text = button.text();
    const bool checkBox = qobject_cast<const QCheckBox*>(&button) != nullptr;
    if (auto* push = qobject_cast<const QPushButton*>(&button); push && push->autoDefault()) {
        option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    const QRect room = button.style()->subElementRect(
        checkBox ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, &button);
    const int around = place.width - room.width();
    return button.fontMetrics().horizontalAdvance(WithoutAccessKeys(button.text())) +
           std::max(0, around);
}

// The narrowest width at which the text, wrapped at its blanks, still fits the height.
int WrappedWidth(const QFontMetrics& metrics, const QString& text, int width, int height) {
    // A word longer than the width sticks out of it rather than wrapping.
    const auto fits = [&](int w) {
        const QRect needed = metrics.boundingRect(QRect(0, 0, w, 1 << 20), Qt::TextWordWrap, text);
        return needed.width() <= w && needed.height() <= height;
    };
    if (!fits(width)) return width;
    int narrow = 1;
    while (narrow < width) {
        const int middle = narrow + (width - narrow) / 2;
        if (fits(middle)) {
            width = middle;
        } else {
            narrow = middle + 1;
        }
    }
    return width;
}

void FitLabel(const QLabel& label, const ControlTemplate& row, FitControl& fit) {
    const QFontMetrics metrics = label.fontMetrics();
    const QString text = WithoutAccessKeys(label.text());
    fit.across = Give::kLoose;
    fit.least.height = std::min(fit.place.height, metrics.height());
    if ((row.style & kFlexibleText) != 0) {
        fit.across = Give::kFlexible;
        fit.least.width = Characters(label, 8);
    } else if (text.isEmpty()) {
        fit.least.width = 0;
    } else if (!label.wordWrap()) {
        fit.least.width = metrics.horizontalAdvance(text) + 2 * label.margin() + 2;
    } else {
        // As the label wraps it: on as many lines as its place holds, however many that is.
        const int widest = metrics.horizontalAdvance(text) + 2 * label.margin() + 8;
        fit.least.width = WrappedWidth(metrics, text, std::max(widest, fit.place.width),
                                       std::max(fit.place.height, metrics.height()));
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, fit.least.width, 1 << 20), Qt::TextWordWrap, text);
        fit.least.height = std::min(fit.place.height, needed.height());
    }
}

// Its longest entry whole, with the arrow and frame the style draws around it.
int ListWidth(const QComboBox& list) {
    int widest = 0;
    for (int i = 0; i < list.count(); ++i) {
        widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.itemText(i)));
    }
    QStyleOptionComboBox option;
    option.initFrom(&list);
    const QSize contents(widest, list.fontMetrics().height());
    return list.style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, &list).width();
}

}  // namespace

FitControl FitControlOf(const QWidget& control, const ControlTemplate& row, PixelRect place) {
    FitControl fit{place, {place.width, place.height}, Give::kRigid, Give::kRigid};
    const int lineHeight = control.fontMetrics().height();
    switch (row.kind) {
        case ControlKind::kLabel:
            if (auto* label = qobject_cast<const QLabel*>(&control)) FitLabel(*label, row, fit);
            break;
        case ControlKind::kEdit:
            fit.across = Give::kFlexible;
            fit.least = {Characters(control, 8),
                         std::min(place.height, control.sizeHint().height())};
            break;
        case ControlKind::kMultiLineEdit:
            fit.across = fit.down = Give::kFlexible;
            // Two lines, and the rest scrolls.
            fit.least = {Characters(control, 12), std::min(place.height, 2 * lineHeight)};
            break;
        case ControlKind::kTable:
            fit.across = fit.down = Give::kFlexible;
            // Its header and two rows: the rest scrolls.
            fit.least = {Characters(control, 24), std::min(place.height, 3 * lineHeight)};
            break;
        case ControlKind::kPanel:
            fit.across = fit.down = Give::kFlexible;
            fit.least = {0, 0};
            break;
        case ControlKind::kProgressBar:
            fit.across = Give::kFlexible;
            fit.least = {Characters(control, 8), std::min(place.height, lineHeight + 4)};
            break;
        case ControlKind::kPushButton:
        case ControlKind::kDefaultPushButton:
            if (auto* button = qobject_cast<const QAbstractButton*>(&control)) {
                fit.least.width = ButtonWidth(*button, place);
                fit.least.height = std::min(place.height, button->sizeHint().height());
            }
            break;
        case ControlKind::kCheckBox:
            fit.across = Give::kLoose;
            if (auto* box = qobject_cast<const QAbstractButton*>(&control)) {
                fit.least.width = ButtonWidth(*box, place);
                fit.least.height = std::min(place.height, box->sizeHint().height());
            }
            break;
        case ControlKind::kDropDownList:
            if (auto* list = qobject_cast<const QComboBox*>(&control)) {
                fit.least.width = ListWidth(*list);
            }
            break;
        case ControlKind::kIcon:
        case ControlKind::kPicture:
            break;
    }
    return fit;
}

}  // namespace tessik
