// The language files delivered beside the program: every one is listed in the catalogue, loads,
// is written the way our data files are, and gives every window's every key a text of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "all_window_texts.h"
#include "platform/utf8_codec.h"
#include "settings/key_value_document.h"
#include "settings/language_catalogue.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

const std::string kDataFolder = TESSIK_DATA_DIR;

std::u16string U16(const std::string& utf8) {
    return DecodeUtf8(utf8, InvalidUtf8::kReplace);
}

bool IsUtf8(const std::string& bytes) {
    return EncodeUtf8(DecodeUtf8(bytes, InvalidUtf8::kReplace), LoneSurrogate::kReplace) == bytes;
}

// The lines of a data file: UTF-8 without a byte-order mark, every line ended by CR LF and
// written as key="value".
std::vector<std::pair<std::string, std::string>> Entries(const std::string& name) {
    const std::string bytes = test::ReadBytes(kDataFolder + "/" + name);
    EXPECT_FALSE(bytes.empty()) << name;
    EXPECT_TRUE(IsUtf8(bytes)) << name;
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF")) << name;
    EXPECT_TRUE(bytes.ends_with("\r\n")) << name;
    std::vector<std::pair<std::string, std::string>> entries;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        start = end + 2;
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << name << ": " << line;
        const std::size_t equals = line.find("=\"");
        EXPECT_TRUE(equals != std::string::npos && line.ends_with("\"") &&
                    std::count(line.begin(), line.end(), '"') == 2)
            << name << ": " << line;
        if (equals == std::string::npos) continue;
        entries.emplace_back(line.substr(0, equals),
                             line.substr(equals + 2, line.size() - equals - 3));
    }
    return entries;
}

std::set<std::string> ShippedLanguageFiles() {
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(kDataFolder)) {
        if (entry.path().extension() == ".lng") files.insert(entry.path().filename().string());
    }
    return files;
}

TEST(ShippedLanguagesTest, TheCatalogueListsEveryLanguageFileAndNoDefault) {
    Entries("Languages.ini");
    const std::optional<LanguageCatalogue> catalogue =
        LoadLanguageCatalogue(U16(kDataFolder + "/Languages.ini"));
    ASSERT_TRUE(catalogue.has_value());
    EXPECT_EQ(catalogue->defaultName, "");  // the built-in English applies
    std::set<std::string> names;
    std::set<std::string> files;
    for (const CatalogueEntry& entry : catalogue->entries) {
        names.insert(entry.name);
        files.insert(entry.file);
    }
    EXPECT_EQ(names, (std::set<std::string>{"Deutsch", "Espa\xC3\xB1ol",
                                            "Fran\xC3\xA7"
                                            "ais"}));
    EXPECT_EQ(files, ShippedLanguageFiles());
    EXPECT_EQ(files.size(), catalogue->entries.size());
}

TEST(ShippedLanguagesTest, EveryFileTranslatesEveryKeyOfEveryWindowOnce) {
    std::set<std::string> keys;
    for (const std::string_view key : test::AllTranslatedKeys()) keys.insert(std::string(key));
    ASSERT_EQ(keys.size(), 201u);
    ASSERT_FALSE(ShippedLanguageFiles().empty());
    for (const std::string& file : ShippedLanguageFiles()) {
        std::map<std::string, std::string> values;
        for (const auto& [key, value] : Entries(file)) {
            EXPECT_TRUE(keys.contains(key)) << file << ": unknown key " << key;
            EXPECT_TRUE(values.emplace(key, value).second) << file << ": " << key << " twice";
            EXPECT_FALSE(value.empty()) << file << ": " << key;
        }
        EXPECT_EQ(values.size(), keys.size()) << file;

        // The program reads the same texts back.
        KeyValueDocument document(DocumentLayout::Plain);
        ASSERT_TRUE(document.load(U16(kDataFolder + "/" + file)).loaded()) << file;
        for (const std::string& key : keys) {
            EXPECT_EQ(document.getString(key, ""), values[key]) << file << ": " << key;
        }
        // The file dialog's filter keeps its form: description, pattern, closing bars.
        EXPECT_TRUE(values["FrmMain.m_acMAllFiles"].ends_with("|*.*||")) << file;
    }
}

}  // namespace
}  // namespace tessik
