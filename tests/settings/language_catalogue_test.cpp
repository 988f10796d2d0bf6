#include "platform/path_encoding.h"
#include "settings/language_catalogue.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "support/temporary_folder.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

struct TargetLess {
    bool operator()(const TextTarget& a, const TextTarget& b) const {
        return std::pair(a.kind, a.id) < std::pair(b.kind, b.id);
    }
};

// A window that keeps the last text of each target and the order in which they came.
class FakeTextWindow : public TextSink {
  public:
    void setText(const TextTarget& target, const std::u16string& text) override {
        texts[target] = text;
        order.push_back(target);
    }
    std::map<TextTarget, std::u16string, TargetLess> texts;
    std::vector<TextTarget> order;
};

std::map<TextTarget, std::u16string, TargetLess> BuiltIn(std::span<const TranslationTable> tables) {
    std::map<TextTarget, std::u16string, TargetLess> texts;
    for (const auto& table : tables) {
        for (const auto& entry : table) texts[entry.target] = std::u16string(entry.english);
    }
    return texts;
}

constexpr TextTarget Copy() {
    return TextTarget::Control(1014);
}

// A window's tables: a menu, its controls and a text it keeps.
constexpr TranslationEntry kMenu[] = {
    {"FrmMain.ID_MEN_FILE", TextTarget::MenuPosition(0), u"File"}};
constexpr TranslationEntry kControls[] = {
    {"FrmMain.m_BTNCopy", Copy(), u"Copy"},
    {"FrmMain.m_BTNCompare", TextTarget::Control(1010), u"Compare"},
};
constexpr TranslationEntry kKept[] = {{"FrmMain.m_acMBtnOk", TextTarget::Member(3), u"OK"}};
constexpr TranslationTable kTables[] = {kMenu, kControls, kKept};

TEST(LanguageCatalogue, ReadsPairsUntilTheFirstIncompleteOne) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::pair<std::string, std::string>> pairs;
    } cases[] = {
        {"two pairs",
         "LanguageDefault=\"B\"\r\nLanguageName=\"A\"\r\nLanguageFile=\"a.lng\"\r\n"
         "LanguageName=\"B\"\r\nLanguageFile=\"b.lng\"\r\n",
         {{"A", "a.lng"}, {"B", "b.lng"}}},
        {"empty first name",
         "LanguageName=\"\"\r\nLanguageFile=\"a\"\r\nLanguageName=\"B\"\r\n"
         "LanguageFile=\"b\"\r\n",
         {}},
        {"missing file ends the list",
         "LanguageName=\"A\"\r\nLanguageFile=\"a\"\r\nLanguageName=\"B\"\r\nLanguageName=\"C\"\r\n",
         {{"A", "a"}}},
        // Each later pair is looked for after the first file entry, wherever that stands.
        {"file before name",
         "LanguageFile=\"a\"\r\nLanguageName=\"A\"\r\nLanguageName=\"B\"\r\nLanguageFile=\"b\"\r\n",
         {{"A", "a"}, {"A", "b"}}},
    };
    for (const auto& c : cases) {
        TemporaryFolder temp;
        test::WriteBytes(temp.Native("Languages.ini"), c.text);
        const auto catalogue = LoadLanguageCatalogue(temp.U16("Languages.ini"));
        ASSERT_TRUE(catalogue) << c.name;
        std::vector<std::pair<std::string, std::string>> pairs;
        for (const auto& entry : catalogue->entries) pairs.emplace_back(entry.name, entry.file);
        EXPECT_EQ(pairs, c.pairs) << c.name;
    }
}

// A program folder with a catalogue and language files.
struct LanguageFolder {
    std::u16string Dir() const { return temp.U16() + kPathSeparator; }
    void Write(const std::string& name, const std::string& text) const {
        test::WriteBytes(temp.Native(name), text);
    }
    TemporaryFolder temp;
};

const char kTwoLanguages[] =
    "LanguageName=\"Deutsch\"\r\nLanguageFile=\"de.lng\"\r\n"
    "LanguageName=\"Fran\xc3\xa7"
    "ais\"\r\nLanguageFile=\"fr.lng\"\r\n";

TEST(LanguageCatalogue, SelectLanguageAppliesTheNamedOrDefaultPair) {
    const struct {
        const char* name;
        std::string catalogue;  // empty: no catalogue file
        std::string wanted;
        std::u16string copyText;      // Copy button afterwards
        std::u16string languageName;  // was "Previous" before
        const char* file;             // languageFilePath afterwards, relative
    } cases[] = {
        {"no catalogue", "", "", u"Copy", u"Previous", nullptr},
        {"default names the second pair",
         std::string("LanguageDefault=\"Fran\xc3\xa7"
                     "ais\"\r\n") +
             kTwoLanguages,
         "", u"Copier", u"Fran\u00e7ais", "fr.lng"},
        {"no default", kTwoLanguages, "", u"Copy", u"Previous", nullptr},
        {"stored name", kTwoLanguages, "Deutsch", u"Kopieren", u"Deutsch", "de.lng"},
        {"stored name beats default",
         std::string("LanguageDefault=\"Deutsch\"\r\n") + kTwoLanguages,
         "Fran\xc3\xa7"
         "ais",
         u"Copier", u"Fran\u00e7ais", "fr.lng"},
        {"case differs", kTwoLanguages, "deutsch", u"Copy", u"Previous", nullptr},
        {"unknown name", kTwoLanguages, "Klingon", u"Copy", u"Previous", nullptr},
        {"first name empty",
         std::string("LanguageName=\"\"\r\nLanguageFile=\"x\"\r\n") + kTwoLanguages, "Deutsch",
         u"Copy", u"Previous", nullptr},
        {"file missing", "LanguageName=\"Nihongo\"\r\nLanguageFile=\"ja.lng\"\r\n", "Nihongo",
         u"Copy", u"Nihongo", nullptr},
    };
    for (const auto& c : cases) {
        LanguageFolder folder;
        if (!c.catalogue.empty()) folder.Write("Languages.ini", c.catalogue);
        folder.Write("de.lng", "FrmMain.m_BTNCopy=\"Kopieren\"\r\n");
        folder.Write("fr.lng", "FrmMain.m_BTNCopy=\"Copier\"\r\n");
        LanguageState state{u"Previous", u"/stale/path"};
        FakeTextWindow window;
        selectLanguage(c.wanted, folder.Dir(), kTables, state, window);
        EXPECT_EQ(window.texts[Copy()], c.copyText) << c.name;
        EXPECT_EQ(state.languageName, c.languageName) << c.name;
        EXPECT_EQ(state.languageFilePath, c.file ? folder.temp.U16(c.file) : u"") << c.name;
    }
}

TEST(LanguageCatalogue, LanguageFileChangesOnlyTheKeysItHolds) {
    LanguageFolder folder;
    folder.Write("one.lng",
                 "FrmMain.m_BTNCopy=\"Kopieren\"\r\nFrmMain.m_BTNCompare=\"\"\r\n"
                 "FrmMain.ID_MEN_FILE=\"Datei\"\r\nFrmMain.m_acMBtnOk=\"Gut\"\r\n");
    LanguageState state;
    FakeTextWindow window;
    applyLanguage(folder.temp.U16("one.lng"), kTables, state, window);
    auto expected = BuiltIn(kTables);
    expected[Copy()] = u"Kopieren";
    expected[TextTarget::MenuPosition(0)] = u"Datei";
    expected[TextTarget::Member(3)] = u"Gut";
    EXPECT_EQ(window.texts, expected);
    EXPECT_EQ(state.languageFilePath, folder.temp.U16("one.lng"));

    // Table after table, each in its order.
    std::vector<TextTarget> order;
    for (const auto& table : kTables) {
        for (const auto& entry : table) order.push_back(entry.target);
    }
    EXPECT_EQ(window.order, order);

    // Back to the built-in texts.
    FakeTextWindow english;
    applyLanguage(u"", kTables, state, english);
    EXPECT_EQ(english.texts, BuiltIn(kTables));
    EXPECT_EQ(state.languageFilePath, u"");
}

TEST(LanguageCatalogue, LanguageWindowChoices) {
    const struct {
        const char* name;
        std::string catalogue;  // empty: no catalogue file
        const char* current;    // file in use, relative; nullptr: built-in texts
        std::vector<std::u16string> names;
        int preselected;
        const char* preselectedFile;  // nullptr: built-in texts
    } cases[] = {
        {"no catalogue", "", nullptr, {u"English"}, 0, nullptr},
        {"built-in in use",
         kTwoLanguages,
         nullptr,
         {u"English", u"Deutsch", u"Fran\u00e7ais"},
         0,
         nullptr},
        {"second in use",
         kTwoLanguages,
         "fr.lng",
         {u"English", u"Deutsch", u"Fran\u00e7ais"},
         2,
         "fr.lng"},
        {"catalogue lists English",
         "LanguageName=\"Deutsch\"\r\nLanguageFile=\"de.lng\"\r\n"
         "LanguageName=\"English\"\r\nLanguageFile=\"en.lng\"\r\n",
         "en.lng",
         {u"Deutsch", u"English"},
         1,
         "en.lng"},
        {"catalogue English, built-in in use",
         "LanguageName=\"English\"\r\nLanguageFile=\"en.lng\"\r\n",
         nullptr,
         {u"English"},
         0,
         "en.lng"},
        {"English with a space is another name",
         "LanguageName=\"English \"\r\nLanguageFile=\"en.lng\"\r\n",
         "en.lng",
         {u"English", u"English "},
         1,
         "en.lng"},
    };
    for (const auto& c : cases) {
        LanguageFolder folder;
        if (!c.catalogue.empty()) folder.Write("Languages.ini", c.catalogue);
        const LanguageChoices choices =
            BuildLanguageChoices(folder.temp.U16("Languages.ini"), folder.Dir(),
                                 c.current ? folder.temp.U16(c.current) : u"");
        std::vector<std::u16string> names;
        for (const auto& entry : choices.entries) names.push_back(entry.name);
        EXPECT_EQ(names, c.names) << c.name;
        EXPECT_EQ(choices.preselected, c.preselected) << c.name;
        EXPECT_EQ(choices.filePathAt(choices.preselected),
                  c.preselectedFile ? folder.temp.U16(c.preselectedFile) : u"")
            << c.name;
        EXPECT_EQ(choices.filePathAt(-1), u"") << c.name;
        EXPECT_EQ(choices.filePathAt(static_cast<int>(names.size())), u"") << c.name;
    }
}

}  // namespace
}  // namespace tessik
