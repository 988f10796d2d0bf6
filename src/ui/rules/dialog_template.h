#pragma once
// A window described as data, the way a resource script describes it: the window's size and
// caption in dialog units and one row per control in tab order. Dialog builds the widgets.

#include <span>

namespace tessik {

// The modal results, which are also the ids of the OK and Cancel buttons.
inline constexpr int kOkResult = 1;
inline constexpr int kCancelResult = 2;

enum class ControlKind {
    kLabel,
    kEdit,           // single line
    kMultiLineEdit,  // Enter inserts a line break
    kPushButton,
    kDefaultPushButton,  // runs on Enter wherever the focus is not on another button
    kCheckBox,
    kDropDownList,  // a list to choose from, no typing; its height is that of the open list
    kPanel,         // a white rectangle with a sunken edge, drawn behind other controls
    kIcon,          // the application icon
    kPicture,       // an image; its text is the image's resource path
    kProgressBar,   // 0 to 100, with the window's progress text on it
    kTable,         // rows and columns, whole rows selected; the window gives it its model
};

// Style flags of a control.
enum ControlStyle : unsigned {
    kNoStyle = 0,
    kBorder = 1u << 0,             // edit fields: a frame
    kVerticalScrollBar = 1u << 1,  // multi-line edit: always shows its scroll bar
    kReadOnly = 1u << 2,
    kCentreVertically = 1u << 3,  // labels: one line, centred in the height
    kCentreText = 1u << 4,        // labels and buttons: centred horizontally
    kHidden = 1u << 5,
    // Labels: what the window writes there while it works (a path, counts); it may be cut short
    // when the window is narrow, so it never makes the window wider.
    kFlexibleText = 1u << 6,
};

struct ControlTemplate {
    int id;  // -1 for controls nothing refers to
    ControlKind kind;
    const char* text;  // UTF-8
    int x, y, width, height;
    unsigned style;
};

// One item of a menu bar, listed in order. Items with the same popup text in a row form one
// drop-down menu; command 0 is a separator.
struct MenuItemTemplate {
    const char* popup;
    const char* text;
    int command;
};

struct DialogTemplate {
    const char* caption;  // UTF-8
    int width, height;    // client area, dialog units
    bool resizable;       // a sizing frame with minimise and maximise boxes
    bool whiteBackground;
    std::span<const ControlTemplate> controls;  // in tab order
    std::span<const MenuItemTemplate> menu;     // empty: no menu bar
};

}  // namespace tessik
