#pragma once
// The dialog framework's Win32 back end: a window is built by Windows' dialog manager from our
// template (dialog units as they are), its menu from the template's menu rows, controls are found
// by id, buttons and menu items run the handler bound to their id, and the window ends with a
// modal result, 1 for OK and 2 for cancel. Escape runs command 2, and so does the close box
// unless the window says otherwise. Translated texts reach the title, controls, menu and the
// texts the window keeps.

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/language_catalogue.h"
#include "ui/rules/dialog_template.h"
#include "ui/rules/dialog_units.h"
#include "ui/rules/progress_text.h"
#include "ui/win32/win32_desktop_services.h"

namespace tessik {

class Win32Dialog : public TextSink {
  public:
    Win32Dialog(const DialogTemplate& dialogTemplate, Win32DesktopServices& desktop);
    ~Win32Dialog() override;
    Win32Dialog(const Win32Dialog&) = delete;
    Win32Dialog& operator=(const Win32Dialog&) = delete;

    // Builds the window and shows it modally; returns the modal result.
    int run(HWND owner = nullptr);
    // Builds the window without a modal loop of its own, hidden until shown: for tests, which
    // drive it through its messages. False when it could not be built.
    bool create(HWND owner = nullptr);
    // The modal result once the window ended; 0 before.
    int result() const { return result_; }

    HWND handle() const { return window_; }
    HWND control(int id) const;
    void setControlText(int id, const std::u16string& text);
    // The tip shown when the pointer rests on the control.
    void setToolTip(int id, const std::u16string& text);
    std::u16string toolTip(int id) const;
    std::u16string controlText(int id) const;
    bool isChecked(int id) const;
    void setChecked(int id, bool checked);
    // The selected entry of a drop-down list; -1 when none.
    int selectedEntry(int id) const;
    void selectEntry(int id, int entry);

    const ProgressTexts& progressTexts() const { return progressTexts_; }
    const DialogBaseUnits& baseUnits() const { return baseUnits_; }

    // Gives the window and every control the font, then puts the controls back at their
    // template places in units of that font and sizes the window to hold them.
    void applyFont(HFONT font);
    HFONT font() const;

    // Calls `tick` on the window's thread at the interval until stopTimer() with the id returned.
    UINT_PTR startTimer(std::chrono::milliseconds interval, std::function<void()> tick);
    void stopTimer(UINT_PTR id);

    // Runs the handler bound to the id; without one, 1 ends the window with OK and 2 with
    // cancel.
    void runCommand(int id);
    void done(int result);

    void setText(const TextTarget& target, const std::u16string& text) override;

  protected:
    void onCommand(int id, std::function<void()> handler);
    // A control's notification, as the control's WM_COMMAND code says it.
    void onNotification(int id, WORD code, std::function<void()> handler);
    // Enter in the field presses the button (when it is enabled) instead of the default button.
    void onEnter(int fieldId, int buttonId);
    Win32DesktopServices& desktop() const { return desktop_; }
    HMENU menu() const { return menu_; }
    // The control of a template row, by its position in the template; for rows without an id.
    HWND rowControl(std::size_t row) const;
    // A control's place in the client area, in pixels.
    RECT placeOf(int id) const;
    // The template rows in pixels of the window's font, by control id.
    const std::map<int, PixelRect>& templatePlaces() const { return templatePlaces_; }
    // The client size the template asks for, in pixels.
    SIZE templateClientSize() const;

    // Runs work in a background run and returns once it is done. Meanwhile the window keeps
    // painting and its timers run, it shows a busy cursor, user input to every window is dropped,
    // and a close request waits until the work is done.
    void runBusy(const std::function<void()>& work);

    virtual void onInitDialog() {}
    // The close box, Alt+F4 or the window menu's Close.
    virtual void onCloseRequest() { runCommand(kCancelResult); }
    // The client area has a new size.
    virtual void onClientResized(SIZE) {}
    // Every control is back at its template place in the units of a new font.
    virtual void onUnitsChanged() {}
    // The smallest outer size of a resizable window, in pixels.
    virtual SIZE minimumWindowSize() const { return {0, 0}; }
    // A translated text the window keeps for later use.
    virtual void setMemberText(int, const std::u16string&) {}
    // The colour of a control's text where the window gives it one of its own.
    virtual std::optional<COLORREF> textColourOf(int) const { return std::nullopt; }
    // Messages a window handles beyond the framework's; true when handled.
    virtual bool onMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void initialise(HWND window);
    void buildMenu();
    void setUpRows(HICON icon);
    void measureTheFont();
    void keepTemplateClientSize();
    void command(int id, WORD code, HWND from);
    HBRUSH colourOf(HDC context, HWND control);

    const DialogTemplate& template_;
    Win32DesktopServices& desktop_;
    std::vector<WORD> builtTemplate_;
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    HFONT font_ = nullptr;  // the template's, until one is given
    HBRUSH whiteBrush_ = nullptr;
    HWND toolTips_ = nullptr;  // made with the first tip
    std::map<int, std::u16string> toolTipTexts_;
    bool modal_ = false;
    bool busy_ = false;
    bool closePending_ = false;
    int result_ = 0;
    DialogBaseUnits baseUnits_{};
    std::map<int, PixelRect> templatePlaces_;
    UINT_PTR lastTimer_ = 0;
    std::vector<HWND> rowControls_;  // in template order
    std::set<HWND> onWhitePanels_;   // controls drawn on a white panel
    std::map<int, std::function<void()>> commands_;
    std::map<std::pair<int, WORD>, std::function<void()>> notifications_;
    std::map<int, int> enterButtons_;  // field -> the button Enter presses there
    std::map<UINT_PTR, std::function<void()>> timers_;
    ProgressTexts progressTexts_;
};

}  // namespace tessik
