// Any bytes as the settings file and as the language catalogue: loading never fails hard and
// always yields a usable window (a listed algorithm, a readable font, a position that fits on
// the screen),
// the settings a file yields are saved and loaded back unchanged, and the language window's list
// is well-formed.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "digest/algorithm_catalogue.h"
#include "fuzz_support.h"
#include "platform/path_encoding.h"
#include "settings/application_settings.h"
#include "settings/fake_font_host.h"
#include "settings/language_catalogue.h"

namespace tessik::fuzz {
namespace {

using test::FakeFontHost;
using test::MakeFont;

// The screen the main window opens on.
constexpr WindowRect kScreen{0, 0, 1920, 1080};

// A main window's fonts and settings after one start with the given settings file.
struct Session {
    explicit Session(const std::u16string& path)
        : host(MakeFont(u"Message Sans", -12, 400, 0, 34), MakeFont(u"Dialog", -11, 700, 2, 18),
               nullptr),
          fonts(host) {
        LoadedSettings read = loadSettings(path, fonts);
        settings = std::move(read.settings);
        loaded = read.load;
    }
    bool HasAngleBracket() const {
        for (const std::u16string* text :
             {&settings.folder.lastFolder, &settings.folder.nameFilter,
              &settings.folder.extensionFilter, &settings.separator, &fonts.faceName()}) {
            if (text->find(u'<') != std::u16string::npos) return true;
        }
        return settings.languageName.find('<') != std::string::npos;
    }

    FakeFontHost host;
    FontSettings fonts;
    ApplicationSettings settings;
    LoadResult loaded;
};

void CheckUsableWindow(const Session& session) {
    Require(session.settings.algorithmIndex >= 0 &&
                session.settings.algorithmIndex < AlgorithmCount(),
            "a listed algorithm is selected");
    const long long height = session.host.currentFont().height;
    Require(height == 0 || (std::abs(height) >= 8 && std::abs(height) <= 96),
            "the font is between 6 and 72 points");
    if (session.settings.position.action == StoredPositionAction::kMove) {
        const WindowRect r = FitIntoArea(session.settings.position.rect, kScreen);
        Require(r.left >= kScreen.left && r.top >= kScreen.top && r.right <= kScreen.right &&
                    r.bottom <= kScreen.bottom,
                "the window lies on the screen");
    }
}

bool SameSettings(const Session& a, const Session& b) {
    return a.settings == b.settings && a.fonts.useBuildInFont() == b.fonts.useBuildInFont() &&
           a.fonts.useFontSettings() == b.fonts.useFontSettings() &&
           a.fonts.useFontHeight() == b.fonts.useFontHeight() &&
           a.host.currentFont() == b.host.currentFont();
}

void CheckSettingsFile(const std::string& bytes) {
    const Session first(WriteScratchFile("Tessik.ini", bytes));
    CheckUsableWindow(first);
    const std::u16string saved = FromNativePath(ScratchFolder() + "/Saved.ini");
    Require(saveSettings(saved, first.settings, first.fonts, {u"/p/", u"/s/", false},
                         first.loaded)
                    .failure == WriteFailure::kNone,
            "settings can be saved");
    // Values are stored verbatim, so one that holds another key's marker is found there: the
    // options window accepts no separator with one.
    if (first.HasAngleBracket()) {
        Require(CheckSeparator(first.settings.separator) == SeparatorProblem::kMarkup ||
                    first.settings.separator.find(u'<') == std::u16string::npos,
                "a separator with markup is refused");
        return;
    }
    Require(SameSettings(first, Session(saved)), "saved settings load back unchanged");
}

void CheckCatalogue(const std::string& bytes) {
    const std::u16string path = WriteScratchFile("Languages.ini", bytes);
    const std::optional<LanguageCatalogue> catalogue = LoadLanguageCatalogue(path);
    Require(catalogue.has_value() == !bytes.empty(), "a catalogue loads when its file has bytes");
    if (catalogue) {
        for (const CatalogueEntry& entry : catalogue->entries) {
            Require(!entry.name.empty() && !entry.file.empty(), "entries have name and file");
        }
    }
    const LanguageChoices choices = BuildLanguageChoices(path, u"/p/", u"/p/x.lng");
    Require(!choices.entries.empty(), "the list is never empty");
    Require(choices.preselected >= 0 &&
                static_cast<std::size_t>(choices.preselected) < choices.entries.size(),
            "the preselected entry is in the list");
    Require(choices.filePathAt(-1).empty() &&
                choices.filePathAt(static_cast<int>(choices.entries.size())).empty(),
            "outside the list there is no file");
}

}  // namespace
}  // namespace tessik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tessik::fuzz::CheckSettingsFile(bytes);
    tessik::fuzz::CheckCatalogue(bytes);
    return 0;
}
