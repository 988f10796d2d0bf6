#pragma once
// The user's choices in the settings file: read once while the main window initialises and
// written whole when it is closed. The main window takes part only through SettingsWindow,
// so every decision here is made, and tested, without a window.

#include <string>

#include "settings/font_settings.h"
#include "settings/key_value_document.h"
#include "settings/storage_locations.h"
#include "settings/window_position.h"

namespace tessik {

// What the folder results put between a path and its digest unless the user chose otherwise.
inline constexpr char16_t kDefaultSeparator[] = u"|";

// What the settings file can hold as a separator: no markup that would end its entry or start
// another one, no line break, and a length that keeps the file small.
inline constexpr std::size_t kMaxSeparatorUnits = 256;
enum class SeparatorProblem { kNone, kMarkup, kLineBreak, kTooLong };
SeparatorProblem CheckSeparator(const std::u16string& separator);

enum class SettingsBox { kCaseSensitive, kSmallLetters };

// How the line ends of typed text are hashed: CR LF as on Windows, or LF as elsewhere.
enum class TypedLineEnds { kCrLf, kLf };

// The folder window's values that outlive it.
struct FolderValues {
    std::u16string lastFolder;
    std::u16string nameFilter;
    std::u16string extensionFilter;
    bool operator==(const FolderValues&) const = default;
};

// What the settings read from and write to the main window.
class SettingsWindow {
  public:
    virtual ~SettingsWindow() = default;

    // An index the list does not have leaves it without a selection.
    virtual void selectAlgorithm(int index) = 0;
    // -1 when nothing is selected.
    virtual int selectedAlgorithm() const = 0;
    virtual void tickBox(SettingsBox box) = 0;
    virtual bool isBoxTicked(SettingsBox box) const = 0;

    virtual void setFolderValues(const FolderValues& values) = 0;
    virtual FolderValues folderValues() const = 0;
    virtual void setSeparator(const std::u16string& separator) = 0;
    virtual std::u16string separator() const = 0;

    // True while no language has been named by the settings or chosen by the user.
    virtual void setLanguageUnset(bool unset) = 0;
    virtual bool languageUnset() const = 0;
    // Selects the catalogue's language of that UTF-8 name, as the language window would.
    virtual void selectLanguage(const std::string& name) = 0;
    virtual std::u16string languageName() const = 0;

    virtual void showMaximised() = 0;
    // Moves and sizes the outer rectangle, repainting.
    virtual void moveWindow(const WindowRect& rect) = 0;
    // Where a window may go on the screen it opens on; empty when unknown.
    virtual WindowRect availableArea() const = 0;
    virtual WindowPlacement placement() const = 0;

    virtual void setLineEnds(TypedLineEnds lineEnds) = 0;
    virtual TypedLineEnds lineEnds() const = 0;
};

// What the settings file's name gets when a file that could not be read is kept aside.
inline constexpr char16_t kKeptAsideSuffix[] = u".bak";

// Applies, in this order: the algorithm, the boxes, the folder values and separator, the font
// flags and font, the font to the window, the language, the window position, the line ends.
// Every key the file does not hold whole takes its default: all of them for a missing, empty or
// unreadable file, the damaged ones for a damaged file. A save that was killed before its
// complete new file took the old one's place is finished first, and temporaries of saves
// killed long ago are removed. Returns what the load found, which the save needs.
LoadResult loadSettings(const std::u16string& path, SettingsWindow& window, FontSettings& fonts);

struct SettingsSave {
    WriteFailure failure = WriteFailure::kNone;
    // The file read at start could not be read whole and is kept under this name.
    std::u16string keptAsidePath;
};

// Writes all nineteen keys. A file that the load found unreadable or damaged is kept aside
// first (one generation), so what it held is never lost to defaults; a file that could not be
// written leaves the old one as it was.
SettingsSave saveSettings(const std::u16string& path, const SettingsWindow& window,
                          const FontSettings& fonts, const StorageLocations& locations,
                          const LoadResult& loaded);

}  // namespace tessik
