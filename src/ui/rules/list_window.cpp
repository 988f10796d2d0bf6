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
    {"FrmList.m_LBLAlgorithm", TextTarget::Control(kAlgorithmLabel), u"Algorithm"},
    {"FrmList.m_CHKLowercase", TextTarget::Control(kLowercaseBox), u"Lowercase letters"},
    {"FrmList.m_CHKMismatchesFirst", TextTarget::Control(kMismatchesFirstBox), u"Mismatches first"},
    {"FrmList.m_BTNCheck", TextTarget::Control(kStartButton), u"Check"},
    {"FrmList.m_BTNStop", TextTarget::Control(kStopButton), u"Stop"},
    {"FrmList.m_BTNCopyFailed", TextTarget::Control(kCopyFailedButton), u"Copy failed names"},
    {"FrmList.m_BTNClose", TextTarget::Control(kOkResult), u"Close"},
    {"FrmList.m_BTNBrowse", TextTarget::ToolTip(kBrowseButton), u"Choose another list"},
    {"FrmList.m_acMFilesCaption", TextTarget::Member(ListMemberText::kFilesCaption), u"Hash files"},
    {"FrmList.m_acMHashButton", TextTarget::Member(ListMemberText::kHashButton), u"Hash"},
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
// The counts stand above the table, but after it in the template: a label before a field would
// name it. Without a list row, the table and the counts take its place.
constexpr std::array kTableUnderTheList = {
    ControlTemplate{kTable, ControlKind::kTable, nullptr, 7, 55, 467, 139, kNoStyle},
    ControlTemplate{kCountsLabel, ControlKind::kLabel, nullptr, 7, 42, 467, 11,
                    kCentreVertically | kFlexibleText},
};
constexpr std::array kTableAtTheTop = {
    ControlTemplate{kTable, ControlKind::kTable, nullptr, 7, 39, 467, 155, kNoStyle},
    ControlTemplate{kCountsLabel, ControlKind::kLabel, nullptr, 7, 26, 467, 11,
                    kCentreVertically | kFlexibleText},
};
constexpr std::array kBelowTheTable = {
    ControlTemplate{kProgressBar, ControlKind::kProgressBar, nullptr, 7, 197, 467, 12, kHidden},
    ControlTemplate{kCurrentFileLabel, ControlKind::kLabel, nullptr, 7, 211, 467, 11,
                    kCentreVertically | kHidden | kFlexibleText},
    ControlTemplate{kStartButton, ControlKind::kDefaultPushButton, "Check", 7, 228, 96, 16,
                    kNoStyle},
    ControlTemplate{kStopButton, ControlKind::kPushButton, "Stop", 7, 228, 96, 16, kHidden},
    ControlTemplate{kCopyFailedButton, ControlKind::kPushButton, "Copy failed names", 110, 228, 130,
                    16, kNoStyle},
    ControlTemplate{kOkResult, ControlKind::kPushButton, "Close", 378, 228, 96, 16, kNoStyle},
};

constexpr auto kVerifyControls =
    Joined(kAlgorithmRow, kMismatchesFirst, kListRow, kTableUnderTheList, kBelowTheTable);
constexpr auto kFilesControls =
    Joined(kAlgorithmRow, kLowercaseBox, kTableAtTheTop, kBelowTheTable);

constexpr DialogTemplate kVerifyTemplate{"Verify checksum list", 482, 250, true, false,
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

}  // namespace tessik
