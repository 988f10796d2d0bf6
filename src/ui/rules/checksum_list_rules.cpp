#include "ui/rules/checksum_list_rules.h"

#include <algorithm>
#include <array>

#include "lists/algorithm_choice.h"
#include "lists/checksum_list_reader.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"

namespace tessik {
namespace {

constexpr std::array<std::string_view, 6> kStandardToolIds = {"md5",      "sha1",     "sha2-224",
                                                              "sha2-256", "sha2-384", "sha2-512"};

bool MadeByStandardTools(const AlgorithmInfo& algorithm) {
    return std::find(kStandardToolIds.begin(), kStandardToolIds.end(), algorithm.id) !=
           kStandardToolIds.end();
}

// The one algorithm with a digest of this length; among several, the one the standard tools
// make; null when that leaves none or several.
const AlgorithmInfo* AlgorithmOfLength(std::size_t digestBytes) {
    std::vector<const AlgorithmInfo*> fitting;
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        if (algorithm.digestBytes == digestBytes) fitting.push_back(&algorithm);
    }
    return fitting.size() == 1 ? fitting.front() : StandardToolsAlgorithm(fitting);
}

// The start of the file, cut after its last whole line when there is more; nothing when its
// first line does not end within the preview.
std::string FirstLines(InputFile& file) {
    std::string bytes(kListPreviewBytes + 1, '\0');
    const std::int64_t got = file.Read(bytes.data(), bytes.size());
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
    if (bytes.size() > kListPreviewBytes) {
        const std::size_t lastEnd = bytes.rfind('\n', kListPreviewBytes);
        bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
    }
    return bytes;
}

}  // namespace

const AlgorithmInfo* StandardToolsAlgorithm(const std::vector<const AlgorithmInfo*>& fitting) {
    const AlgorithmInfo* made = nullptr;
    for (const AlgorithmInfo* algorithm : fitting) {
        if (!MadeByStandardTools(*algorithm)) continue;
        if (made != nullptr) return nullptr;
        made = algorithm;
    }
    return made;
}

ListPreview PreviewList(const std::u16string& path, std::string_view separator) {
    ListPreview preview;
    InputFile file;
    preview.failure = file.Open(path);
    if (preview.failure != ReadFailure::kNone) return preview;
    ChecksumListReader reader(BytesOf(FirstLines(file)), std::string(separator),
                              ListReading::kLenient, IsSfvListName(path));
    for (ListLine listed; reader.Next(listed);) {
        if (listed.line.kind != LineKind::kEntry) {
            ++preview.malformed;
        } else if (preview.entries++ == 0) {
            preview.tagged = AlgorithmOfLine(listed.line);
            preview.digestBytes = listed.line.digest.size();
        }
    }
    return preview;
}

bool IsRecognisablyAList(const std::u16string& path, const ListPreview& preview) {
    return AlgorithmOfListName(path) != nullptr || (preview.entries > 0 && preview.malformed == 0);
}

const AlgorithmInfo& InitialListAlgorithm(const std::u16string& path, const ListPreview& preview,
                                          int mainSelection) {
    if (const AlgorithmInfo* named = AlgorithmOfListName(path)) return *named;
    if (preview.tagged != nullptr) return *preview.tagged;
    const AlgorithmInfo& selected = AlgorithmForIndex(mainSelection);
    if (preview.digestBytes == 0 || preview.digestBytes == selected.digestBytes) return selected;
    const AlgorithmInfo* ofLength = AlgorithmOfLength(preview.digestBytes);
    return ofLength != nullptr ? *ofLength : selected;
}

std::u16string ChecksumListFilter(std::u16string_view description, std::u16string_view allFiles) {
    std::vector<std::u16string> patterns;
    const auto add = [&](std::string_view name) {
        std::u16string pattern = u"*." + AsciiLower(FromUtf8(std::string(name)));
        if (std::find(patterns.begin(), patterns.end(), pattern) == patterns.end()) {
            patterns.push_back(std::move(pattern));
        }
    };
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        add(algorithm.listTag);
        add(algorithm.id);
    }
    std::u16string filter(description);
    filter += u'|';
    for (const std::u16string& pattern : patterns) filter += pattern + u';';
    return filter.append(u"*.sfv;*.b3;*SUMS;*SUMS.*|").append(allFiles);
}

DropAction ActionForDrop(const std::vector<std::u16string>& paths, std::string_view separator) {
    if (paths.empty()) return DropAction::kNone;
    if (paths.size() > 1) return DropAction::kHashFiles;
    const std::u16string& path = paths.front();
    if (DirectoryExists(path)) return DropAction::kFolderWindow;
    return IsRecognisablyAList(path, PreviewList(path, separator)) ? DropAction::kVerifyList
                                                                   : DropAction::kFileName;
}

}  // namespace tessik
