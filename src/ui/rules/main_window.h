#pragma once
// The main window as data, free of Qt: its control and menu command ids, by which the language
// files, the layout rule and the window refer to its controls, and its texts.

#include <span>

#include "settings/translation_tables.h"
#include "ui/rules/dialog_template.h"

namespace tessik {
namespace main_window {

enum ControlId : int {
    kStringField = 1000,
    kStringLabel = 1001,
    kHashFileButton = 1002,
    kHashStringButton = 1003,
    kResultField = 1004,
    kResultLabel = 1005,
    kAlgorithmLabel = 1006,
    kAlgorithmList = 1007,
    kExpectedField = 1008,
    kExpectedLabel = 1009,
    kCompareButton = 1010,
    kBrowseButton = 1011,
    kCopyButton = 1014,
    kCaseSensitiveBox = 1024,
    kLowercaseBox = 1033,
    kFileNameField = 1047,
    kFileNameLabel = 1048,
    // Shown while a file is hashed, in the places of the hash-file button and the result field.
    kCancelHashButton = 1061,
    kProgressBar = 1062,
    kStatusLabel = 1063,  // says what a command did where no message box is needed
};

enum CommandId : int {
    kExitCommand = 32771,
    kInfoCommand = 32772,
    kLicenseCommand = 32774,
    kChangesCommand = 32775,
    kLanguageCommand = 32776,
    kCheckUpdateCommand = 32777,
    kFolderCommand = 32778,
    kOptionsCommand = 32779,
    kVerifyListCommand = 32780,
    kCompareFileCommand = 32781,
    kAllAlgorithmsCommand = 32782,
};

// The smallest outer size the window can be given, in pixels; a larger font makes it larger.
inline constexpr int kMinimumWidth = 640;
inline constexpr int kMinimumHeight = 380;

}  // namespace main_window

// Texts the main window keeps for later use rather than showing at once.
enum class MainMemberText {
    kAllFiles,       // filter of the file dialog: description|pattern||
    kCompareFailed,  // message when the two digests differ
    kCompareDone,    // message when they are equal
    kBtnOk,          // caption of the About window's OK button
    kCompareNoHash,  // Compare with an empty result field
    kOpenFailed,     // no program opened a document or address; the path or address follows
    // The string field's tool tip: how its line ends are hashed.
    kLineEndsCrLf,
    kLineEndsLf,
    // Said on closing: the settings file read at start was kept aside (its new name follows),
    // or the settings could not be saved (the path and the cause follow).
    kSettingsKeptAside,
    kSettingsNotSaved,
    // Why a file could not be written.
    kWriteDenied,
    kWriteReadOnly,
    kWriteNoSpace,
    kWriteCannotCreate,
    kWriteError,
    kChecksumLists,       // description of the list file dialog's filter
    kCompareListedFile,   // %1: the file a pasted checksum line names
    kCompareWrongLength,  // %1 digits expected, %2 the algorithm, %3 its digits
    kExpectedFromList,    // %1 the line; the list follows on a line of its own
    kOfferListAlgorithm,  // %1 the list's algorithm; the list follows on a line of its own
    kHashShownOf,         // %1 the file, or the string, whose digest is shown
    kFileCompared,        // %1 the file compared with it
    kStringTyped,         // stands for the string in kHashShownOf
    kCompareNotADigest,   // the expected value has characters no digest has
    kCopied,              // the status line's word after Copy
    // The file dialog's title when a typed name was to be hashed: %1 the name.
    kTypedNotFound,
    kTypedFolder,
};
inline constexpr int kMainMemberTextCount = static_cast<int>(MainMemberText::kTypedFolder) + 1;

// The texts other windows share with the main window: what it says about files.
TranslationTable MainMemberTexts();
// The main window's tables in the order they are applied: menu, controls, kept texts, progress.
std::span<const TranslationTable> MainWindowTables();

// The window as its back ends build it.
const DialogTemplate& MainWindowTemplate();

}  // namespace tessik
