#include "ui/rules/list_window.h"

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

}  // namespace

std::span<const TranslationTable> ListWindowTables() {
    static const std::array<TranslationTable, 2> tables = {kListWindow, ProgressDisplayTexts()};
    return tables;
}

}  // namespace tessik
