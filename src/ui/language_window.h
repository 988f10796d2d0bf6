#pragma once
// The language window as data, free of Qt: its control ids and its texts.

#include <span>

#include "settings/translation_tables.h"

namespace tessik {
namespace language_window {

enum ControlId : int {
    kLanguageLabel = 1031,
    kLanguageList = 1032,
};

}  // namespace language_window

// The window's tables in the order they are applied.
std::span<const TranslationTable> LanguageWindowTables();

}  // namespace tessik
