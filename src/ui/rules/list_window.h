#pragma once
// The checksum-list windows as data, free of Qt: their templates, control ids and texts.

#include <array>
#include <span>
#include <string>

#include "settings/language_catalogue.h"
#include "settings/translation_tables.h"
#include "ui/rules/dialog_template.h"

namespace tessik {
namespace list_window {

enum ControlId : int {
    kAlgorithmLabel = 1006,
    kAlgorithmList = 1007,
    kLowercaseBox = 1043,
    kStopButton = 1046,
    kProgressBar = 1062,
    kCurrentFileLabel = 1063,
    kListLabel = 1070,
    kListField = 1071,
    kBrowseButton = 1072,
    kMismatchesFirstBox = 1073,
    kCountsLabel = 1074,
    kTable = 1075,
    kStartButton = 1076,
    kCopyFailedButton = 1077,
    // The verify window's own.
    kFolderLabel = 1078,
    kFolderField = 1079,
    kFolderButton = 1080,
    kNewFilesBox = 1081,
    kSignatureLabel = 1082,
    kAddNewButton = 1083,
};

}  // namespace list_window

// The checksum-list windows' texts kept for later use.
enum class ListMemberText {
    kFilesCaption,  // the title of the window that hashes dropped files
    kHashButton,    // its start button's text
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
    kStatusNew,
    kNewCount,            // %1 new files, after the counts
    kFoldersNotSearched,  // %1 folders the search for new files could not list
    // The signature line: %1 the signer, %2 the key's fingerprint.
    kSignatureGood,
    kSignatureUncertified,  // good, but the keyring's trust does not vouch for the key
    kSignatureBad,
    kSignatureUnknownKey,
    kSignatureExpired,
    kSignatureRevoked,
    kSignatureNotChecked,  // %1 why
    kUnknownSigner,
    kNoGnuPG,
    kNotASignature,
    kSignatureUnreadable,
    kGnuPGFailed,
    kOfferNamesFolder,  // the folder follows on a line of its own
    kFilesAdded,        // %1 files added
    kStaleSignature,    // the signature follows on a line of its own
    kNotAdded,          // the files follow, one per line
    kClearSignedList,   // the list follows on a line of its own
    kNoAlgorithm,
    kListNotSaved,       // the list, then why, follow on lines of their own
    kFailedNamesCopied,  // the status line after "Copy failed names": %1 names
    kSeveralAlgorithms,  // the files window's algorithm list's last entry
    kColumnAlgorithm,    // shown when files are hashed with several algorithms
};
inline constexpr int kListMemberTextCount =
    static_cast<int>(ListMemberText::kColumnAlgorithm) + 1;

// The verify window, and the window that hashes files dropped onto the main window, as their
// back ends build them: the same but for the list row and the letter case.
const DialogTemplate& VerifyListWindowTemplate();
const DialogTemplate& HashFilesWindowTemplate();

// The windows' tables in the order they are applied.
std::span<const TranslationTable> ListWindowTables();

// The windows' kept texts in the language of a file (the built-in ones for a path that names
// none), for another window that speaks of lists.
class ListWindowTexts final : public TextSink {
  public:
    explicit ListWindowTexts(const std::u16string& languageFile);

    std::u16string operator()(ListMemberText which) const;
    void setText(const TextTarget& target, const std::u16string& text) override;

  private:
    std::array<std::u16string, kListMemberTextCount> texts_;
};

}  // namespace tessik
