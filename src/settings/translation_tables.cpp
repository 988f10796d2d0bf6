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
constexpr TextTarget Member(MainMemberText member) {
    return {TextTargetKind::kMember, static_cast<int>(member)};
}

// The OK and Cancel buttons of every dialog.
constexpr int kOk = 1;
constexpr int kCancel = 2;

constexpr TranslationEntry kMainMenu[] = {
    {"FrmMain.ID_MEN_FILE", MenuPosition(0), u"File"},
    {"FrmMain.ID_MEN_GETHASHFROMFOLDER", MenuCommand(32778), u"Get Hash from folder"},
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
};

constexpr TranslationEntry kMainMembers[] = {
    {"FrmMain.m_acMAllFiles", Member(MainMemberText::kAllFiles), u"All files(*.*)|*.*||"},
    {"FrmMain.m_acMCompareFailed", Member(MainMemberText::kCompareFailed),
     u"The HASHes are NOT identical!"},
    {"FrmMain.m_acMCompareDone", Member(MainMemberText::kCompareDone),
     u"The HASHes are identical!"},
    {"FrmMain.m_acMBtnOk", Member(MainMemberText::kBtnOk), u"OK"},
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
};

constexpr std::array<TranslationTable, 3> kMainTables = {kMainMenu, kMainControls, kMainMembers};
constexpr std::array<TranslationTable, 6> kAllTables = {
    kMainMenu, kMainControls, kMainMembers, kFolderWindow, kLanguageWindow, kOptionsWindow};

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
TranslationTable LanguageWindowTexts() {
    return kLanguageWindow;
}
TranslationTable OptionsWindowTexts() {
    return kOptionsWindow;
}

std::span<const TranslationTable> MainWindowTables() {
    return kMainTables;
}
std::span<const TranslationTable> AllTranslationTables() {
    return kAllTables;
}

}  // namespace tessik
