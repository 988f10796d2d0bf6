#include "ui/win32/win32_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <variant>

#include "jobs/background_run.h"
#include "platform/text_conversion.h"
#include "ui/win32/dialog_template_win32.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

// The program's icon in its resources.
constexpr WORD kProgramIcon = 1;

void InitialiseCommonControls() {
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES |
                                                                        ICC_PROGRESS_CLASS |
                                                                        ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialised;
}

void SetMenuText(HMENU menu, UINT item, bool byPosition, const std::u16string& text) {
    std::wstring wide = ToWide(text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = wide.data();
    SetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info);
}

// How often busy work is asked whether it has ended.
constexpr DWORD kBusyPollMilliseconds = 5;

bool IsUserInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

bool IsEditControl(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    return lstrcmpiW(name, L"Edit") == 0;
}

}  // namespace

Win32Dialog::Win32Dialog(const DialogTemplate& dialogTemplate, Win32DesktopServices& desktop)
    : template_(dialogTemplate), desktop_(desktop) {
    InitialiseCommonControls();
}

Win32Dialog::~Win32Dialog() {
    if (window_ != nullptr && !modal_) DestroyWindow(window_);
    if (whiteBrush_ != nullptr) DeleteObject(whiteBrush_);
}

int Win32Dialog::run(HWND owner) {
    builtTemplate_ = BuildDialogTemplate(template_);
    modal_ = true;
    const INT_PTR ended = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(builtTemplate_.data()), owner,
        &Win32Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return ended == -1 ? 0 : static_cast<int>(ended);
}

bool Win32Dialog::create(HWND owner) {
    builtTemplate_ = BuildDialogTemplate(template_);
    modal_ = false;
    return CreateDialogIndirectParamW(
               GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(builtTemplate_.data()),
               owner, &Win32Dialog::DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK Win32Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Win32Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->initialise(window);
        return TRUE;
    }
    auto* dialog = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return dialog == nullptr ? FALSE : dialog->dispatch(message, wParam, lParam);
}

void Win32Dialog::initialise(HWND window) {
    window_ = window;
    font_ = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    whiteBrush_ = CreateSolidBrush(RGB(255, 255, 255));
    measureTheFont();
    const auto icon =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon),
                                      IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (icon != nullptr) {
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    setUpRows(icon);
    buildMenu();
    onInitDialog();
}

// The dialog manager makes the controls in template order, which is their order among the
// window's children.
void Win32Dialog::setUpRows(HICON icon) {
    HWND child = GetWindow(window_, GW_CHILD);
    for (std::size_t i = 0; i < template_.controls.size() && child != nullptr; ++i) {
        rowControls_.push_back(child);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    for (std::size_t i = 0; i < rowControls_.size(); ++i) {
        const ControlTemplate& row = template_.controls[i];
        HWND control = rowControls_[i];
        if (row.kind == ControlKind::kProgressBar) {
            SendMessageW(control, PBM_SETRANGE32, 0, 100);
        } else if (row.kind == ControlKind::kIcon && icon != nullptr) {
            SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        } else if (row.kind == ControlKind::kTable) {
            ListView_SetExtendedListViewStyle(control, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        } else if (row.kind == ControlKind::kPanel) {
            // Drawn behind the controls on it, which take its white.
            SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            for (std::size_t j = 0; j < rowControls_.size(); ++j) {
                const ControlTemplate& other = template_.controls[j];
                if (j != i && other.x >= row.x && other.y >= row.y &&
                    other.x + other.width <= row.x + row.width &&
                    other.y + other.height <= row.y + row.height) {
                    onWhitePanels_.insert(rowControls_[j]);
                }
            }
        }
    }
}

HWND Win32Dialog::rowControl(std::size_t row) const {
    return row < rowControls_.size() ? rowControls_[row] : nullptr;
}

// Items with the same popup text in a row form one drop-down menu.
void Win32Dialog::buildMenu() {
    if (template_.menu.empty()) return;
    menu_ = CreateMenu();
    const char* popupText = nullptr;
    HMENU popup = nullptr;
    for (const MenuItemTemplate& item : template_.menu) {
        if (popup == nullptr || std::string_view(item.popup) != popupText) {
            popup = CreatePopupMenu();
            popupText = item.popup;
            AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                        ToWide(FromUtf8(item.popup)).c_str());
        }
        if (item.command == 0) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item.command),
                        ToWide(FromUtf8(item.text)).c_str());
        }
    }
    SetMenu(window_, menu_);
    keepTemplateClientSize();
}

// Dialog units of the window's font, measured as the dialog manager measures them.
void Win32Dialog::measureTheFont() {
    HDC context = GetDC(window_);
    const HGDIOBJ before = SelectObject(context, font());
    SIZE letters{};
    GetTextExtentPoint32W(context, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &letters);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, before);
    ReleaseDC(window_, context);
    baseUnits_ = {AverageLetterWidth(letters.cx), metrics.tmHeight};
    templatePlaces_.clear();
    for (const ControlTemplate& row : template_.controls) {
        if (row.id != -1) {
            templatePlaces_[row.id] =
                DialogRectToPixels(row.x, row.y, row.width, row.height, baseUnits_);
        }
    }
}

HFONT Win32Dialog::font() const {
    return font_;
}

// The dialog manager keeps the template's font for itself; the window's font is ours to keep.
void Win32Dialog::applyFont(HFONT font) {
    font_ = font;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    measureTheFont();
    for (const auto& [id, place] : templatePlaces_) {
        SetWindowPos(control(id), nullptr, place.x, place.y, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    keepTemplateClientSize();
    onUnitsChanged();
    InvalidateRect(window_, nullptr, TRUE);
}

// The menu bar takes its height from the client area: the window grows by it instead.
void Win32Dialog::keepTemplateClientSize() {
    const SIZE client = templateClientSize();
    RECT outer{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                       menu_ != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Win32Dialog::templateClientSize() const {
    const PixelRect size = DialogRectToPixels(0, 0, template_.width, template_.height, baseUnits_);
    return {size.width, size.height};
}

INT_PTR Win32Dialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (onMessage(message, wParam, lParam, answer)) {
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_CLOSE:
            if (busy_) {
                closePending_ = true;
            } else {
                onCloseRequest();
            }
            return TRUE;
        case WM_SETCURSOR:
            if (!busy_) return FALSE;
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) onClientResized({LOWORD(lParam), HIWORD(lParam)});
            return TRUE;
        case WM_GETMINMAXINFO: {
            const SIZE least = minimumWindowSize();
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, least.cx);
            info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, least.cy);
            return TRUE;
        }
        case WM_TIMER:
            if (const auto timer = timers_.find(wParam); timer != timers_.end()) {
                // The tick may stop its own timer.
                const std::function<void()> tick = timer->second;
                tick();
            }
            return TRUE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<INT_PTR>(
                colourOf(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        default:
            return FALSE;
    }
}

// A white window or panel gives its white to the controls on it, but for a read-only field on a
// white window, which keeps the grey that says it cannot be typed into; null lets the system
// colour the control.
HBRUSH Win32Dialog::colourOf(HDC context, HWND control) {
    const bool white =
        onWhitePanels_.count(control) != 0 ||
        (template_.whiteBackground && (control == window_ || !IsEditControl(control)));
    HBRUSH brush = whiteBrush_;
    if (white) {
        SetBkColor(context, RGB(255, 255, 255));
    } else {
        brush = reinterpret_cast<HBRUSH>(DefWindowProcW(window_, WM_CTLCOLORSTATIC,
                                                        reinterpret_cast<WPARAM>(context),
                                                        reinterpret_cast<LPARAM>(control)));
    }
    if (const std::optional<COLORREF> text = textColourOf(GetDlgCtrlID(control))) {
        SetTextColor(context, *text);
    }
    return brush;
}

void Win32Dialog::command(int id, WORD code, HWND from) {
    if (from != nullptr && code != BN_CLICKED) {
        if (const auto found = notifications_.find({id, code}); found != notifications_.end()) {
            const std::function<void()> handler = found->second;
            handler();
        }
        return;
    }
    // Enter reaches the default button; in a field of its own it presses that field's button.
    const LRESULT defaultId = SendMessageW(window_, DM_GETDEFID, 0, 0);
    const int defaultButton = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : kOkResult;
    if (id == defaultButton) {
        const int focus = GetDlgCtrlID(GetFocus());
        if (const auto field = enterButtons_.find(focus); field != enterButtons_.end()) {
            if (IsWindowEnabled(control(field->second))) runCommand(field->second);
            return;
        }
    }
    runCommand(id);
}

void Win32Dialog::runBusy(const std::function<void()>& work) {
    busy_ = true;
    const HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    BackgroundRun<std::monostate> run;
    if (run.Start([&](auto&) {
            work();
            return RunEnding{};
        })) {
        while (!run.HasEnded()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, kBusyPollMilliseconds, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    // For the loop that waits for it, once the work is done.
                    PostQuitMessage(static_cast<int>(message.wParam));
                    break;
                }
                if (IsUserInput(message.message)) continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        run.Finish();
    } else {
        work();  // no thread to spare: the window waits, but the work is done
    }
    SetCursor(before);
    busy_ = false;
    if (closePending_) {
        closePending_ = false;
        // Delivered once the command that asked for the work has written its result.
        PostMessageW(window_, WM_CLOSE, 0, 0);
    }
}

void Win32Dialog::runCommand(int id) {
    if (const auto found = commands_.find(id); found != commands_.end()) {
        const std::function<void()> handler = found->second;
        handler();
    } else if (id == kOkResult || id == kCancelResult) {
        done(id);
    }
}

void Win32Dialog::done(int result) {
    result_ = result;
    if (modal_) {
        EndDialog(window_, result);
    } else {
        ShowWindow(window_, SW_HIDE);
    }
}

void Win32Dialog::onCommand(int id, std::function<void()> handler) {
    commands_[id] = std::move(handler);
}

void Win32Dialog::onNotification(int id, WORD code, std::function<void()> handler) {
    notifications_[{id, code}] = std::move(handler);
}

void Win32Dialog::onEnter(int fieldId, int buttonId) {
    enterButtons_[fieldId] = buttonId;
}

UINT_PTR Win32Dialog::startTimer(std::chrono::milliseconds interval, std::function<void()> tick) {
    const UINT_PTR id = ++lastTimer_;
    timers_[id] = std::move(tick);
    SetTimer(window_, id, static_cast<UINT>(interval.count()), nullptr);
    return id;
}

void Win32Dialog::stopTimer(UINT_PTR id) {
    KillTimer(window_, id);
    timers_.erase(id);
}

HWND Win32Dialog::control(int id) const {
    return window_ == nullptr ? nullptr : GetDlgItem(window_, id);
}

RECT Win32Dialog::placeOf(int id) const {
    RECT place{};
    HWND item = control(id);
    GetWindowRect(item, &place);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void Win32Dialog::setControlText(int id, const std::u16string& text) {
    SetWindowTextTo(control(id), text);
}

std::u16string Win32Dialog::controlText(int id) const {
    return WindowText(control(id));
}

void Win32Dialog::setToolTip(int id, const std::u16string& text) {
    if (toolTips_ == nullptr) {
        toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        // Long tips wrap rather than run off the screen.
        SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    toolTipTexts_[id] = text;
    std::wstring wide = ToWide(toolTipTexts_[id]);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control(id));
    tool.lpszText = wide.data();
    TTTOOLINFOW known = tool;
    known.lpszText = nullptr;
    const bool added =
        SendMessageW(toolTips_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known)) != FALSE;
    SendMessageW(toolTips_, added ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
}

std::u16string Win32Dialog::toolTip(int id) const {
    const auto found = toolTipTexts_.find(id);
    return found == toolTipTexts_.end() ? std::u16string() : found->second;
}

bool Win32Dialog::isChecked(int id) const {
    return IsDlgButtonChecked(window_, id) == BST_CHECKED;
}

void Win32Dialog::setChecked(int id, bool checked) {
    CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

int Win32Dialog::selectedEntry(int id) const {
    return static_cast<int>(SendMessageW(control(id), CB_GETCURSEL, 0, 0));
}

void Win32Dialog::selectEntry(int id, int entry) {
    SendMessageW(control(id), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

void Win32Dialog::setText(const TextTarget& target, const std::u16string& text) {
    switch (target.kind) {
        case TextTargetKind::kWindowTitle:
            SetWindowTextTo(window_, text);
            break;
        case TextTargetKind::kControl:
            setControlText(target.id, text);
            break;
        case TextTargetKind::kMenuPosition:
        case TextTargetKind::kMenuCommand:
            if (menu_ == nullptr) break;
            SetMenuText(menu_, static_cast<UINT>(target.id),
                        target.kind == TextTargetKind::kMenuPosition, text);
            DrawMenuBar(window_);
            break;
        case TextTargetKind::kMember:
            setMemberText(target.id, text);
            break;
        case TextTargetKind::kToolTip:
            setToolTip(target.id, text);
            break;
        case TextTargetKind::kProgress:
            progressTexts_.Set(static_cast<ProgressText>(target.id), text);
            break;
    }
}

}  // namespace tessik
