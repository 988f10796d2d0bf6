#include "ui/qt/opened_windows.h"

#include "platform/path_utilities.h"
#include "settings/storage_locations.h"
#include "ui/qt/about_dlg.h"
#include "ui/qt/all_algorithms_dlg.h"
#include "ui/qt/hash_files_dlg.h"
#include "ui/qt/hash_folder_dlg.h"
#include "ui/qt/language_dlg.h"
#include "ui/qt/options_dlg.h"
#include "ui/qt/verify_list_dlg.h"
#include "ui/rules/folder_window_rules.h"

namespace tessik {

void OpenFolderWindow(const OpeningContext& context, const std::u16string& folder,
                      DigestChoice choice, FolderValues& values, const std::u16string& separator) {
    CHashFolderDlg window(context.desktop, context.owner);
    window.setLanguageFile(context.languageFile);
    window.offerSeveral(context.tickedAlgorithms);
    if (!folder.empty()) window.setFolder(FolderFieldText(folder));
    window.RunFolderDialog(context.fonts, choice.algorithmIndex, choice.lowerCase, values,
                           separator);
}

void OpenVerifyWindow(const OpeningContext& context, const std::u16string& list, int algorithm,
                      const std::u16string& separator) {
    CVerifyListDlg window(context.desktop, context.owner);
    window.setLanguageFile(context.languageFile);
    window.RunVerifyDialog(context.fonts, FullPath(list), algorithm, separator);
}

void OpenFilesWindow(const OpeningContext& context, std::vector<std::u16string> paths,
                     DigestChoice choice) {
    CHashFilesDlg window(context.desktop, context.owner);
    window.setLanguageFile(context.languageFile);
    window.offerSeveral(context.tickedAlgorithms);
    window.RunFilesDialog(context.fonts, std::move(paths), choice.algorithmIndex, choice.lowerCase);
}

void OpenAllAlgorithmsWindow(const OpeningContext& context, const std::u16string& file,
                             const std::u16string& expected, bool lowerCase,
                             const std::u16string& separator) {
    CAllAlgorithmsDlg window(context.desktop, context.owner);
    window.setLanguageFile(context.languageFile);
    window.RunAllAlgorithmsDialog(context.fonts, FullPath(file), expected, context.tickedAlgorithms,
                                  lowerCase, separator);
}

bool OpenOptionsWindow(const OpeningContext& context, std::u16string& separator,
                       TypedLineEnds& lineEnds, bool& lookForLists) {
    COptionsDlg window(context.desktop, context.owner);
    window.setLanguageFile(context.languageFile);
    return window.RunOptionsDialog(context.fonts, separator, lineEnds, lookForLists) == kOkResult;
}

bool OpenLanguageWindow(const OpeningContext& context, const std::u16string& programDirectory,
                        std::u16string& languageFile, std::u16string& languageName) {
    CLanguageDlg window(context.desktop, context.owner);
    window.SetLanguageData(languageFile, languageName,
                           programDirectory + kLanguageCatalogueFileName, programDirectory,
                           languageFile, languageName);
    return window.RunLanguageDialog(context.fonts) == kOkResult;
}

void OpenAboutWindow(const OpeningContext& context, const QString& okCaption) {
    CAboutDlg window(context.desktop, context.owner);
    window.setLanguageFile(context.languageFile);
    window.RunAboutDialog(context.fonts, okCaption);
}

}  // namespace tessik
