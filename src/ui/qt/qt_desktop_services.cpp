#include "ui/qt/qt_desktop_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>
#include <algorithm>

#include "ui/qt/qt_font.h"
#include "ui/rules/file_filter.h"

namespace tessik {

std::optional<QString> QtDesktopServices::chooseFileToOpen(QWidget* owner, const QString& filter,
                                                           const QString& title,
                                                           const QString& folder,
                                                           const QString& name) {
    const QString qtFilter = QString::fromStdU16String(ToQtFileFilter(filter.toStdU16String()));
    // A name after the folder is filled in as the file's name.
    const QString start = name.isEmpty() ? folder : QDir(folder).filePath(name);
    // The descriptions already name their patterns; Qt would repeat them.
    const QString path = QFileDialog::getOpenFileName(owner, title, start, qtFilter, nullptr,
                                                      QFileDialog::HideNameFilterDetails);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<DesktopServices::SaveChoice> QtDesktopServices::chooseFileToSave(
    QWidget* owner, const QString& suggestedPath, const QString& filter) {
    const QString qtFilter = QString::fromStdU16String(ToQtFileFilter(filter.toStdU16String()));
    QString chosenFilter;
    const QString path =
        QFileDialog::getSaveFileName(owner, QString(), suggestedPath, qtFilter, &chosenFilter,
                                     QFileDialog::HideNameFilterDetails);
    if (path.isEmpty()) return std::nullopt;
    return SaveChoice{path, std::max(0, QtFilterEntryIndex(qtFilter.toStdU16String(),
                                                           chosenFilter.toStdU16String()))};
}

std::optional<QString> QtDesktopServices::chooseFolder(QWidget* owner,
                                                       const QString& initialFolder) {
    const QString path = QFileDialog::getExistingDirectory(owner, QString(), initialFolder);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<FontDescription> QtDesktopServices::chooseFont(QWidget* owner,
                                                             const FontDescription& initial) {
    bool picked = false;
    const QFont font = QFontDialog::getFont(&picked, ToQFont(initial, QApplication::font()), owner);
    if (!picked) return std::nullopt;
    return FromQFont(font);
}

void QtDesktopServices::showMessage(QWidget* owner, const QString& text, const QString& caption,
                                    MessageIcon icon) {
    QMessageBox box(
        icon == MessageIcon::kInformation ? QMessageBox::Information : QMessageBox::Warning,
        caption, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDesktopServices::askYesNo(QWidget* owner, const QString& question) {
    QMessageBox box(QMessageBox::Question, QString(), question, QMessageBox::Yes | QMessageBox::No,
                    owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtDesktopServices::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString QtDesktopServices::clipboardText() const {
    return QGuiApplication::clipboard()->text();
}

bool QtDesktopServices::openDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtDesktopServices::openAddress(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address));
}

}  // namespace tessik
