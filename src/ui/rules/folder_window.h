#pragma once
// The folder window as data, free of Qt: its template, control ids and texts.

#include <span>

#include "settings/translation_tables.h"
#include "ui/rules/dialog_template.h"

namespace tessik {
namespace folder_window {

enum ControlId : int {
    kAlgorithmLabel = 1006,
    kAlgorithmList = 1007,
    kFolderLabel = 1038,
    kFolderField = 1039,
    kOutputField = 1041,
    kBrowseButton = 1042,
    kLowercaseBox = 1043,
    kProcessButton = 1044,
    kSubfoldersBox = 1045,
    kStopButton = 1046,
    kNameFilterField = 1047,
    kNameFilterLabel = 1048,
    kExtensionLabel = 1049,
    kExtensionField = 1050,
    kProgressBar = 1062,
    kCurrentFileLabel = 1063,
    kSummaryLabel = 1064,
    kSaveButton = 1065,
};

}  // namespace folder_window

enum class FolderMemberText {
    kSummary,        // %1 files hashed, %2 unreadable, %3 folders not opened, %4 bytes, %5 time
    kStopped,        // put before the summary of a stopped run
    kFolderMissing,  // the path follows on a line of its own
    kFolderIsFile,
    kOutputName,  // what assistive tools call the output field
    // The formats "Save results..." offers, those that fit the run.
    kGnuList,
    kBsdList,
    kSfvList,
    kOutputAsShown,
    kNotSaved,           // the path and the cause follow, each on a line of its own
    kLeftOut,            // %1: how many files could not be read, which have no line in the list
    kSeveralAlgorithms,  // the algorithm list's last entry
    kNotShown,           // %1: files hashed after the one Stop cut short, which have no line
    kNotOpened,          // %1: the folders that could not be opened, with their causes
    kSaved,              // the status line after a save: %1 the file written
};
inline constexpr int kFolderMemberTextCount = static_cast<int>(FolderMemberText::kSaved) + 1;

// The window's tables in the order they are applied.
std::span<const TranslationTable> FolderWindowTables();

// The window as its back ends build it.
const DialogTemplate& FolderWindowTemplate();

}  // namespace tessik
