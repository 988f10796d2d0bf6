#include "ui/qt/window_placement.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

namespace tessik {
namespace {

WindowRect RectOf(const QRect& r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

}  // namespace

WindowPlacement PlacementOf(const QWidget& window) {
    WindowPlacement placement;
    placement.state = window.isMinimized()   ? WindowState::kMinimised
                      : window.isMaximized() ? WindowState::kMaximised
                                             : WindowState::kNormal;
    placement.rect = RectOf(window.geometry());
    const QRect normal = window.normalGeometry();
    placement.restoredRect = RectOf(normal.isValid() ? normal : window.geometry());
    return placement;
}

void PlaceWindow(QWidget& window, const StoredPosition& position) {
    switch (position.action) {
        case StoredPositionAction::kKeep:
            break;
        case StoredPositionAction::kMaximise:
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
            break;
        case StoredPositionAction::kMove: {
            const QScreen* screen = window.screen();
            const WindowRect area =
                screen != nullptr ? RectOf(screen->availableGeometry()) : WindowRect{};
            const WindowRect rect = FitIntoArea(position.rect, area);
            window.setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
            break;
        }
    }
}

}  // namespace tessik
