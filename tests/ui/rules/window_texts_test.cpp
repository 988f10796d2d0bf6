// Each window's texts, kept beside it: their keys are named after their window and unique, and
// a language file reaches exactly the window whose keys it translates.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "all_window_texts.h"
#include "settings/language_catalogue.h"
#include "support/temporary_folder.h"
#include "ui/rules/dialog_template.h"

namespace tessik {
namespace {

TEST(WindowTextsTest, KeysAreUniqueAndNamedAfterTheirWindow) {
    const struct {
        std::span<const TranslationTable> tables;
        std::vector<const char*> prefixes;  // of each table
        std::vector<std::size_t> sizes;
    } windows[] = {
        {MainWindowTables(),
         {"FrmMain.ID_MEN_", "FrmMain.m_", "FrmMain.m_acM", "FrmProgress."},
         {13, 12, 27, 7}},
        {FolderWindowTables(), {"FrmFolder.", "FrmProgress."}, {26, 7}},
        {ListWindowTables(), {"FrmList.", "FrmProgress."}, {53, 7}},
        {LanguageWindowTables(), {"FrmLanguage."}, {4}},
        {OptionsWindowTables(), {"FrmOptions."}, {14}},
        {AboutWindowTables(), {"FrmAbout."}, {9}},
        {AllAlgorithmsWindowTables(), {"FrmAllAlgorithms.", "FrmProgress."}, {14, 7}},
        {AlgorithmsWindowTables(), {"FrmAlgorithms."}, {6}},
    };
    std::set<std::string_view> keys;
    std::size_t total = 0;
    for (const auto& window : windows) {
        ASSERT_EQ(window.tables.size(), window.prefixes.size());
        for (std::size_t t = 0; t < window.tables.size(); ++t) {
            const TranslationTable table = window.tables[t];
            EXPECT_EQ(table.size(), window.sizes[t]) << window.prefixes[t];
            std::set<std::pair<TextTargetKind, int>> targets;
            for (const auto& entry : table) {
                EXPECT_EQ(entry.key.rfind(window.prefixes[t], 0), 0u) << entry.key;
                EXPECT_TRUE(targets.insert({entry.target.kind, entry.target.id}).second)
                    << entry.key;
                EXPECT_FALSE(entry.english.empty()) << entry.key;
                if (keys.insert(entry.key).second) ++total;
            }
        }
    }
    for (const ReadFailureWords& words : ReadFailureTable()) {
        EXPECT_TRUE(keys.insert(words.message.key).second) << words.message.key;
        EXPECT_TRUE(keys.insert(words.status.key).second) << words.status.key;
    }
    EXPECT_EQ(test::AllTranslatedKeys(), keys);
}

// Records each text for its target.
class TextsSeen : public TextSink {
  public:
    void setText(const TextTarget& target, const std::u16string& text) override {
        texts[{target.kind, target.id}] = text;
    }
    std::map<std::pair<TextTargetKind, int>, std::u16string> texts;
};

TEST(WindowTextsTest, EachWindowTakesItsOwnTables) {
    test::TemporaryFolder folder;
    test::WriteBytes(folder.Native("de.lng"),
                     "FrmFolder.Caption=\"Ordner\"\r\nFrmLanguage.m_BTNCancel=\"Abbrechen\"\r\n"
                     "FrmOptions.m_LBLFont=\"Schrift\"\r\nFrmMain.m_BTNCopy=\"Kopieren\"\r\n");
    const struct {
        const char* name;
        std::span<const TranslationTable> tables;
        TextTarget changed;
        std::u16string text;
    } cases[] = {
        {"folder", FolderWindowTables(), TextTarget::Title(), u"Ordner"},
        {"language", LanguageWindowTables(), TextTarget::Control(kCancelResult), u"Abbrechen"},
        {"options", OptionsWindowTables(), TextTarget::Control(options_window::kFontLabel),
         u"Schrift"},
        {"main", MainWindowTables(), TextTarget::Control(main_window::kCopyButton), u"Kopieren"},
    };
    for (const auto& c : cases) {
        for (const std::u16string& path : {folder.U16("de.lng"), folder.U16("missing.lng")}) {
            TextsSeen builtIn, seen;
            for (const TranslationTable& table : c.tables) {
                for (const auto& entry : table) {
                    builtIn.setText(entry.target, std::u16string(entry.english));
                }
            }
            if (path == folder.U16("de.lng")) builtIn.setText(c.changed, c.text);
            applyTexts(path, c.tables, seen);
            EXPECT_EQ(seen.texts, builtIn.texts) << c.name;
        }
    }
}

}  // namespace
}  // namespace tessik
