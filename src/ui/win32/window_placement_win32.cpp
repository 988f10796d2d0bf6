#include "ui/win32/window_placement_win32.h"

namespace tessik {
namespace {

WindowRect RectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

WindowPlacement PlacementOf(HWND window) {
    WindowPlacement placement;
    placement.state = IsIconic(window)   ? WindowState::kMinimised
                      : IsZoomed(window) ? WindowState::kMaximised
                                         : WindowState::kNormal;
    RECT outer{};
    GetWindowRect(window, &outer);
    placement.rect = RectOf(outer);
    // The normal place comes in work-area coordinates, which are the screen's less the taskbar
    // above or to the left of it.
    WINDOWPLACEMENT normal{};
    normal.length = sizeof normal;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (placement.state != WindowState::kNormal && GetWindowPlacement(window, &normal) &&
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        OffsetRect(&normal.rcNormalPosition, monitor.rcWork.left - monitor.rcMonitor.left,
                   monitor.rcWork.top - monitor.rcMonitor.top);
        placement.restoredRect = RectOf(normal.rcNormalPosition);
    } else {
        placement.restoredRect = placement.rect;
    }
    return placement;
}

void PlaceWindow(HWND window, const StoredPosition& position) {
    switch (position.action) {
        case StoredPositionAction::kKeep:
            break;
        case StoredPositionAction::kMaximise:
            ShowWindow(window, SW_MAXIMIZE);
            break;
        case StoredPositionAction::kMove: {
            const RECT wanted{position.rect.left, position.rect.top, position.rect.right,
                              position.rect.bottom};
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            WindowRect area{};
            if (GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
                area = RectOf(monitor.rcWork);
            }
            const WindowRect rect = FitIntoArea(position.rect, area);
            SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
    }
}

}  // namespace tessik
