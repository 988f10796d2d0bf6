#pragma once
// Every table of every window, each once (the progress display's is shared), and the read
// failures' words: every key a language file translates.

#include <set>
#include <string_view>
#include <vector>

#include "settings/read_failure_words.h"
#include "ui/rules/about_window.h"
#include "ui/rules/algorithms_window.h"
#include "ui/rules/all_algorithms_window.h"
#include "ui/rules/folder_window.h"
#include "ui/rules/language_window.h"
#include "ui/rules/list_window.h"
#include "ui/rules/main_window.h"
#include "ui/rules/options_window.h"

namespace tessik::test {

inline std::vector<TranslationTable> AllWindowTables() {
    std::vector<TranslationTable> all;
    for (const auto& window : {MainWindowTables(), FolderWindowTables(), ListWindowTables(),
                               LanguageWindowTables(), OptionsWindowTables(), AboutWindowTables(),
                               AllAlgorithmsWindowTables(), AlgorithmsWindowTables()}) {
        for (const TranslationTable& table : window) {
            bool known = false;
            for (const TranslationTable& listed : all)
                known = known || listed.data() == table.data();
            if (!known) all.push_back(table);
        }
    }
    return all;
}

inline std::set<std::string_view> AllTranslatedKeys() {
    std::set<std::string_view> keys;
    for (const TranslationTable& table : AllWindowTables()) {
        for (const TranslationEntry& entry : table) keys.insert(entry.key);
    }
    for (const ReadFailureWords& words : ReadFailureTable()) {
        keys.insert(words.message.key);
        keys.insert(words.status.key);
    }
    return keys;
}

}  // namespace tessik::test
