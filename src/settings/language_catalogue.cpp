#include "settings/language_catalogue.h"

#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "settings/storage_locations.h"

namespace tessik {
namespace {

constexpr std::string_view kBuiltInName = "English";

}  // namespace

KeyValueDocument LoadLanguageFile(const std::u16string& path) {
    KeyValueDocument document(DocumentLayout::Plain);
    if (FileExists(path)) document.load(path);
    return document;
}

std::optional<LanguageCatalogue> LoadLanguageCatalogue(const std::u16string& path) {
    KeyValueDocument document(DocumentLayout::Plain);
    if (!document.load(path).loaded()) return std::nullopt;
    LanguageCatalogue catalogue;
    catalogue.defaultName = document.getString("LanguageDefault", "");
    // The first pair is looked up from the start, each later one from where the previous
    // lookup ended; files rely on exactly this walk.
    CatalogueEntry entry{document.getString("LanguageName", ""),
                         document.getString("LanguageFile", "")};
    while (!entry.name.empty() && !entry.file.empty()) {
        catalogue.entries.push_back(std::move(entry));
        entry.name = document.getNext("LanguageName");
        entry.file = document.getNext("LanguageFile");
    }
    return catalogue;
}

std::u16string LanguageFilePath(const std::u16string& programDirectory,
                                const CatalogueEntry& entry) {
    // A file name is bytes of the file system, so it is decoded losslessly.
    return programDirectory + FromNativePath(entry.file);
}

std::u16string translate(KeyValueDocument& document, std::string_view key,
                         std::u16string_view builtIn) {
    const std::string value = document.getString(key, "");
    return value.empty() ? std::u16string(builtIn) : FromUtf8(value);
}

void applyTexts(const std::u16string& path, std::span<const TranslationTable> tables,
                TextSink& window) {
    KeyValueDocument document = LoadLanguageFile(path);
    for (const TranslationTable& table : tables) {
        for (const TranslationEntry& entry : table) {
            window.setText(entry.target, translate(document, entry.key, entry.english));
        }
    }
}

void applyLanguage(const std::u16string& path, std::span<const TranslationTable> tables,
                   LanguageState& state, TextSink& window) {
    state.languageFilePath = FileExists(path) ? path : std::u16string();
    applyTexts(path, tables, window);
}

void selectLanguage(std::string_view name, const std::u16string& programDirectory,
                    std::span<const TranslationTable> tables, LanguageState& state,
                    TextSink& window) {
    state.languageFilePath.clear();
    applyLanguage(u"", tables, state, window);
    const std::optional<LanguageCatalogue> catalogue =
        LoadLanguageCatalogue(programDirectory + kLanguageCatalogueFileName);
    if (!catalogue) return;
    const std::string_view wanted = name.empty() ? catalogue->defaultName : name;
    for (const CatalogueEntry& entry : catalogue->entries) {
        if (entry.name != wanted) continue;
        applyLanguage(LanguageFilePath(programDirectory, entry), tables, state, window);
        state.languageName = FromUtf8(entry.name);
        return;
    }
}

std::u16string LanguageChoices::filePathAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return {};
    return entries[static_cast<std::size_t>(index)].filePath;
}

LanguageChoices BuildLanguageChoices(const std::u16string& cataloguePath,
                                     const std::u16string& programDirectory,
                                     const std::u16string& currentFilePath) {
    LanguageChoices choices;
    choices.entries.push_back({FromUtf8(kBuiltInName), {}});
    const std::optional<LanguageCatalogue> catalogue = LoadLanguageCatalogue(cataloguePath);
    if (!catalogue) return choices;
    bool builtInListed = false;
    for (const CatalogueEntry& entry : catalogue->entries) {
        builtInListed = builtInListed || entry.name == kBuiltInName;
        LanguageChoice choice{FromUtf8(entry.name), LanguageFilePath(programDirectory, entry)};
        if (choice.filePath == currentFilePath) {
            choices.preselected = static_cast<int>(choices.entries.size());
        }
        choices.entries.push_back(std::move(choice));
    }
    // The catalogue's own English entry stands in for the built-in texts.
    if (builtInListed) {
        choices.entries.erase(choices.entries.begin());
        if (choices.preselected > 0) --choices.preselected;
    }
    return choices;
}

}  // namespace tessik
