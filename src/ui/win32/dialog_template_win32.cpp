#include "ui/win32/dialog_template_win32.h"

#include <commctrl.h>

#include "platform/text_conversion.h"

namespace tessik {
namespace {

// The shell's dialog font at 8 points: the font dialog units are defined by on Windows.
constexpr WORD kFontPoints = 8;
constexpr char16_t kFontFace[] = u"MS Shell Dlg";

class TemplateWriter {
  public:
    void word(WORD value) { words_.push_back(value); }
    void doubleWord(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void text(std::u16string_view value) {
        words_.insert(words_.end(), value.begin(), value.end());
        word(0);
    }
    void alignToDoubleWord() {
        if (words_.size() % 2 != 0) word(0);
    }
    std::vector<WORD> take() { return std::move(words_); }

  private:
    std::vector<WORD> words_;
};

DWORD DialogStyle(const DialogTemplate& dialog) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_SHELLFONT | DS_CENTER;
    if (dialog.resizable) style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    return style;
}

DWORD LabelStyle(unsigned style) {
    DWORD label = (style & kCentreText) != 0 ? SS_CENTER : SS_LEFT;
    if ((style & kCentreVertically) != 0) label |= SS_CENTERIMAGE;
    // A path or a count is shown as it is, cut at its end when the window is narrow.
    if ((style & kFlexibleText) != 0) label |= SS_NOPREFIX | SS_ENDELLIPSIS;
    return label;
}

DWORD EditStyle(unsigned style) {
    DWORD edit = WS_TABSTOP;
    if ((style & kBorder) != 0) edit |= WS_BORDER;
    if ((style & kReadOnly) != 0) edit |= ES_READONLY;
    return edit;
}

Win32ControlClass KindClass(const ControlTemplate& row) {
    switch (row.kind) {
        case ControlKind::kLabel:
            return {u"Static", LabelStyle(row.style), 0};
        case ControlKind::kEdit:
            return {u"Edit", EditStyle(row.style) | ES_AUTOHSCROLL, 0};
        case ControlKind::kMultiLineEdit:
            return {u"Edit",
                    EditStyle(row.style) | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL |
                        ((row.style & kVerticalScrollBar) != 0 ? WS_VSCROLL : 0u),
                    0};
        case ControlKind::kPushButton:
            return {u"Button", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::kDefaultPushButton:
            return {u"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::kCheckBox:
            return {u"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ControlKind::kDropDownList:
            return {u"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::kPanel:
            // Behind the controls on it, never painting over them.
            return {u"Static", SS_WHITERECT | SS_SUNKEN | WS_CLIPSIBLINGS, 0};
        case ControlKind::kIcon:
            return {u"Static", SS_ICON | SS_REALSIZEIMAGE, 0};
        case ControlKind::kPicture:
            return {u"Static", SS_BITMAP | SS_REALSIZEIMAGE, 0};
        case ControlKind::kProgressBar:
            return {u"msctls_progress32", PBS_SMOOTH, 0};
        case ControlKind::kTable:
            return {u"SysListView32",
                    LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP, 0};
    }
    return {u"Static", SS_LEFT, 0};
}

bool TextIsShown(ControlKind kind) {
    return kind != ControlKind::kIcon && kind != ControlKind::kPicture &&
           kind != ControlKind::kPanel && kind != ControlKind::kProgressBar &&
           kind != ControlKind::kTable && kind != ControlKind::kDropDownList;
}

}  // namespace

Win32ControlClass ControlClassOf(const ControlTemplate& row) {
    Win32ControlClass control = KindClass(row);
    control.style |= WS_CHILD;
    if ((row.style & kHidden) == 0) control.style |= WS_VISIBLE;
    return control;
}

std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialog) {
    TemplateWriter out;
    out.word(1);        // version
    out.word(0xFFFF);   // an extended template
    out.doubleWord(0);  // help id
    out.doubleWord(dialog.resizable ? WS_EX_APPWINDOW : 0);
    out.doubleWord(DialogStyle(dialog));
    out.word(static_cast<WORD>(dialog.controls.size()));
    out.word(0);
    out.word(0);
    out.word(static_cast<WORD>(dialog.width));
    out.word(static_cast<WORD>(dialog.height));
    out.word(0);  // the menu is built from the template's menu rows once the window exists
    out.word(0);  // the standard dialog class
    out.text(FromUtf8(dialog.caption != nullptr ? dialog.caption : ""));
    out.word(kFontPoints);
    out.word(FW_NORMAL);
    out.word(MAKEWORD(FALSE, DEFAULT_CHARSET));
    out.text(kFontFace);
    for (const ControlTemplate& row : dialog.controls) {
        const Win32ControlClass control = ControlClassOf(row);
        out.alignToDoubleWord();
        out.doubleWord(0);  // help id
        out.doubleWord(control.extendedStyle);
        out.doubleWord(control.style);
        out.word(static_cast<WORD>(row.x));
        out.word(static_cast<WORD>(row.y));
        out.word(static_cast<WORD>(row.width));
        out.word(static_cast<WORD>(row.height));
        out.doubleWord(static_cast<DWORD>(row.id));
        out.text(control.className);
        out.text(row.text != nullptr && TextIsShown(row.kind) ? FromUtf8(row.text) : u"");
        out.word(0);  // no creation data
    }
    return out.take();
}

}  // namespace tessik
