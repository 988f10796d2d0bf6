#include <QApplication>

#include "ui/qt/keyboard_style.h"
#include "ui/qt/qt_desktop_services.h"
#include "ui/qt/tessik_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setStyle(new tessik::KeyboardStyle);  // the application owns it
    QApplication::setApplicationName(QStringLiteral("Tessik"));
    // The desktop entry's name, by which Wayland docks join the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tessik"));
    tessik::QtDesktopServices desktop;
    tessik::CTessikApp tessik(desktop);
    tessik.InitInstance(argc, argv);
    return 0;
}
