#include "ui/rules/main_window.h"

#include <array>

#include "ui/rules/dialog_template.h"
#include "ui/rules/progress_text.h"

namespace tessik {
namespace {

using namespace main_window;

// The drop-down menus of the bar, by position.
constexpr int kFileMenu = 0;
constexpr int kViewMenu = 1;

constexpr TranslationEntry kMainMenu[] = {
    {"FrmMain.ID_MEN_FILE", TextTarget::MenuPosition(kFileMenu), u"&File"},
    {"FrmMain.ID_MEN_GETHASHFROMFOLDER", TextTarget::MenuCommand(kFolderCommand),
     u"Get Hash from &folder"},
    {"FrmMain.ID_MEN_VERIFYLIST", TextTarget::MenuCommand(kVerifyListCommand),
     u"&Verify checksum list\u2026"},
    {"FrmMain.ID_MEN_COMPAREFILE", TextTarget::MenuCommand(kCompareFileCommand),
     u"&Compare with file\u2026"},
    {"FrmMain.ID_MEN_ALLALGORITHMS", TextTarget::MenuCommand(kAllAlgorithmsCommand),
     u"&All algorithms\u2026"},
    {"FrmMain.ID_MEN_EXIT", TextTarget::MenuCommand(kExitCommand), u"E&xit"},
    {"FrmMain.ID_MEN_VIEW", TextTarget::MenuPosition(kViewMenu), u"&View"},
    {"FrmMain.ID_MEN_OPTIONS", TextTarget::MenuCommand(kOptionsCommand), u"&Options"},
    {"FrmMain.ID_MEN_LANGUAGE", TextTarget::MenuCommand(kLanguageCommand), u"&Language"},
    {"FrmMain.ID_MEN_INFO", TextTarget::MenuCommand(kInfoCommand), u"&Info"},
    {"FrmMain.ID_MEN_README", TextTarget::MenuCommand(kChangesCommand), u"C&hanges"},
    {"FrmMain.ID_MEN_LICENSE", TextTarget::MenuCommand(kLicenseCommand), u"&License"},
    {"FrmMain.ID_MEN_CHECKUPDATE", TextTarget::MenuCommand(kCheckUpdateCommand),
     u"Check for &update"},
};

constexpr TranslationEntry kMainControls[] = {
    {"FrmMain.m_LBLAlgorithm", TextTarget::Control(kAlgorithmLabel), u"&Algorithm"},
    {"FrmMain.m_CHKSmallLetters", TextTarget::Control(kLowercaseBox), u"&Lowercase letters"},
    {"FrmMain.m_LBLFileName", TextTarget::Control(kFileNameLabel), u"File&name"},
    {"FrmMain.m_LBLPassword", TextTarget::Control(kStringLabel), u"&String"},
    {"FrmMain.m_LBLHash", TextTarget::Control(kResultLabel), u"HASH value"},
    {"FrmMain.m_LBLExpected", TextTarget::Control(kExpectedLabel), u"&Expected HASH value"},
    {"FrmMain.m_BTNHashFile", TextTarget::Control(kHashFileButton), u"Get HASH from f&ile"},
    {"FrmMain.m_BTNHashPassword", TextTarget::Control(kHashStringButton), u"Get HASH from st&ring"},
    {"FrmMain.m_CHKCaseSensitive", TextTarget::Control(kCaseSensitiveBox), u"Case sensi&tive"},
    {"FrmMain.m_BTNCompare", TextTarget::Control(kCompareButton), u"Co&mpare"},
    {"FrmMain.m_BTNCopy", TextTarget::Control(kCopyButton), u"&Copy"},
    {"FrmMain.m_BTNCancel", TextTarget::Control(kCancelHashButton), u"Cancel"},
};

constexpr TranslationEntry kMainMembers[] = {
    {"FrmMain.m_acMAllFiles", TextTarget::Member(MainMemberText::kAllFiles),
     u"All files(*.*)|*.*||"},
    {"FrmMain.m_acMCompareFailed", TextTarget::Member(MainMemberText::kCompareFailed),
     u"The HASHes are NOT identical!"},
    {"FrmMain.m_acMCompareDone", TextTarget::Member(MainMemberText::kCompareDone),
     u"The HASHes are identical!"},
    {"FrmMain.m_acMBtnOk", TextTarget::Member(MainMemberText::kBtnOk), u"OK"},
    {"FrmMain.m_acMCompareNoHash", TextTarget::Member(MainMemberText::kCompareNoHash),
     u"There is no HASH value to compare yet."},
    {"FrmMain.m_acMOpenFailed", TextTarget::Member(MainMemberText::kOpenFailed),
     u"No program could open:"},
    {"FrmMain.m_acMLineEndsCrLf", TextTarget::Member(MainMemberText::kLineEndsCrLf),
     u"Line ends are hashed as CR LF (View, Options)"},
    {"FrmMain.m_acMLineEndsLf", TextTarget::Member(MainMemberText::kLineEndsLf),
     u"Line ends are hashed as LF (View, Options)"},
    {"FrmMain.m_acMSettingsKeptAside", TextTarget::Member(MainMemberText::kSettingsKeptAside),
     u"Your settings file could not be read whole. It was kept under this name, and a new one "
     u"was written:"},
    {"FrmMain.m_acMSettingsNotSaved", TextTarget::Member(MainMemberText::kSettingsNotSaved),
     u"Your settings could not be saved:"},
    {"FrmMain.m_acMWriteDenied", TextTarget::Member(MainMemberText::kWriteDenied),
     u"You are not allowed to write there."},
    {"FrmMain.m_acMWriteReadOnly", TextTarget::Member(MainMemberText::kWriteReadOnly),
     u"The disk can only be read."},
    {"FrmMain.m_acMWriteNoSpace", TextTarget::Member(MainMemberText::kWriteNoSpace),
     u"The disk is full."},
    {"FrmMain.m_acMWriteCannotCreate", TextTarget::Member(MainMemberText::kWriteCannotCreate),
     u"The file cannot be created there: its folder is missing, or the name is not allowed."},
    {"FrmMain.m_acMWriteError", TextTarget::Member(MainMemberText::kWriteError),
     u"The file could not be written (a write error)."},
    {"FrmMain.m_acMChecksumLists", TextTarget::Member(MainMemberText::kChecksumLists),
     u"Checksum lists"},
    {"FrmMain.m_acMCompareListedFile", TextTarget::Member(MainMemberText::kCompareListedFile),
     u"The expected value is the one listed for: %1"},
    {"FrmMain.m_acMCompareWrongLength", TextTarget::Member(MainMemberText::kCompareWrongLength),
     u"The expected HASH value has %1 digits, but %2 gives %3. Is another algorithm meant?"},
    {"FrmMain.m_acMExpectedFromList", TextTarget::Member(MainMemberText::kExpectedFromList),
     u"The expected value is the one on line %1 of this checksum list:"},
    {"FrmMain.m_acMOfferListAlgorithm", TextTarget::Member(MainMemberText::kOfferListAlgorithm),
     u"A checksum list beside the file lists its %1 value. Choose %1 and hash the file again?"},
    {"FrmMain.m_acMHashShownOf", TextTarget::Member(MainMemberText::kHashShownOf),
     u"HASH value shown: %1"},
    {"FrmMain.m_acMFileCompared", TextTarget::Member(MainMemberText::kFileCompared),
     u"Compared with: %1"},
    {"FrmMain.m_acMStringTyped", TextTarget::Member(MainMemberText::kStringTyped),
     u"the string typed"},
    {"FrmMain.m_acMCompareNotADigest", TextTarget::Member(MainMemberText::kCompareNotADigest),
     u"The expected HASH value is not a digest: a digest has only the digits 0-9 and the letters "
     u"A-F."},
    {"FrmMain.m_acMCopied", TextTarget::Member(MainMemberText::kCopied),
     u"The HASH value is on the clipboard."},
    {"FrmMain.m_acMTypedNotFound", TextTarget::Member(MainMemberText::kTypedNotFound),
     u"Not found: %1 \u2013 choose the file"},
    {"FrmMain.m_acMTypedFolder", TextTarget::Member(MainMemberText::kTypedFolder),
     u"A folder, not a file: %1 \u2013 choose the file"},
};

constexpr std::array kControls = {
    ControlTemplate{kAlgorithmLabel, ControlKind::kLabel, "Algorithm", 5, 5, 114, 12, kNoStyle},
    ControlTemplate{kAlgorithmList, ControlKind::kDropDownList, nullptr, 123, 4, 91, 109, kNoStyle},
    ControlTemplate{kLowercaseBox, ControlKind::kCheckBox, "Lowercase letters", 232, 4, 130, 14,
                    kNoStyle},
    ControlTemplate{kFileNameLabel, ControlKind::kLabel, "Filename", 5, 23, 114, 12, kNoStyle},
    ControlTemplate{kFileNameField, ControlKind::kEdit, nullptr, 123, 21, 296, 14, kBorder},
    ControlTemplate{kBrowseButton, ControlKind::kPushButton, "...", 421, 20, 23, 16, kNoStyle},
    ControlTemplate{kHashFileButton, ControlKind::kPushButton, "Get HASH from file", 308, 39, 136,
                    16, kNoStyle},
    ControlTemplate{kCancelHashButton, ControlKind::kPushButton, "Cancel", 308, 39, 136, 16,
                    kHidden},
    ControlTemplate{kStringLabel, ControlKind::kLabel, "String", 5, 60, 114, 14, kNoStyle},
    ControlTemplate{kStringField, ControlKind::kMultiLineEdit, nullptr, 123, 58, 320, 33,
                    kBorder | kVerticalScrollBar},
    ControlTemplate{kHashStringButton, ControlKind::kDefaultPushButton, "Get HASH from string", 309,
                    93, 135, 16, kNoStyle},
    ControlTemplate{kResultLabel, ControlKind::kLabel, "HASH-Value", 5, 111, 113, 15,
                    kCentreVertically},
    // Only ever a digest of ours: selectable and copyable, never typed into.
    ControlTemplate{kResultField, ControlKind::kEdit, nullptr, 123, 111, 320, 14,
                    kBorder | kReadOnly},
    ControlTemplate{kProgressBar, ControlKind::kProgressBar, nullptr, 123, 111, 320, 14, kHidden},
    ControlTemplate{kCopyButton, ControlKind::kPushButton, "Copy", 123, 166, 96, 16, kNoStyle},
    ControlTemplate{kExpectedLabel, ControlKind::kLabel, "Expected HASH-Value", 5, 133, 113, 15,
                    kCentreVertically},
    ControlTemplate{kExpectedField, ControlKind::kEdit, nullptr, 123, 133, 320, 14, kBorder},
    ControlTemplate{kCaseSensitiveBox, ControlKind::kCheckBox, "Case sensitive", 123, 152, 202, 10,
                    kNoStyle},
    ControlTemplate{kCompareButton, ControlKind::kPushButton, "Compare", 228, 166, 95, 16,
                    kNoStyle},
    ControlTemplate{kStatusLabel, ControlKind::kLabel, nullptr, 5, 186, 438, 10,
                    kCentreVertically | kFlexibleText},
};

constexpr std::array kMenu = {
    MenuItemTemplate{"&File", "Get hash from folder", kFolderCommand},
    MenuItemTemplate{"&File", "Verify checksum list\u2026", kVerifyListCommand},
    MenuItemTemplate{"&File", "Compare with file\u2026", kCompareFileCommand},
    MenuItemTemplate{"&File", "All algorithms\u2026", kAllAlgorithmsCommand},
    MenuItemTemplate{"&File", "Exit", kExitCommand},
    MenuItemTemplate{"&View", "Options", kOptionsCommand},
    MenuItemTemplate{"&View", "Language", kLanguageCommand},
    MenuItemTemplate{"&?", "License", kLicenseCommand},
    MenuItemTemplate{"&?", "Changes", kChangesCommand},
    MenuItemTemplate{"&?", "Check for update", kCheckUpdateCommand},
    MenuItemTemplate{"&?", nullptr, 0},
    MenuItemTemplate{"&?", "Info", kInfoCommand},
};

constexpr DialogTemplate kTemplate{
    "Korvane HASH-Generator", 447, 198, true, true, kControls, kMenu};

}  // namespace

TranslationTable MainMemberTexts() {
    return kMainMembers;
}

std::span<const TranslationTable> MainWindowTables() {
    static const std::array<TranslationTable, 4> tables = {kMainMenu, kMainControls, kMainMembers,
                                                           ProgressDisplayTexts()};
    return tables;
}

const DialogTemplate& MainWindowTemplate() {
    return kTemplate;
}

}  // namespace tessik
