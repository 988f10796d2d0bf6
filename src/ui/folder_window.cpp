#include "ui/folder_window.h"

#include <array>

#include "ui/dialog_template.h"
#include "ui/progress_text.h"

namespace tessik {
namespace {

using namespace folder_window;

constexpr TranslationEntry kFolderWindow[] = {
    {"FrmFolder.Caption", TextTarget::Title(), u"Get Hash from folder"},
    {"FrmFolder.m_LBLFolder", TextTarget::Control(kFolderLabel), u"Folder"},
    {"FrmFolder.m_CHKSubfolders", TextTarget::Control(kSubfoldersBox), u"Subfolders"},
    {"FrmFolder.m_LBLFilename", TextTarget::Control(kNameFilterLabel), u"Filename"},
    {"FrmFolder.m_LBLFileextension", TextTarget::Control(kExtensionLabel), u"Extension"},
    {"FrmFolder.m_LBLAlgorithm", TextTarget::Control(kAlgorithmLabel), u"Algorithm"},
    {"FrmFolder.m_CHKLowercase", TextTarget::Control(kLowercaseBox), u"Lowercase letters"},
    {"FrmFolder.m_BTNOk", TextTarget::Control(kOkResult), u"OK"},
    {"FrmFolder.m_BTNProcessFolder", TextTarget::Control(kProcessButton), u"Process folder"},
    {"FrmFolder.m_BTNStopProcessing", TextTarget::Control(kStopButton), u"Stop"},
    {"FrmFolder.m_acMSummary", TextTarget::Member(FolderMemberText::kSummary),
     u"Files hashed: %1 \u2013 could not be read: %2 \u2013 folders that could not be opened: "
     u"%3 \u2013 %4 in %5"},
    {"FrmFolder.m_acMStopped", TextTarget::Member(FolderMemberText::kStopped), u"Stopped."},
    {"FrmFolder.m_acMFolderMissing", TextTarget::Member(FolderMemberText::kFolderMissing),
     u"This folder does not exist:"},
    {"FrmFolder.m_acMFolderIsFile", TextTarget::Member(FolderMemberText::kFolderIsFile),
     u"This is a file, not a folder:"},
    {"FrmFolder.m_acMOutput", TextTarget::Member(FolderMemberText::kOutputName), u"Output"},
    {"FrmFolder.m_BTNSaveResults", TextTarget::Control(kSaveButton), u"Save results\u2026"},
    {"FrmFolder.m_acMGnuList", TextTarget::Member(FolderMemberText::kGnuList),
     u"GNU checksum list (digest  name)"},
    {"FrmFolder.m_acMBsdList", TextTarget::Member(FolderMemberText::kBsdList),
     u"BSD checksum list (TAG (name) = digest)"},
    {"FrmFolder.m_acMOutputAsShown", TextTarget::Member(FolderMemberText::kOutputAsShown),
     u"The output as shown"},
    {"FrmFolder.m_acMNotSaved", TextTarget::Member(FolderMemberText::kNotSaved),
     u"The results could not be saved:"},
    {"FrmFolder.m_acMSeveralAlgorithms", TextTarget::Member(FolderMemberText::kSeveralAlgorithms),
     u"This run used several algorithms, and a GNU list cannot say which line is which. Save a "
     u"BSD list instead."},
    {"FrmFolder.m_acMLeftOut", TextTarget::Member(FolderMemberText::kLeftOut),
     u"Files that could not be read, which have no line in the list: %1"},
};

}  // namespace

std::span<const TranslationTable> FolderWindowTables() {
    static const std::array<TranslationTable, 2> tables = {kFolderWindow, ProgressDisplayTexts()};
    return tables;
}

}  // namespace tessik
