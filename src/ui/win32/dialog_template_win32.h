#pragma once
// Our window templates as Windows' in-memory extended dialog templates: the sizes are dialog
// units already, so they are written as they are, with the dialog font that those units are
// measured in. Each control kind becomes one of Windows' own control classes.

#include <windows.h>

#include <string>
#include <vector>

#include "ui/rules/dialog_template.h"

namespace tessik {

struct Win32ControlClass {
    std::u16string className;
    DWORD style;
    DWORD extendedStyle;
};

// The class and styles a template row is built with.
Win32ControlClass ControlClassOf(const ControlTemplate& row);

// The DLGTEMPLATEEX with one DLGITEMTEMPLATEEX per row, in words; the vector's storage is aligned
// for the double words inside.
std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialog);

}  // namespace tessik
