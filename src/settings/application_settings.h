#pragma once
// The user's choices in the settings file: read once while the main window initialises and
// written whole when it is closed. The main window takes part only through SettingsWindow,
// so every decision here is made, and tested, without a window.

#include <string>

#include "settings/font_settings.h"
#include "settings/storage_locations.h"
#include "settings/window_position.h"

namespace tessik {

// What the folder results put between a path and its digest unless the user chose otherwise.
inline constexpr char16_t kDefaultSeparator[] = u"|";

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
    virtual WindowPlacement placement() const = 0;

    virtual void setLineEnds(TypedLineEnds lineEnds) = 0;
    virtual TypedLineEnds lineEnds() const = 0;
};

// A missing or damaged file gives every default. Applies, in this order: the algorithm, the
// boxes, the folder values and separator, the font flags and font, the font to the window,
// the language, the window position, the line ends.
void loadSettings(const std::u16string& path, SettingsWindow& window, FontSettings& fonts);

// Writes all nineteen keys; false when the file could not be written (the old one is then
// left as it was).
bool saveSettings(const std::u16string& path, const SettingsWindow& window,
                  const FontSettings& fonts, const StorageLocations& locations);

}  // namespace tessik
