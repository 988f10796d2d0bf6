#include "settings/application_settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "digest/algorithm_catalogue.h"
#include "platform/text_conversion.h"

namespace tessik {
namespace {

constexpr char16_t kDefaultFilter[] = u"*";
// Anything else stored, or nothing, is CR LF.
constexpr char kLfLineEnds[] = "LF";

// Font heights are stored in pixels at 96 dots per inch; 6 to 72 points keeps every window
// readable and on the screen.
constexpr std::int32_t kSmallestFontPixels = 8;
constexpr std::int32_t kLargestFontPixels = 96;

// The sign says whether the height is the cell's or the characters'; 0 asks for the default.
std::int32_t ReadableFontHeight(std::int32_t height) {
    if (height == 0) return 0;
    const std::int64_t magnitude = std::clamp<std::int64_t>(
        std::abs(std::int64_t{height}), kSmallestFontPixels, kLargestFontPixels);
    return static_cast<std::int32_t>(height < 0 ? -magnitude : magnitude);
}

int KnownAlgorithm(int index) {
    return index >= 0 && index < AlgorithmCount() ? index : kDefaultAlgorithmIndex;
}

std::u16string GetText(KeyValueDocument& settings, std::string_view key,
                       const std::u16string& defaultValue) {
    const std::string value = settings.getString(key, "");
    return value.empty() ? defaultValue : FromUtf8(value);
}

void LoadFontSettings(KeyValueDocument& settings, FontSettings& fonts) {
    fonts.setUseBuildInFont(settings.getBool("UseBuildInFont", false));
    fonts.reset();
    fonts.setUseFontSettings(settings.getBool("UseFontSettings", true));
    fonts.setUseFontHeight(settings.getBool("UseFontHeight", false));
    if (fonts.useFontSettings()) {
        // Each default is the chosen font's field as it stands just before its key is read.
        fonts.setFaceName(GetText(settings, "FontDefName", fonts.faceName()));
        // Character set and pitch are bytes of the font; larger numbers keep their low 8 bits.
        fonts.setCharset(
            static_cast<std::uint8_t>(settings.getInt("FontDefCharset", fonts.charset())));
        fonts.setHeight(ReadableFontHeight(settings.getInt("FontDefHeight", fonts.height())));
        fonts.setPitchAndFamily(
            static_cast<std::uint8_t>(settings.getInt("FontDefPitch", fonts.pitchAndFamily())));
    }
    fonts.applyTo(fonts.owner(), true);
}

// Where a file that was found so is kept when it is replaced; empty when it is not kept.
std::u16string KeptAsidePath(const std::u16string& path, LoadOutcome found) {
    const bool keep = found == LoadOutcome::kUnreadable || found == LoadOutcome::kDamaged;
    return keep ? path + kKeptAsideSuffix : std::u16string();
}

// A save killed after its new file was complete, but before that took the old one's place, left
// the user's latest settings in a temporary. They are saved in the file's place now, the file
// there kept aside as any save would keep it.
void AdoptInterruptedSave(const std::u16string& path) {
    for (const std::u16string& temporary : TemporariesNewerThan(path)) {
        KeyValueDocument saved(DocumentLayout::Xml);
        if (!saved.load(temporary).loaded()) continue;
        KeyValueDocument current(DocumentLayout::Xml);
        saved.save(path, KeptAsidePath(path, current.load(path).outcome));
        return;
    }
}

}  // namespace

SeparatorProblem CheckSeparator(const std::u16string& separator) {
    if (separator.find_first_of(u"<>") != std::u16string::npos) return SeparatorProblem::kMarkup;
    if (separator.find_first_of(u"\r\n\u2028\u2029") != std::u16string::npos) {
        return SeparatorProblem::kLineBreak;
    }
    if (separator.size() > kMaxSeparatorUnits) return SeparatorProblem::kTooLong;
    return SeparatorProblem::kNone;
}

LoadedSettings loadSettings(const std::u16string& path, FontSettings& fonts) {
    AdoptInterruptedSave(path);
    RemoveStaleTemporaries(path, kStaleTemporarySeconds);
    KeyValueDocument settings(DocumentLayout::Xml);
    LoadedSettings loaded;
    loaded.load = settings.load(path);
    ApplicationSettings& value = loaded.settings;

    value.algorithmIndex = KnownAlgorithm(settings.getInt("Algorithm", kDefaultAlgorithmIndex));
    value.caseSensitive = settings.getBool("CaseSensitive", false);
    value.smallLetters = settings.getBool("SmallLetters", true);
    value.folder = {GetText(settings, "Folder", u""), GetText(settings, "Filename", kDefaultFilter),
                    GetText(settings, "Fileextension", kDefaultFilter)};
    value.separator = GetText(settings, "Separator", kDefaultSeparator);
    LoadFontSettings(settings, fonts);
    value.languageName = settings.getString("LanguageName", "");
    value.position = ParseWindowPosition(settings.getString("WinPos", ""));
    value.lineEnds = settings.getString("LineEnds", "") == kLfLineEnds ? TypedLineEnds::kLf
                                                                       : TypedLineEnds::kCrLf;
    value.lookForLists = settings.getBool("LookForChecksumLists", true);
    value.tickedAlgorithms = AlgorithmSetOf(settings.getString("AllAlgorithms", ""));
    return loaded;
}

SettingsSave saveSettings(const std::u16string& path, const ApplicationSettings& value,
                          const FontSettings& fonts, const StorageLocations& locations,
                          const LoadResult& loaded) {
    KeyValueDocument settings(DocumentLayout::Xml);
    settings.setInt("Algorithm", value.algorithmIndex);
    settings.setBool("CaseSensitive", value.caseSensitive);
    settings.setBool("SmallLetters", value.smallLetters);

    settings.setString("Folder", ToUtf8(value.folder.lastFolder));
    settings.setString("Filename", ToUtf8(value.folder.nameFilter));
    settings.setString("Fileextension", ToUtf8(value.folder.extensionFilter));
    settings.setString("Separator", ToUtf8(value.separator));

    settings.setBool("UseBuildInFont", fonts.useBuildInFont());
    settings.setBool("UseFontSettings", fonts.useFontSettings());
    settings.setBool("UseFontHeight", fonts.useFontHeight());
    // The chosen font is written whatever the flags say.
    settings.setString("FontDefName", ToUtf8(fonts.faceName()));
    settings.setInt("FontDefCharset", fonts.charset());
    settings.setInt("FontDefHeight", fonts.height());
    settings.setInt("FontDefPitch", fonts.pitchAndFamily());

    settings.setString("LanguageName", value.languageName);
    settings.setString("WinPos", FormatWindowPosition(value.position));
    // For the reader of the file only; never read back.
    settings.setString("FolderHomeBase", ToUtf8(locations.programDirectory));
    settings.setString("FolderAppDir", ToUtf8(locations.storageDirectory));
    settings.setString("LineEnds", value.lineEnds == TypedLineEnds::kLf ? kLfLineEnds : "CRLF");
    settings.setBool("LookForChecksumLists", value.lookForLists);
    settings.setString("AllAlgorithms", IdsOf(value.tickedAlgorithms));

    SettingsSave result;
    const std::u16string aside = KeptAsidePath(path, loaded.outcome);
    result.failure = settings.save(path, aside);
    if (result.failure == WriteFailure::kNone) result.keptAsidePath = aside;
    return result;
}

}  // namespace tessik
