#pragma once
// The language window as data, free of Qt: its template, control ids and texts.

#include <span>

#include "settings/translation_tables.h"
#include "ui/rules/dialog_template.h"

namespace tessik {
namespace language_window {

enum ControlId : int {
    kLanguageLabel = 1031,
    kLanguageList = 1032,
};

}  // namespace language_window

// The window's tables in the order they are applied.
std::span<const TranslationTable> LanguageWindowTables();

// The window as its back ends build it.
const DialogTemplate& LanguageWindowTemplate();

}  // namespace tessik
