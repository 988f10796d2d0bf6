#pragma once
// The options window as data, free of Qt: its template, control ids and texts.

#include <span>

#include "settings/translation_tables.h"
#include "ui/rules/dialog_template.h"

namespace tessik {
namespace options_window {

enum ControlId : int {
    kFontLabel = 1051,
    kFontButton = 1052,
    kFontResetButton = 1053,
    kSeparatorLabel = 1056,
    kSeparatorField = 1057,
    kSeparatorResetButton = 1058,
    kLineEndsLabel = 1059,
    kLineEndsList = 1060,
    kLookForListsBox = 1064,
};

}  // namespace options_window

// The line-end choices' names, and why a separator is refused.
enum class OptionsMemberText {
    kCrLf,
    kLf,
    kSeparatorMarkup,
    kSeparatorLineBreak,
    kSeparatorTooLong
};

// The window's tables in the order they are applied.
std::span<const TranslationTable> OptionsWindowTables();

// The window as its back ends build it.
const DialogTemplate& OptionsWindowTemplate();

}  // namespace tessik
