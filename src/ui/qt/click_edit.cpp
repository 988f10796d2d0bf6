#include "ui/qt/click_edit.h"

#include <QMouseEvent>

#include "ui/qt/desktop_services.h"

namespace tessik {

CClickEdit::CClickEdit(DesktopServices& desktop, QWidget* parent)
    : QLineEdit(parent), desktop_(desktop) {
    setReadOnly(true);
    setFrame(false);
    // Level with the label before it, as a text rather than a field.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fieldCursor_ = cursor();
}

void CClickEdit::SetLink(const QString& link) {
    link_ = link;
    setCursor(link_.isEmpty() ? fieldCursor_ : QCursor(Qt::PointingHandCursor));
}

void CClickEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !link_.isEmpty()) desktop_.openAddress(link_);
    QLineEdit::mouseDoubleClickEvent(event);
}

}  // namespace tessik
