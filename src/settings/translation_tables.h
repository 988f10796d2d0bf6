#pragma once
// Every translatable text of the windows: its key in the language files, where it goes, and
// the English text it has when no language file supplies one. The windows apply these tables
// in order, and a check that every language file covers every key loops over them.

#include <span>
#include <string_view>

namespace tessik {

enum class TextTargetKind {
    kWindowTitle,
    kControl,       // id: control id
    kMenuPosition,  // id: position of a top-level menu entry, which keeps its drop-down menu
    kMenuCommand,   // id: command id of a menu item
    kMember,        // id: a member text of the window (MainMemberText, FolderMemberText, ...)
    kToolTip,       // id: control id; also what assistive tools say about the control
    kProgress,      // id: a ProgressText, shared by every window that shows progress
};

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
    kWriteError,
    kChecksumLists,       // description of the list file dialog's filter
    kCompareListedFile,   // %1: the file a pasted checksum line names
    kCompareWrongLength,  // %1 digits expected, %2 the algorithm, %3 its digits
};
inline constexpr int kMainMemberTextCount =
    static_cast<int>(MainMemberText::kCompareWrongLength) + 1;

enum class FolderMemberText {
    kSummary,        // %1 files hashed, %2 unreadable, %3 folders not opened, %4 bytes, %5 time
    kStopped,        // put before the summary of a stopped run
    kFolderMissing,  // the path follows on a line of its own
    kFolderIsFile,
    kOutputName,  // what assistive tools call the output field
    // The formats "Save results..." offers.
    kGnuList,
    kBsdList,
    kOutputAsShown,
    kNotSaved,           // the path and the cause follow, each on a line of its own
    kSeveralAlgorithms,  // a GNU list was asked for a run of several algorithms
    kLeftOut,            // %1: how many files could not be read, which have no line in the list
};
inline constexpr int kFolderMemberTextCount = static_cast<int>(FolderMemberText::kLeftOut) + 1;

// The checksum-list window's texts kept for later use.
enum class ListMemberText {
    kFilesCaption,  // the title while it hashes dropped files
    kHashButton,    // the start button's text then
    kColumnLine,
    kColumnFile,
    kColumnHash,
    kColumnStatus,
    // The row statuses but the unreadable one, whose cause is said instead.
    kStatusOk,
    kStatusFailed,
    kStatusMalformed,
    kCounts,      // %1 OK, %2 FAILED, %3 missing, %4 unreadable, %5 malformed lines
    kFileCounts,  // %1 hashed, %2 could not be read
    kStopped,     // put before the counts of a stopped run
    kNoEntries,   // the list's path follows on a line of its own
    kTableName,   // what assistive tools call the table
};
inline constexpr int kListMemberTextCount = static_cast<int>(ListMemberText::kTableName) + 1;

// The line-end choices' names, and why a separator is refused.
enum class OptionsMemberText {
    kCrLf,
    kLf,
    kSeparatorMarkup,
    kSeparatorLineBreak,
    kSeparatorTooLong
};

enum class AboutMemberText {
    kVersion,  // %1: the version
    kWebSite,  // names of the two address fields for assistive tools
    kMail,
};

// The parts a progress display is made of; %1 is the number.
enum class ProgressText { kName, kPercent, kRate, kTimeLeft, kFiles, kBytes };
inline constexpr int kProgressTextCount = static_cast<int>(ProgressText::kBytes) + 1;

struct TextTarget {
    TextTargetKind kind = TextTargetKind::kWindowTitle;
    int id = 0;
    bool operator==(const TextTarget&) const = default;
};

struct TranslationEntry {
    std::string_view key;
    TextTarget target;
    std::u16string_view english;
};

using TranslationTable = std::span<const TranslationEntry>;

TranslationTable MainMenuTexts();
TranslationTable MainControlTexts();
TranslationTable MainMemberTexts();
TranslationTable FolderWindowTexts();
TranslationTable ListWindowTexts();
TranslationTable LanguageWindowTexts();
TranslationTable OptionsWindowTexts();
TranslationTable AboutWindowTexts();
TranslationTable ProgressDisplayTexts();

// The main window's tables in the order they are applied.
std::span<const TranslationTable> MainWindowTables();
// The folder window's, in the same way.
std::span<const TranslationTable> FolderWindowTables();
// The checksum-list window's.
std::span<const TranslationTable> ListWindowTables();
// Every table of every window.
std::span<const TranslationTable> AllTranslationTables();

}  // namespace tessik
