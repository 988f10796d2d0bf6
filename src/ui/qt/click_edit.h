#pragma once
// A read-only field without a frame that stands for a link: with a link, the mouse shows the
// hand over it and a double click with the left button opens the link on the desktop.

#include <QCursor>
#include <QLineEdit>
#include <QString>

namespace tessik {

class DesktopServices;

class CClickEdit : public QLineEdit {
    Q_OBJECT
  public:
    CClickEdit(DesktopServices& desktop, QWidget* parent);

    // An empty link makes the field a plain text again.
    void SetLink(const QString& link);
    const QString& link() const { return link_; }

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    DesktopServices& desktop_;
    QString link_;
    QCursor fieldCursor_;
};

}  // namespace tessik
