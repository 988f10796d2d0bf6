#pragma once
// The user's choices in the settings file: read once while the main window initialises and
// written whole when it is closed, as one value, so every decision here is made, and tested,
// without a window. The font goes through FontSettings, which applies it to the window.

#include <string>

#include "digest/algorithm_catalogue.h"
#include "settings/algorithm_set.h"
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

// How the line ends of typed text are hashed: CR LF as on Windows, or LF as elsewhere.
enum class TypedLineEnds { kCrLf, kLf };

// The folder window's values that outlive it.
struct FolderValues {
    std::u16string lastFolder;
    std::u16string nameFilter = u"*";
    std::u16string extensionFilter = u"*";
    bool operator==(const FolderValues&) const = default;
};

// The user's choices as the file keeps them, each with its default.
struct ApplicationSettings {
    int algorithmIndex = kDefaultAlgorithmIndex;  // always one the catalogue has, once loaded
    bool caseSensitive = false;
    bool smallLetters = true;
    FolderValues folder;
    std::u16string separator = kDefaultSeparator;
    // The catalogue's name of the language, UTF-8 as the catalogue has it; empty while no
    // language has been named by the settings or chosen by the user.
    std::string languageName;
    // Loaded: where the main window goes at start. Saved: where it is.
    StoredPosition position;
    TypedLineEnds lineEnds = TypedLineEnds::kCrLf;
    // Once a file is hashed, its expected value is looked for in a checksum list beside it.
    bool lookForLists = true;
    // What "All algorithms" hashes, and the folder and file windows' several algorithms.
    AlgorithmSet tickedAlgorithms = EveryAlgorithm();
    bool operator==(const ApplicationSettings&) const = default;
};

// What the settings file's name gets when a file that could not be read is kept aside.
inline constexpr char16_t kKeptAsideSuffix[] = u".bak";

// Every key the file does not hold whole takes its default: all of them for a missing, empty or
// unreadable file, the damaged ones for a damaged file. The font flags and font are set and the
// font applied to the window. A save that was killed before its complete new file took the old
// one's place is finished first, and temporaries of saves killed long ago are removed.
struct LoadedSettings {
    ApplicationSettings settings;
    LoadResult load;  // what the load found, which the save needs
};
LoadedSettings loadSettings(const std::u16string& path, FontSettings& fonts);

struct SettingsSave {
    WriteFailure failure = WriteFailure::kNone;
    // The file read at start could not be read whole and is kept under this name.
    std::u16string keptAsidePath;
};

// Writes all twenty keys. A file that the load found unreadable or damaged is kept aside
// first (one generation), so what it held is never lost to defaults; a file that could not be
// written leaves the old one as it was.
SettingsSave saveSettings(const std::u16string& path, const ApplicationSettings& settings,
                          const FontSettings& fonts, const StorageLocations& locations,
                          const LoadResult& loaded);

}  // namespace tessik
