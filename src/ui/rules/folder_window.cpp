#include "ui/rules/folder_window.h"

#include <array>

#include "ui/rules/dialog_template.h"
#include "ui/rules/progress_text.h"

namespace tessik {
namespace {

using namespace folder_window;

constexpr TranslationEntry kFolderWindow[] = {
    {"FrmFolder.Caption", TextTarget::Title(), u"Get Hash from folder"},
    {"FrmFolder.m_LBLFolder", TextTarget::Control(kFolderLabel), u"&Folder"},
    {"FrmFolder.m_CHKSubfolders", TextTarget::Control(kSubfoldersBox), u"S&ubfolders"},
    {"FrmFolder.m_LBLFilename", TextTarget::Control(kNameFilterLabel), u"File&name"},
    {"FrmFolder.m_LBLFileextension", TextTarget::Control(kExtensionLabel), u"E&xtension"},
    {"FrmFolder.m_LBLAlgorithm", TextTarget::Control(kAlgorithmLabel), u"&Algorithm"},
    {"FrmFolder.m_CHKLowercase", TextTarget::Control(kLowercaseBox), u"&Lowercase letters"},
    {"FrmFolder.m_BTNOk", TextTarget::Control(kOkResult), u"OK"},
    {"FrmFolder.m_BTNProcessFolder", TextTarget::Control(kProcessButton), u"&Process folder"},
    {"FrmFolder.m_BTNStopProcessing", TextTarget::Control(kStopButton), u"S&top"},
    {"FrmFolder.m_acMSummary", TextTarget::Member(FolderMemberText::kSummary),
     u"Files hashed: %1 \u2013 could not be read: %2 \u2013 folders that could not be opened: "
     u"%3 \u2013 %4 in %5"},
    {"FrmFolder.m_acMStopped", TextTarget::Member(FolderMemberText::kStopped), u"Stopped."},
    {"FrmFolder.m_acMFolderMissing", TextTarget::Member(FolderMemberText::kFolderMissing),
     u"This folder does not exist:"},
    {"FrmFolder.m_acMFolderIsFile", TextTarget::Member(FolderMemberText::kFolderIsFile),
     u"This is a file, not a folder:"},
    {"FrmFolder.m_acMOutput", TextTarget::Member(FolderMemberText::kOutputName), u"Output"},
    {"FrmFolder.m_BTNSaveResults", TextTarget::Control(kSaveButton), u"&Save results\u2026"},
    {"FrmFolder.m_acMGnuList", TextTarget::Member(FolderMemberText::kGnuList),
     u"GNU checksum list (digest  name)"},
    {"FrmFolder.m_acMBsdList", TextTarget::Member(FolderMemberText::kBsdList),
     u"BSD checksum list (TAG (name) = digest)"},
    {"FrmFolder.m_acMSfvList", TextTarget::Member(FolderMemberText::kSfvList),
     u"SFV checksum list (name CRC)"},
    {"FrmFolder.m_acMOutputAsShown", TextTarget::Member(FolderMemberText::kOutputAsShown),
     u"The output as shown"},
    {"FrmFolder.m_acMNotSaved", TextTarget::Member(FolderMemberText::kNotSaved),
     u"The results could not be saved:"},
    {"FrmFolder.m_acMLeftOut", TextTarget::Member(FolderMemberText::kLeftOut),
     u"Files that could not be read, which have no line in the list: %1"},
    {"FrmFolder.m_acMAlgorithmsAtOnce", TextTarget::Member(FolderMemberText::kSeveralAlgorithms),
     u"Several algorithms\u2026"},
    {"FrmFolder.m_acMNotShown", TextTarget::Member(FolderMemberText::kNotShown),
     u"hashed after the file Stop cut short, without a line: %1"},
    {"FrmFolder.m_acMNotOpened", TextTarget::Member(FolderMemberText::kNotOpened),
     u"Folders not opened: %1"},
    {"FrmFolder.m_acMSaved", TextTarget::Member(FolderMemberText::kSaved), u"Saved: %1"},
};

constexpr std::array kControls = {
    ControlTemplate{kFolderLabel, ControlKind::kLabel, "Folder", 7, 10, 73, 11, kNoStyle},
    ControlTemplate{kFolderField, ControlKind::kEdit, nullptr, 83, 7, 362, 14, kBorder},
    ControlTemplate{kBrowseButton, ControlKind::kPushButton, "...", 452, 7, 22, 15, kNoStyle},
    ControlTemplate{kSubfoldersBox, ControlKind::kCheckBox, "Subfolders", 11, 24, 114, 14,
                    kNoStyle},
    ControlTemplate{kNameFilterLabel, ControlKind::kLabel, "Filename", 135, 26, 68, 12, kNoStyle},
    ControlTemplate{kNameFilterField, ControlKind::kEdit, nullptr, 209, 23, 97, 14, kBorder},
    ControlTemplate{kExtensionLabel, ControlKind::kLabel, "Extension", 311, 26, 94, 12, kNoStyle},
    ControlTemplate{kExtensionField, ControlKind::kEdit, nullptr, 408, 23, 66, 14, kBorder},
    ControlTemplate{kAlgorithmLabel, ControlKind::kLabel, "Algorithm", 7, 45, 75, 12, kNoStyle},
    ControlTemplate{kAlgorithmList, ControlKind::kDropDownList, nullptr, 84, 43, 91, 109, kNoStyle},
    ControlTemplate{kLowercaseBox, ControlKind::kCheckBox, "Lowercase letters", 211, 43, 130, 14,
                    kNoStyle},
    ControlTemplate{kOutputField, ControlKind::kMultiLineEdit, nullptr, 7, 61, 467, 121,
                    kBorder | kVerticalScrollBar},
    // While a run shows its progress: the figures on the bar, the file at hand below it. After
    // a run: its summary in their place.
    ControlTemplate{kProgressBar, ControlKind::kProgressBar, nullptr, 7, 185, 467, 12, kHidden},
    ControlTemplate{kCurrentFileLabel, ControlKind::kLabel, nullptr, 7, 199, 467, 11,
                    kCentreVertically | kHidden | kFlexibleText},
    ControlTemplate{kSummaryLabel, ControlKind::kLabel, nullptr, 7, 185, 467, 26, kFlexibleText},
    ControlTemplate{kSaveButton, ControlKind::kPushButton, "Save results...", 7, 215, 124, 16,
                    kNoStyle},
    ControlTemplate{kProcessButton, ControlKind::kPushButton, "Process Folder", 137, 215, 96, 16,
                    kNoStyle},
    ControlTemplate{kOkResult, ControlKind::kDefaultPushButton, "OK", 241, 215, 102, 16, kNoStyle},
    ControlTemplate{kStopButton, ControlKind::kPushButton, "Stop", 409, 214, 65, 16, kHidden},
};

constexpr DialogTemplate kTemplate{"Get Hash from folder", 482, 238, true, false, kControls, {}};

}  // namespace

std::span<const TranslationTable> FolderWindowTables() {
    static const std::array<TranslationTable, 2> tables = {kFolderWindow, ProgressDisplayTexts()};
    return tables;
}

const DialogTemplate& FolderWindowTemplate() {
    return kTemplate;
}

}  // namespace tessik
