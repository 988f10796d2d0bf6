#include <QApplication>

#include "ui/qt_desktop_services.h"
#include "ui/tessik_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessik"));
    tessik::QtDesktopServices desktop;
    tessik::CTessikApp tessik(desktop);
    tessik.InitInstance(argc, argv);
    return 0;
}
