#pragma once
// Every translatable text of the windows: its key in the language files, where it goes, and
// the English text it has when no language file supplies one. The windows apply these tables
// in order, and a check that every language file covers every key loops over them.

#include <span>
#include <string_view>

namespace tessik {

enum class TextTargetKind {
    kWindowTitle,
    kControl,       // id: control id
    kMenuPosition,  // id: position of a top-level menu entry, which keeps its drop-down menu
    kMenuCommand,   // id: command id of a menu item
    kMember,        // id: a MainMemberText
};

// Texts the main window keeps for later use rather than showing at once.
enum class MainMemberText {
    kAllFiles,       // filter of the file dialog: description|pattern||
    kCompareFailed,  // message when the two digests differ
    kCompareDone,    // message when they are equal
    kBtnOk,          // caption of the About window's OK button
};

struct TextTarget {
    TextTargetKind kind = TextTargetKind::kWindowTitle;
    int id = 0;
    bool operator==(const TextTarget&) const = default;
};

struct TranslationEntry {
    std::string_view key;
    TextTarget target;
    std::u16string_view english;
};

using TranslationTable = std::span<const TranslationEntry>;

TranslationTable MainMenuTexts();
TranslationTable MainControlTexts();
TranslationTable MainMemberTexts();
TranslationTable FolderWindowTexts();
TranslationTable LanguageWindowTexts();
TranslationTable OptionsWindowTexts();

// The main window's three tables in the order they are applied.
std::span<const TranslationTable> MainWindowTables();
// Every table of every window.
std::span<const TranslationTable> AllTranslationTables();

}  // namespace tessik
