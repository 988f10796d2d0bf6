#pragma once
// The windows the main window opens, each modal over it, in the font and language it uses.

#include <QString>
#include <string>
#include <vector>

#include "jobs/folder_run.h"
#include "settings/application_settings.h"

class QWidget;

namespace tessik {

class DesktopServices;
class FontSettings;

struct OpeningContext {
    QWidget* owner;
    DesktopServices& desktop;
    FontSettings& fonts;
    std::u16string languageFile;  // empty for the built-in texts
    // The algorithms ticked for "All algorithms" and for several at once, which windows change.
    AlgorithmSet& tickedAlgorithms;
};

// The folder window on the folder given, else on the last one kept, which only its close box
// changes.
void OpenFolderWindow(const OpeningContext& context, const std::u16string& folder,
                      DigestChoice choice, FolderValues& values, const std::u16string& separator);
void OpenVerifyWindow(const OpeningContext& context, const std::u16string& list, int algorithm,
                      const std::u16string& separator);
void OpenFilesWindow(const OpeningContext& context, std::vector<std::u16string> paths,
                     DigestChoice choice);
// Hashes the file at once with every algorithm ticked, which the window writes back.
void OpenAllAlgorithmsWindow(const OpeningContext& context, const std::u16string& file,
                             const std::u16string& expected, bool lowerCase,
                             const std::u16string& separator);
// True after OK, which has written the separator, the font settings, the line ends and whether
// lists are looked for.
bool OpenOptionsWindow(const OpeningContext& context, std::u16string& separator,
                       TypedLineEnds& lineEnds, bool& lookForLists);
// True after OK, which has written the file and name of the language chosen.
bool OpenLanguageWindow(const OpeningContext& context, const std::u16string& programDirectory,
                        std::u16string& languageFile, std::u16string& languageName);
// Its OK button has the main window's caption for it.
void OpenAboutWindow(const OpeningContext& context, const QString& okCaption);

}  // namespace tessik
