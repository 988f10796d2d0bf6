#pragma once
// Languages: the catalogue beside the program names each language and its file; a language
// file gives any key of the translation tables another text, and whatever it lacks keeps its
// built-in English. The windows take part only through TextSink.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/key_value_document.h"
#include "settings/translation_tables.h"

namespace tessik {

// Receives each translated text for its target.
class TextSink {
  public:
    virtual ~TextSink() = default;
    virtual void setText(const TextTarget& target, const std::u16string& text) = 0;
};

struct CatalogueEntry {
    std::string name;  // UTF-8, compared byte for byte
    std::string file;  // relative to the program directory
};

struct LanguageCatalogue {
    std::string defaultName;
    // Up to the first entry whose name or file is missing or empty.
    std::vector<CatalogueEntry> entries;
};

// Nothing when the catalogue cannot be read (or is empty).
std::optional<LanguageCatalogue> LoadLanguageCatalogue(const std::u16string& path);

// Full path of an entry's language file.
std::u16string LanguageFilePath(const std::u16string& programDirectory,
                                const CatalogueEntry& entry);

// A language file's keys and texts; a path that names no file gives none.
KeyValueDocument LoadLanguageFile(const std::u16string& path);

// The key's text in the document, or the built-in text when it is missing or empty.
std::u16string translate(KeyValueDocument& document, std::string_view key,
                         std::u16string_view builtIn);

// Applies the tables' texts from a language file, in table order; a path that names no file gives
// every built-in text.
void applyTexts(const std::u16string& path, std::span<const TranslationTable> tables,
                TextSink& window);

// The language of the main window, which the other windows follow.
struct LanguageState {
    std::u16string languageName;      // empty while only built-in texts were applied
    std::u16string languageFilePath;  // empty while the built-in texts are in use
};

// Applies the tables' texts; `languageFilePath` becomes the path if it names a file.
void applyLanguage(const std::u16string& path, std::span<const TranslationTable> tables,
                   LanguageState& state, TextSink& window);

// Restores the built-in texts, then applies the catalogue's language of that UTF-8 name (its
// default language when the name is empty). A name the catalogue lacks leaves the built-in
// texts and the previous `languageName`.
void selectLanguage(std::string_view name, const std::u16string& programDirectory,
                    std::span<const TranslationTable> tables, LanguageState& state,
                    TextSink& window);

// The entries the language window lists: the built-in English first (unless the catalogue
// has an entry named exactly "English"), then the catalogue's in its order.
struct LanguageChoice {
    std::u16string name;
    std::u16string filePath;  // empty for the built-in texts
};

struct LanguageChoices {
    std::vector<LanguageChoice> entries;
    // The entry whose file is the one in use; 0 when none is.
    int preselected = 0;

    // The file of the entry at `index`; empty outside the list.
    std::u16string filePathAt(int index) const;
};

LanguageChoices BuildLanguageChoices(const std::u16string& cataloguePath,
                                     const std::u16string& programDirectory,
                                     const std::u16string& currentFilePath);

}  // namespace tessik
