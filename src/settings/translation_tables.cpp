#include "settings/translation_tables.h"

#include <array>

namespace tessik {
namespace {

constexpr TextTarget Title() {
    return {TextTargetKind::kWindowTitle, 0};
}
constexpr TextTarget Control(int id) {
    return {TextTargetKind::kControl, id};
}
constexpr TextTarget MenuPosition(int position) {
    return {TextTargetKind::kMenuPosition, position};
}
constexpr TextTarget MenuCommand(int id) {
    return {TextTargetKind::kMenuCommand, id};
}
template <class MemberEnum>
constexpr TextTarget Member(MemberEnum member) {
    return {TextTargetKind::kMember, static_cast<int>(member)};
}
constexpr TextTarget ToolTip(int id) {
    return {TextTargetKind::kToolTip, id};
}
constexpr TextTarget Progress(ProgressText part) {
    return {TextTargetKind::kProgress, static_cast<int>(part)};
}

// The OK and Cancel buttons of every dialog.
constexpr int kOk = 1;
constexpr int kCancel = 2;

constexpr TranslationEntry kMainMenu[] = {
    {"FrmMain.ID_MEN_FILE", MenuPosition(0), u"File"},
    {"FrmMain.ID_MEN_GETHASHFROMFOLDER", MenuCommand(32778), u"Get Hash from folder"},
    {"FrmMain.ID_MEN_VERIFYLIST", MenuCommand(32780), u"Verify checksum list\u2026"},
    {"FrmMain.ID_MEN_EXIT", MenuCommand(32771), u"Exit"},
    {"FrmMain.ID_MEN_VIEW", MenuPosition(1), u"View"},
    {"FrmMain.ID_MEN_OPTIONS", MenuCommand(32779), u"Options"},
    {"FrmMain.ID_MEN_LANGUAGE", MenuCommand(32776), u"Language"},
    {"FrmMain.ID_MEN_INFO", MenuCommand(32772), u"Info"},
    {"FrmMain.ID_MEN_README", MenuCommand(32775), u"Changes"},
    {"FrmMain.ID_MEN_LICENSE", MenuCommand(32774), u"License"},
    {"FrmMain.ID_MEN_CHECKUPDATE", MenuCommand(32777), u"Check for update"},
};

constexpr TranslationEntry kMainControls[] = {
    {"FrmMain.m_LBLAlgorithm", Control(1006), u"Algorithm"},
    {"FrmMain.m_CHKSmallLetters", Control(1033), u"Lowercase letters"},
    {"FrmMain.m_LBLFileName", Control(1048), u"Filename"},
    {"FrmMain.m_LBLPassword", Control(1001), u"String"},
    {"FrmMain.m_LBLHash", Control(1005), u"HASH value"},
    {"FrmMain.m_LBLExpected", Control(1009), u"Expected HASH value"},
    {"FrmMain.m_BTNHashFile", Control(1002), u"Get HASH from file"},
    {"FrmMain.m_BTNHashPassword", Control(1003), u"Get HASH from string"},
    {"FrmMain.m_CHKCaseSensitive", Control(1024), u"Case sensitive"},
    {"FrmMain.m_BTNCompare", Control(1010), u"Compare"},
    {"FrmMain.m_BTNCopy", Control(1014), u"Copy"},
    {"FrmMain.m_BTNCancel", Control(1061), u"Cancel"},
};

constexpr TranslationEntry kMainMembers[] = {
    {"FrmMain.m_acMAllFiles", Member(MainMemberText::kAllFiles), u"All files(*.*)|*.*||"},
    {"FrmMain.m_acMCompareFailed", Member(MainMemberText::kCompareFailed),
     u"The HASHes are NOT identical!"},
    {"FrmMain.m_acMCompareDone", Member(MainMemberText::kCompareDone),
     u"The HASHes are identical!"},
    {"FrmMain.m_acMBtnOk", Member(MainMemberText::kBtnOk), u"OK"},
    {"FrmMain.m_acMCompareNoHash", Member(MainMemberText::kCompareNoHash),
     u"There is no HASH value to compare yet."},
    {"FrmMain.m_acMOpenFailed", Member(MainMemberText::kOpenFailed), u"No program could open:"},
    {"FrmMain.m_acMLineEndsCrLf", Member(MainMemberText::kLineEndsCrLf),
     u"Line ends are hashed as CR LF (View, Options)"},
    {"FrmMain.m_acMLineEndsLf", Member(MainMemberText::kLineEndsLf),
     u"Line ends are hashed as LF (View, Options)"},
    {"FrmMain.m_acMSettingsKeptAside", Member(MainMemberText::kSettingsKeptAside),
     u"Your settings file could not be read whole. It was kept under this name, and a new one "
     u"was written:"},
    {"FrmMain.m_acMSettingsNotSaved", Member(MainMemberText::kSettingsNotSaved),
     u"Your settings could not be saved:"},
    {"FrmMain.m_acMWriteDenied", Member(MainMemberText::kWriteDenied),
     u"You are not allowed to write there."},
    {"FrmMain.m_acMWriteReadOnly", Member(MainMemberText::kWriteReadOnly),
     u"The disk can only be read."},
    {"FrmMain.m_acMWriteNoSpace", Member(MainMemberText::kWriteNoSpace), u"The disk is full."},
    {"FrmMain.m_acMWriteError", Member(MainMemberText::kWriteError),
     u"The file could not be written (a write error)."},
    {"FrmMain.m_acMChecksumLists", Member(MainMemberText::kChecksumLists), u"Checksum lists"},
    {"FrmMain.m_acMCompareListedFile", Member(MainMemberText::kCompareListedFile),
     u"The expected value is the one listed for: %1"},
    {"FrmMain.m_acMCompareWrongLength", Member(MainMemberText::kCompareWrongLength),
     u"The expected HASH value has %1 digits, but %2 gives %3. Is another algorithm meant?"},
};

constexpr TranslationEntry kFolderWindow[] = {
    {"FrmFolder.Caption", Title(), u"Get Hash from folder"},
    {"FrmFolder.m_LBLFolder", Control(1038), u"Folder"},
    {"FrmFolder.m_CHKSubfolders", Control(1045), u"Subfolders"},
    {"FrmFolder.m_LBLFilename", Control(1048), u"Filename"},
    {"FrmFolder.m_LBLFileextension", Control(1049), u"Extension"},
    {"FrmFolder.m_LBLAlgorithm", Control(1006), u"Algorithm"},
    {"FrmFolder.m_CHKLowercase", Control(1043), u"Lowercase letters"},
    {"FrmFolder.m_BTNOk", Control(kOk), u"OK"},
    {"FrmFolder.m_BTNProcessFolder", Control(1044), u"Process folder"},
    {"FrmFolder.m_BTNStopProcessing", Control(1046), u"Stop"},
    {"FrmFolder.m_acMSummary", Member(FolderMemberText::kSummary),
     u"Files hashed: %1 \u2013 could not be read: %2 \u2013 folders that could not be opened: "
     u"%3 \u2013 %4 in %5"},
    {"FrmFolder.m_acMStopped", Member(FolderMemberText::kStopped), u"Stopped."},
    {"FrmFolder.m_acMFolderMissing", Member(FolderMemberText::kFolderMissing),
     u"This folder does not exist:"},
    {"FrmFolder.m_acMFolderIsFile", Member(FolderMemberText::kFolderIsFile),
     u"This is a file, not a folder:"},
    {"FrmFolder.m_acMOutput", Member(FolderMemberText::kOutputName), u"Output"},
    {"FrmFolder.m_BTNSaveResults", Control(1065), u"Save results\u2026"},
    {"FrmFolder.m_acMGnuList", Member(FolderMemberText::kGnuList),
     u"GNU checksum list (digest  name)"},
    {"FrmFolder.m_acMBsdList", Member(FolderMemberText::kBsdList),
     u"BSD checksum list (TAG (name) = digest)"},
    {"FrmFolder.m_acMOutputAsShown", Member(FolderMemberText::kOutputAsShown),
     u"The output as shown"},
    {"FrmFolder.m_acMNotSaved", Member(FolderMemberText::kNotSaved),
     u"The results could not be saved:"},
    {"FrmFolder.m_acMSeveralAlgorithms", Member(FolderMemberText::kSeveralAlgorithms),
     u"This run used several algorithms, and a GNU list cannot say which line is which. Save a "
     u"BSD list instead."},
    {"FrmFolder.m_acMLeftOut", Member(FolderMemberText::kLeftOut),
     u"Files that could not be read, which have no line in the list: %1"},
};

constexpr TranslationEntry kListWindow[] = {
    {"FrmList.Caption", Title(), u"Verify checksum list"},
    {"FrmList.m_LBLList", Control(1070), u"List"},
    {"FrmList.m_LBLAlgorithm", Control(1006), u"Algorithm"},
    {"FrmList.m_CHKLowercase", Control(1043), u"Lowercase letters"},
    {"FrmList.m_CHKMismatchesFirst", Control(1073), u"Mismatches first"},
    {"FrmList.m_BTNCheck", Control(1076), u"Check"},
    {"FrmList.m_BTNStop", Control(1046), u"Stop"},
    {"FrmList.m_BTNCopyFailed", Control(1077), u"Copy failed names"},
    {"FrmList.m_BTNClose", Control(kOk), u"Close"},
    {"FrmList.m_BTNBrowse", ToolTip(1072), u"Choose another list"},
    {"FrmList.m_acMFilesCaption", Member(ListMemberText::kFilesCaption), u"Hash files"},
    {"FrmList.m_acMHashButton", Member(ListMemberText::kHashButton), u"Hash"},
    {"FrmList.m_acMColumnLine", Member(ListMemberText::kColumnLine), u"Line"},
    {"FrmList.m_acMColumnFile", Member(ListMemberText::kColumnFile), u"File"},
    {"FrmList.m_acMColumnHash", Member(ListMemberText::kColumnHash), u"HASH value"},
    {"FrmList.m_acMColumnStatus", Member(ListMemberText::kColumnStatus), u"Status"},
    {"FrmList.m_acMStatusOk", Member(ListMemberText::kStatusOk), u"OK"},
    {"FrmList.m_acMStatusFailed", Member(ListMemberText::kStatusFailed), u"FAILED"},
    {"FrmList.m_acMStatusMalformed", Member(ListMemberText::kStatusMalformed), u"malformed line"},
    {"FrmList.m_acMCounts", Member(ListMemberText::kCounts),
     u"OK: %1 \u2013 FAILED: %2 \u2013 missing: %3 \u2013 unreadable: %4 \u2013 malformed "
     u"lines: %5"},
    {"FrmList.m_acMFileCounts", Member(ListMemberText::kFileCounts),
     u"Hashed: %1 \u2013 could not be read: %2"},
    {"FrmList.m_acMStopped", Member(ListMemberText::kStopped), u"Stopped."},
    {"FrmList.m_acMNoEntries", Member(ListMemberText::kNoEntries),
     u"This file holds no checksum lines:"},
    {"FrmList.m_acMTable", Member(ListMemberText::kTableName), u"Results"},
};

constexpr TranslationEntry kLanguageWindow[] = {
    {"FrmLanguage.Caption", Title(), u"Select language"},
    {"FrmLanguage.m_LBLCurrentLanguage", Control(1031), u"Current language:"},
    {"FrmLanguage.m_BTNOk", Control(kOk), u"OK"},
    {"FrmLanguage.m_BTNCancel", Control(kCancel), u"Cancel"},
};

constexpr TranslationEntry kOptionsWindow[] = {
    {"FrmOptions.Caption", Title(), u"Options"},
    {"FrmOptions.m_LBLSeparator", Control(1056), u"Separator"},
    {"FrmOptions.m_LBLFont", Control(1051), u"Font"},
    {"FrmOptions.m_BTNOk", Control(kOk), u"OK"},
    {"FrmOptions.m_BTNCancel", Control(kCancel), u"Cancel"},
    {"FrmOptions.m_LBLLineEnds", Control(1059), u"Line ends in typed text"},
    {"FrmOptions.m_acMCrLf", Member(OptionsMemberText::kCrLf), u"CR LF"},
    {"FrmOptions.m_acMLf", Member(OptionsMemberText::kLf), u"LF"},
    {"FrmOptions.m_acMSeparatorMarkup", Member(OptionsMemberText::kSeparatorMarkup),
     u"The separator cannot contain < or >."},
    {"FrmOptions.m_acMSeparatorLineBreak", Member(OptionsMemberText::kSeparatorLineBreak),
     u"The separator cannot contain a line break."},
    {"FrmOptions.m_acMSeparatorTooLong", Member(OptionsMemberText::kSeparatorTooLong),
     u"The separator can be at most 256 characters long."},
    {"FrmOptions.m_BTNResetSeparator", ToolTip(1058), u"Back to the default separator"},
    {"FrmOptions.m_BTNResetFont", ToolTip(1053), u"Back to the default font"},
};

constexpr TranslationEntry kAboutWindow[] = {
    {"FrmAbout.Caption", Title(), u"Info"},
    {"FrmAbout.m_LBLVersion", Member(AboutMemberText::kVersion), u"Version %1"},
    {"FrmAbout.m_LBLLegal", Control(1017), u"Copyright the Tessik authors, MIT licence"},
    {"FrmAbout.m_LBLDescription", Control(1018),
     u"Digests of texts, files and whole folders with 25 algorithms, from MD2 to SHA-3"},
    {"FrmAbout.m_LBLGerman", Control(1020), u"German by:"},
    {"FrmAbout.m_LBLFrench", Control(1025), u"French by:"},
    {"FrmAbout.m_LBLSpanish", Control(1027), u"Spanish by:"},
    {"FrmAbout.m_acMWebSite", Member(AboutMemberText::kWebSite), u"Web site"},
    {"FrmAbout.m_acMMail", Member(AboutMemberText::kMail), u"Mail"},
};

constexpr TranslationEntry kProgress[] = {
    {"FrmProgress.m_acMName", Progress(ProgressText::kName), u"Progress"},
    {"FrmProgress.m_acMPercent", Progress(ProgressText::kPercent), u"%1%"},
    {"FrmProgress.m_acMRate", Progress(ProgressText::kRate), u"%1 MB/s"},
    {"FrmProgress.m_acMTimeLeft", Progress(ProgressText::kTimeLeft), u"%1 left"},
    {"FrmProgress.m_acMFiles", Progress(ProgressText::kFiles), u"Files: %1"},
    {"FrmProgress.m_acMBytes", Progress(ProgressText::kBytes), u"%1 MB"},
};

constexpr std::array<TranslationTable, 4> kMainTables = {kMainMenu, kMainControls, kMainMembers,
                                                         kProgress};
constexpr std::array<TranslationTable, 2> kFolderTables = {kFolderWindow, kProgress};
constexpr std::array<TranslationTable, 2> kListTables = {kListWindow, kProgress};
constexpr std::array<TranslationTable, 9> kAllTables = {
    kMainMenu,       kMainControls,  kMainMembers, kFolderWindow, kListWindow,
    kLanguageWindow, kOptionsWindow, kAboutWindow, kProgress};

}  // namespace

TranslationTable MainMenuTexts() {
    return kMainMenu;
}
TranslationTable MainControlTexts() {
    return kMainControls;
}
TranslationTable MainMemberTexts() {
    return kMainMembers;
}
TranslationTable FolderWindowTexts() {
    return kFolderWindow;
}
TranslationTable ListWindowTexts() {
    return kListWindow;
}
TranslationTable LanguageWindowTexts() {
    return kLanguageWindow;
}
TranslationTable OptionsWindowTexts() {
    return kOptionsWindow;
}
TranslationTable AboutWindowTexts() {
    return kAboutWindow;
}
TranslationTable ProgressDisplayTexts() {
    return kProgress;
}

std::span<const TranslationTable> MainWindowTables() {
    return kMainTables;
}
std::span<const TranslationTable> FolderWindowTables() {
    return kFolderTables;
}
std::span<const TranslationTable> ListWindowTables() {
    return kListTables;
}
std::span<const TranslationTable> AllTranslationTables() {
    return kAllTables;
}

}  // namespace tessik
