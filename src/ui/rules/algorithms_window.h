#pragma once
// The window that asks which algorithms the folder window hashes at once, as data, free
// of Qt: its template, control ids and texts.

#include <span>

#include "settings/translation_tables.h"
#include "ui/rules/dialog_template.h"

namespace tessik {
namespace algorithms_window {

enum ControlId : int {
    kPromptLabel = 1095,
    kTable = 1096,
};

}  // namespace algorithms_window

enum class AlgorithmsMemberText { kColumnAlgorithm, kTableName };
inline constexpr int kAlgorithmsMemberTextCount =
    static_cast<int>(AlgorithmsMemberText::kTableName) + 1;

// The window's tables in the order they are applied.
std::span<const TranslationTable> AlgorithmsWindowTables();

// The window as its back ends build it.
const DialogTemplate& AlgorithmsWindowTemplate();

}  // namespace tessik
