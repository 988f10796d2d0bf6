// Access keys: every menu, button, check box and field label of every window has one, in the
// built-in texts and in each shipped language, and no two in reach at the same time share it.

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "platform/utf8_codec.h"
#include "ui/rules/about_window.h"
#include "ui/rules/access_keys.h"
#include "ui/rules/algorithms_window.h"
#include "ui/rules/all_algorithms_window.h"
#include "ui/rules/folder_window.h"
#include "ui/rules/language_window.h"
#include "ui/rules/list_window.h"
#include "ui/rules/main_window.h"
#include "ui/rules/options_window.h"

namespace tessik {
namespace {

std::string Utf8(std::u16string_view text) {
    return EncodeUtf8(text, LoneSurrogate::kReplace);
}

TEST(AccessKeys, TheMarkedLetterAndTheShownText) {
    const struct {
        std::u16string text;
        char16_t key;
        std::u16string shown;
    } cases[] = {
        {u"&File", u'f', u"File"},
        {u"Get HASH from f&ile", u'i', u"Get HASH from file"},
        {u"Salt && &pepper", u'p', u"Salt & pepper"},
        {u"Fish && chips", 0, u"Fish & chips"},
        {u"Zur Liste &Übernehmen", u'\u00FC', u"Zur Liste Übernehmen"},
        {u"ends with &", 0, u"ends with &"},
        {u"", 0, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AccessKeyOf(c.text), c.key) << Utf8(c.text);
        EXPECT_EQ(WithoutAccessKeys(c.text), c.shown) << Utf8(c.text);
    }
}

// The texts a window ends up with in one language.
class TextsSeen : public TextSink {
  public:
    void setText(const TextTarget& target, const std::u16string& text) override {
        texts[{target.kind, target.id}] = text;
    }
    std::u16string of(TextTargetKind kind, int id) const {
        const auto found = texts.find({kind, id});
        return found == texts.end() ? std::u16string() : found->second;
    }
    std::map<std::pair<TextTargetKind, int>, std::u16string> texts;
};

bool HasLetters(const char* text) {
    for (; text != nullptr && *text != '\0'; ++text) {
        if (std::isalpha(static_cast<unsigned char>(*text))) return true;
    }
    return false;
}

// A control the keyboard reaches by its own key: a button, a check box, or the label that names
// the field after it, where the user types or picks. OK and Cancel have Enter and Escape;
// buttons without a letter ("...") need none.
bool NeedsAccessKey(const ControlTemplate& row, const ControlTemplate* previous) {
    if (previous != nullptr && NamesTheNext(*previous, row)) return (row.style & kReadOnly) == 0;
    switch (row.kind) {
        case ControlKind::kPushButton:
        case ControlKind::kDefaultPushButton:
        case ControlKind::kCheckBox:
            return row.id != kOkResult && row.id != kCancelResult && HasLetters(row.text);
        default:
            return false;
    }
}

struct Scope {
    std::string name;
    std::vector<std::u16string> texts;
};

// Within each scope, every text has a key and no two share one.
void ExpectDistinctKeys(const std::vector<Scope>& scopes, const std::string& where) {
    for (const Scope& scope : scopes) {
        std::map<char16_t, std::u16string> taken;
        for (const std::u16string& text : scope.texts) {
            const char16_t key = AccessKeyOf(text);
            if (key == 0) {
                ADD_FAILURE() << where << ", " << scope.name << ": no key in \"" << Utf8(text)
                              << "\"";
                continue;
            }
            const auto [at, added] = taken.emplace(key, text);
            EXPECT_TRUE(added) << where << ", " << scope.name << ": \"" << Utf8(text) << "\" and \""
                               << Utf8(at->second) << "\" share a key";
        }
    }
}

std::vector<Scope> ScopesOf(const DialogTemplate& window, const TextsSeen& seen) {
    Scope controls{"controls and menu bar", {}};
    const ControlTemplate* previous = nullptr;
    for (const ControlTemplate& row : window.controls) {
        if (NeedsAccessKey(row, previous)) {
            const int named =
                previous != nullptr && NamesTheNext(*previous, row) ? previous->id : row.id;
            // Buttons hidden at first stand in for another in its place, one at a time.
            if ((row.style & kHidden) == 0) {
                controls.texts.push_back(seen.of(TextTargetKind::kControl, named));
            }
        }
        previous = &row;
    }
    std::vector<Scope> scopes;
    std::vector<std::string> popups;
    for (const MenuItemTemplate& item : window.menu) {
        if (popups.empty() || popups.back() != item.popup) {
            popups.push_back(item.popup);
            controls.texts.push_back(
                seen.of(TextTargetKind::kMenuPosition, static_cast<int>(popups.size() - 1)));
            scopes.push_back({std::string("menu ") + item.popup, {}});
        }
        if (item.text != nullptr) {
            scopes.back().texts.push_back(seen.of(TextTargetKind::kMenuCommand, item.command));
        }
    }
    scopes.push_back(std::move(controls));
    return scopes;
}

TEST(AccessKeys, EveryWindowInEveryLanguageHasOneKeyForEachControlAndMenu) {
    const struct {
        const char* name;
        const DialogTemplate& window;
        std::span<const TranslationTable> tables;
    } windows[] = {
        {"main", MainWindowTemplate(), MainWindowTables()},
        {"folder", FolderWindowTemplate(), FolderWindowTables()},
        {"verify", VerifyListWindowTemplate(), ListWindowTables()},
        {"files", HashFilesWindowTemplate(), ListWindowTables()},
        {"options", OptionsWindowTemplate(), OptionsWindowTables()},
        {"language", LanguageWindowTemplate(), LanguageWindowTables()},
        {"about", AboutWindowTemplate(), AboutWindowTables()},
        {"all algorithms", AllAlgorithmsWindowTemplate(), AllAlgorithmsWindowTables()},
        {"algorithms", AlgorithmsWindowTemplate(), AlgorithmsWindowTables()},
    };
    for (const char* language : {"", "de.lng", "es.lng", "fr.lng"}) {
        const std::string file = *language ? std::string(TESSIK_DATA_DIR) + "/" + language : "";
        for (const auto& window : windows) {
            TextsSeen seen;
            int popup = -1;
            const char* lastPopup = nullptr;
            for (const MenuItemTemplate& item : window.window.menu) {
                if (lastPopup == nullptr || std::string_view(lastPopup) != item.popup) {
                    lastPopup = item.popup;
                    seen.setText(TextTarget::MenuPosition(++popup),
                                 DecodeUtf8(item.popup, InvalidUtf8::kReplace));
                }
            }
            // The template's own texts first, as the window is built; the tables then replace them.
            for (const ControlTemplate& row : window.window.controls) {
                if (row.id != -1 && row.text != nullptr) {
                    seen.setText(TextTarget::Control(row.id),
                                 DecodeUtf8(row.text, InvalidUtf8::kReplace));
                }
            }
            applyTexts(DecodeUtf8(file, InvalidUtf8::kReplace), window.tables, seen);
            ExpectDistinctKeys(
                ScopesOf(window.window, seen),
                std::string(*language ? language : "built-in") + ", " + window.name + " window");
        }
    }
}

}  // namespace
}  // namespace tessik
