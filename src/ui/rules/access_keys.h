#pragma once
// Access keys: a single '&' in the text of a control or a menu marks the letter that Alt reaches
// it by, and "&&" stands for an ampersand. A language file may leave them out; its texts are then
// reached by Tab and the menus by F10.

#include <string>
#include <string_view>

#include "ui/rules/dialog_template.h"

namespace tessik {

// The text as it is shown, without its marks.
std::u16string WithoutAccessKeys(std::u16string_view text);

// The marked letter in lower case, or 0 where the text marks none.
char16_t AccessKeyOf(std::u16string_view text);

// Controls the user types into or picks from.
bool IsField(ControlKind kind);

// A label just before a field, or a label with a text of its own just before a button, names it
// in the template, and its access key moves there.
bool NamesTheNext(const ControlTemplate& label, const ControlTemplate& next);

}  // namespace tessik
