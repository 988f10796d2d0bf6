#include "ui/rules/list_window.h"

#include <algorithm>
#include <array>

#include "ui/rules/dialog_template.h"
#include "ui/rules/progress_text.h"

namespace tessik {
namespace {

using namespace list_window;

constexpr TranslationEntry kListWindow[] = {
    {"FrmList.Caption", TextTarget::Title(), u"Verify checksum list"},
    {"FrmList.m_LBLList", TextTarget::Control(kListLabel), u"List"},
    {"FrmList.m_LBLAlgorithm", TextTarget::Control(kAlgorithmLabel), u"&Algorithm"},
    {"FrmList.m_CHKLowercase", TextTarget::Control(kLowercaseBox), u"&Lowercase letters"},
    {"FrmList.m_CHKMismatchesFirst", TextTarget::Control(kMismatchesFirstBox),
     u"&Mismatches first"},
    {"FrmList.m_BTNCheck", TextTarget::Control(kStartButton), u"&Check"},
    {"FrmList.m_BTNStop", TextTarget::Control(kStopButton), u"&Stop"},
    {"FrmList.m_BTNCopyFailed", TextTarget::Control(kCopyFailedButton), u"Cop&y failed names"},
    {"FrmList.m_BTNClose", TextTarget::Control(kOkResult), u"Close"},
    {"FrmList.m_BTNBrowse", TextTarget::ToolTip(kBrowseButton), u"Choose another list"},
    {"FrmList.m_acMFilesCaption", TextTarget::Member(ListMemberText::kFilesCaption), u"Hash files"},
    {"FrmList.m_acMHashButton", TextTarget::Member(ListMemberText::kHashButton), u"&Hash"},
    {"FrmList.m_acMColumnLine", TextTarget::Member(ListMemberText::kColumnLine), u"Line"},
    {"FrmList.m_acMColumnFile", TextTarget::Member(ListMemberText::kColumnFile), u"File"},
    {"FrmList.m_acMColumnHash", TextTarget::Member(ListMemberText::kColumnHash), u"HASH value"},
    {"FrmList.m_acMColumnStatus", TextTarget::Member(ListMemberText::kColumnStatus), u"Status"},
    {"FrmList.m_acMStatusOk", TextTarget::Member(ListMemberText::kStatusOk), u"OK"},
    {"FrmList.m_acMStatusFailed", TextTarget::Member(ListMemberText::kStatusFailed), u"FAILED"},
    {"FrmList.m_acMStatusMalformed", TextTarget::Member(ListMemberText::kStatusMalformed),
     u"malformed line"},
    {"FrmList.m_acMCounts", TextTarget::Member(ListMemberText::kCounts),
     u"OK: %1 \u2013 FAILED: %2 \u2013 missing: %3 \u2013 unreadable: %4 \u2013 malformed "
     u"lines: %5"},
    {"FrmList.m_acMFileCounts", TextTarget::Member(ListMemberText::kFileCounts),
     u"Hashed: %1 \u2013 could not be read: %2"},
    {"FrmList.m_acMStopped", TextTarget::Member(ListMemberText::kStopped), u"Stopped."},
    {"FrmList.m_acMNoEntries", TextTarget::Member(ListMemberText::kNoEntries),
     u"This file holds no checksum lines:"},
    {"FrmList.m_acMTable", TextTarget::Member(ListMemberText::kTableName), u"Results"},
    {"FrmList.m_LBLFolder", TextTarget::Control(kFolderLabel), u"F&older"},
    {"FrmList.m_BTNFolder", TextTarget::ToolTip(kFolderButton),
     u"Look the names up in another folder"},
    {"FrmList.m_CHKNewFiles", TextTarget::Control(kNewFilesBox), u"Show files &not in the list"},
    {"FrmList.m_BTNAddNew", TextTarget::Control(kAddNewButton), u"Add ne&w files to the list"},
    {"FrmList.m_acMStatusNew", TextTarget::Member(ListMemberText::kStatusNew), u"NEW"},
    {"FrmList.m_acMNewCount", TextTarget::Member(ListMemberText::kNewCount), u"new: %1"},
    {"FrmList.m_acMFoldersNotSearched", TextTarget::Member(ListMemberText::kFoldersNotSearched),
     u"folders not searched for new files: %1"},
    {"FrmList.m_acMSignatureGood", TextTarget::Member(ListMemberText::kSignatureGood),
     u"Good signature by %1, key %2"},
    {"FrmList.m_acMSignatureUncertified", TextTarget::Member(ListMemberText::kSignatureUncertified),
     u"Good signature by %1, key %2, but your keyring does not certify the key as theirs"},
    {"FrmList.m_acMSignatureBad", TextTarget::Member(ListMemberText::kSignatureBad),
     u"BAD SIGNATURE: the list was changed after %1 signed it (key %2). Do not trust it."},
    {"FrmList.m_acMSignatureUnknownKey", TextTarget::Member(ListMemberText::kSignatureUnknownKey),
     u"Signature not checked: the key %2 is not in your keyring"},
    {"FrmList.m_acMSignatureExpired", TextTarget::Member(ListMemberText::kSignatureExpired),
     u"Expired signature by %1, key %2"},
    {"FrmList.m_acMSignatureRevoked", TextTarget::Member(ListMemberText::kSignatureRevoked),
     u"Signature by %1 with a revoked key, %2"},
    {"FrmList.m_acMSignatureNotChecked", TextTarget::Member(ListMemberText::kSignatureNotChecked),
     u"Signature not checked: %1"},
    {"FrmList.m_acMUnknownSigner", TextTarget::Member(ListMemberText::kUnknownSigner),
     u"an unknown signer"},
    {"FrmList.m_acMNoGnuPG", TextTarget::Member(ListMemberText::kNoGnuPG),
     u"GnuPG is not available"},
    {"FrmList.m_acMNotASignature", TextTarget::Member(ListMemberText::kNotASignature),
     u"GnuPG found no signature it can check"},
    {"FrmList.m_acMSignatureUnreadable", TextTarget::Member(ListMemberText::kSignatureUnreadable),
     u"the list or its signature could not be read"},
    {"FrmList.m_acMGnuPGFailed", TextTarget::Member(ListMemberText::kGnuPGFailed),
     u"GnuPG failed (%1)"},
    {"FrmList.m_acMOfferNamesFolder", TextTarget::Member(ListMemberText::kOfferNamesFolder),
     u"Most files this list names are not beside it, but in this folder. Look them up there?"},
    {"FrmList.m_acMFilesAdded", TextTarget::Member(ListMemberText::kFilesAdded),
     u"Lines for %1 files were added to the list."},
    {"FrmList.m_acMStaleSignature", TextTarget::Member(ListMemberText::kStaleSignature),
     u"The list has changed, so this signature no longer matches it:"},
    {"FrmList.m_acMNotAdded", TextTarget::Member(ListMemberText::kNotAdded),
     u"These files could not be read or named in the list, and were left out:"},
    {"FrmList.m_acMClearSignedList", TextTarget::Member(ListMemberText::kClearSignedList),
     u"Lines added to a clear-signed list would break its signature. Nothing was added:"},
    {"FrmList.m_acMNoAlgorithm", TextTarget::Member(ListMemberText::kNoAlgorithm),
     u"The list does not tell its algorithm. Nothing was added."},
    {"FrmList.m_acMListNotSaved", TextTarget::Member(ListMemberText::kListNotSaved),
     u"The list could not be saved; it is as it was:"},
    {"FrmList.m_acMFailedNamesCopied", TextTarget::Member(ListMemberText::kFailedNamesCopied),
     u"Names of files that did not pass, now on the clipboard: %1"},
    {"FrmList.m_acMAlgorithmsAtOnce", TextTarget::Member(ListMemberText::kSeveralAlgorithms),
     u"Several algorithms\u2026"},
    {"FrmList.m_acMColumnAlgorithm", TextTarget::Member(ListMemberText::kColumnAlgorithm),
     u"Algorithm"},
};

// The rows in tab order, from parts both windows share.
template <std::size_t... Sizes>
constexpr std::array<ControlTemplate, (Sizes + ...)> Joined(
    const std::array<ControlTemplate, Sizes>&... parts) {
    std::array<ControlTemplate, (Sizes + ...)> rows{};
    std::size_t next = 0;
    ((std::copy(parts.begin(), parts.end(), rows.begin() + next), next += Sizes), ...);
    return rows;
}

constexpr std::array kAlgorithmRow = {
    ControlTemplate{kAlgorithmLabel, ControlKind::kLabel, "Algorithm", 7, 9, 60, 12, kNoStyle},
    ControlTemplate{kAlgorithmList, ControlKind::kDropDownList, nullptr, 70, 7, 91, 109, kNoStyle},
};
constexpr std::array kLowercaseBox = {
    ControlTemplate{list_window::kLowercaseBox, ControlKind::kCheckBox, "Lowercase letters", 172, 7,
                    120, 14, kNoStyle},
};
constexpr std::array kMismatchesFirst = {
    ControlTemplate{kMismatchesFirstBox, ControlKind::kCheckBox, "Mismatches first", 300, 7, 174,
                    14, kNoStyle},
};
constexpr std::array kListRow = {
    ControlTemplate{kListLabel, ControlKind::kLabel, "List", 7, 26, 60, 11, kNoStyle},
    ControlTemplate{kListField, ControlKind::kEdit, nullptr, 70, 23, 375, 14, kBorder | kReadOnly},
    ControlTemplate{kBrowseButton, ControlKind::kPushButton, "...", 452, 23, 22, 15, kNoStyle},
};
// Where the list's names are looked up, whether files it does not name are shown, and the button
// that adds them.
constexpr std::array kFolderRows = {
    ControlTemplate{kFolderLabel, ControlKind::kLabel, "Folder", 7, 43, 60, 11, kNoStyle},
    ControlTemplate{kFolderField, ControlKind::kEdit, nullptr, 70, 40, 375, 14,
                    kBorder | kReadOnly},
    ControlTemplate{kFolderButton, ControlKind::kPushButton, "...", 452, 40, 22, 15, kNoStyle},
    ControlTemplate{kNewFilesBox, ControlKind::kCheckBox, "Show files not in the list", 70, 57, 200,
                    14, kNoStyle},
    ControlTemplate{kAddNewButton, ControlKind::kPushButton, "Add new files to the list", 334, 56,
                    140, 16, kNoStyle},
};
// The counts stand above the table, but after it in the template: a label before a field would
// name it. The signature's line comes first of all the results, with room for a long signer's
// name and the fingerprint. Without a list row, the table and the counts take its place.
constexpr std::array kTableUnderTheFolder = {
    ControlTemplate{kTable, ControlKind::kTable, nullptr, 7, 108, 467, 131, kNoStyle},
    ControlTemplate{kSignatureLabel, ControlKind::kLabel, nullptr, 7, 74, 467, 19, kNoStyle},
    ControlTemplate{kCountsLabel, ControlKind::kLabel, nullptr, 7, 95, 467, 11,
                    kCentreVertically | kFlexibleText},
};
constexpr std::array kTableAtTheTop = {
    ControlTemplate{kTable, ControlKind::kTable, nullptr, 7, 39, 467, 155, kNoStyle},
    ControlTemplate{kCountsLabel, ControlKind::kLabel, nullptr, 7, 26, 467, 11,
                    kCentreVertically | kFlexibleText},
};
// Progress, then the buttons, from `top` down.
constexpr std::array<ControlTemplate, 5> BelowTheTable(int top) {
    return {
        ControlTemplate{kProgressBar, ControlKind::kProgressBar, nullptr, 7, top, 467, 12, kHidden},
        ControlTemplate{kCurrentFileLabel, ControlKind::kLabel, nullptr, 7, top + 14, 467, 11,
                        kCentreVertically | kHidden | kFlexibleText},
        ControlTemplate{kStartButton, ControlKind::kDefaultPushButton, "Check", 7, top + 31, 96, 16,
                        kNoStyle},
        ControlTemplate{kStopButton, ControlKind::kPushButton, "Stop", 7, top + 31, 96, 16,
                        kHidden},
        ControlTemplate{kCopyFailedButton, ControlKind::kPushButton, "Copy failed names", 110,
                        top + 31, 130, 16, kNoStyle},
    };
}
constexpr std::array<ControlTemplate, 1> CloseButton(int top) {
    return {ControlTemplate{kOkResult, ControlKind::kPushButton, "Close", 394, top + 31, 80, 16,
                            kNoStyle}};
}
constexpr int kVerifyBelowTable = 242;
constexpr int kFilesBelowTable = 197;

constexpr auto kVerifyControls =
    Joined(kAlgorithmRow, kMismatchesFirst, kListRow, kFolderRows, kTableUnderTheFolder,
           BelowTheTable(kVerifyBelowTable), CloseButton(kVerifyBelowTable));
constexpr auto kFilesControls =
    Joined(kAlgorithmRow, kLowercaseBox, kTableAtTheTop, BelowTheTable(kFilesBelowTable),
           CloseButton(kFilesBelowTable));

constexpr DialogTemplate kVerifyTemplate{"Verify checksum list", 482, 295, true, false,
                                         kVerifyControls,        {}};
constexpr DialogTemplate kFilesTemplate{"Verify checksum list", 482, 250, true, false,
                                        kFilesControls,         {}};

}  // namespace

const DialogTemplate& VerifyListWindowTemplate() {
    return kVerifyTemplate;
}

const DialogTemplate& HashFilesWindowTemplate() {
    return kFilesTemplate;
}

std::span<const TranslationTable> ListWindowTables() {
    static const std::array<TranslationTable, 2> tables = {kListWindow, ProgressDisplayTexts()};
    return tables;
}

ListWindowTexts::ListWindowTexts(const std::u16string& languageFile) {
    applyTexts(languageFile, ListWindowTables(), *this);
}

std::u16string ListWindowTexts::operator()(ListMemberText which) const {
    return texts_[static_cast<std::size_t>(which)];
}

void ListWindowTexts::setText(const TextTarget& target, const std::u16string& text) {
    if (target.kind != TextTargetKind::kMember) return;
    if (target.id >= 0 && target.id < kListMemberTextCount) {
        texts_[static_cast<std::size_t>(target.id)] = text;
    }
}

}  // namespace tessik
