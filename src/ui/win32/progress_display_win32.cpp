#include "ui/win32/progress_display_win32.h"

#include <commctrl.h>

#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

constexpr UINT_PTR kFiguresSubclass = 1;

// The bar draws itself, then its window text centred on it.
LRESULT CALLBACK BarWithFigures(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    if (message != WM_PAINT) return DefSubclassProc(bar, message, wParam, lParam);
    const LRESULT painted = DefSubclassProc(bar, message, wParam, lParam);
    const std::u16string figures = WindowText(bar);
    if (!figures.empty()) {
        HDC context = GetDC(bar);
        const HGDIOBJ before = SelectObject(
            context, reinterpret_cast<HFONT>(SendMessageW(GetParent(bar), WM_GETFONT, 0, 0)));
        SetBkMode(context, TRANSPARENT);
        SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
        RECT area{};
        GetClientRect(bar, &area);
        const std::wstring text = ToWide(figures);
        DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &area,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(context, before);
        ReleaseDC(bar, context);
    }
    return painted;
}

}  // namespace

Win32ProgressDisplay::Win32ProgressDisplay(Win32Dialog& window, int barId, int itemLineId,
                                           Shown shown)
    : window_(window), barId_(barId), itemLineId_(itemLineId), shown_(std::move(shown)) {
    SetWindowSubclass(window_.control(barId_), &BarWithFigures, kFiguresSubclass, 0);
}

Win32ProgressDisplay::~Win32ProgressDisplay() {
    if (timer_ != 0) window_.stopTimer(timer_);
    if (HWND bar = window_.control(barId_)) {
        RemoveWindowSubclass(bar, &BarWithFigures, kFiguresSubclass);
    }
}

void Win32ProgressDisplay::start(Sampler sampler) {
    stop();
    sampler_ = std::move(sampler);
    started_ = std::chrono::steady_clock::now();
    timer_ = window_.startTimer(kProgressShowsAfter, [this] { show(); });
}

void Win32ProgressDisplay::stop() {
    if (timer_ != 0) window_.stopTimer(timer_);
    timer_ = 0;
    showing_ = false;
    ShowWindow(window_.control(barId_), SW_HIDE);
    if (itemLineId_ != 0) ShowWindow(window_.control(itemLineId_), SW_HIDE);
}

void Win32ProgressDisplay::show() {
    window_.stopTimer(timer_);
    showing_ = true;
    refresh();
    ShowWindow(window_.control(barId_), SW_SHOW);
    if (itemLineId_ != 0) ShowWindow(window_.control(itemLineId_), SW_SHOW);
    timer_ = window_.startTimer(kProgressRefreshInterval, [this] { refresh(); });
    if (shown_) shown_();
}

void Win32ProgressDisplay::refresh() {
    const View view = sampler_(elapsedSeconds());
    HWND bar = window_.control(barId_);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(view.percent), 0);
    SetWindowTextTo(bar, view.figures);
    InvalidateRect(bar, nullptr, FALSE);
    if (itemLineId_ != 0) window_.setControlText(itemLineId_, view.item);
}

double Win32ProgressDisplay::elapsedSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

}  // namespace tessik
