#pragma once
// Control and menu command ids of the main window; the language files, the layout rule and the
// windows all refer to its controls by these numbers.

namespace tessik::main_window {

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
};

// The smallest outer size the window can be given, in pixels; a larger font makes it larger.
inline constexpr int kMinimumWidth = 640;
inline constexpr int kMinimumHeight = 380;

}  // namespace tessik::main_window
