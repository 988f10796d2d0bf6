#pragma once
// The "All algorithms" window as data, free of Qt: its template, control ids and texts.

#include <span>

#include "settings/translation_tables.h"
#include "ui/rules/dialog_template.h"

namespace tessik {
namespace all_algorithms_window {

enum ControlId : int {
    kFileLabel = 1080,
    kFileField = 1081,
    kBrowseButton = 1082,
    kExpectedLabel = 1083,
    kExpectedField = 1084,
    kTable = 1085,
    kMatchLabel = 1086,
    kProgressBar = 1087,
    kHashButton = 1088,
    kCancelButton = 1089,
    kCopyButton = 1090,
    kCopyAllButton = 1091,
};

}  // namespace all_algorithms_window

// The window's texts kept for later use.
enum class AllAlgorithmsMemberText {
    kColumnAlgorithm,
    kColumnHash,
    kMatch,    // %1: the algorithms whose digest is the expected value
    kNoMatch,  // none of those ticked gives it
    kTableName,
};
inline constexpr int kAllAlgorithmsMemberTextCount =
    static_cast<int>(AllAlgorithmsMemberText::kTableName) + 1;

// The window's tables in the order they are applied.
std::span<const TranslationTable> AllAlgorithmsWindowTables();

// The window as its back ends build it.
const DialogTemplate& AllAlgorithmsWindowTemplate();

}  // namespace tessik
