#include "lists/algorithm_choice.h"

#include "platform/path_utilities.h"
#include "platform/text_conversion.h"

namespace tessik {
namespace {

AlgorithmChoice Checked(const AlgorithmInfo& algorithm, const ChecksumLine& line) {
    AlgorithmChoice choice;
    const bool tagAgrees = line.tagged == nullptr || line.tagged == &algorithm;
    if (tagAgrees && line.digest.size() == algorithm.digestBytes) {
        choice.outcome = ChoiceOutcome::kChosen;
        choice.algorithm = &algorithm;
    }
    return choice;
}

AlgorithmChoice ByLength(std::size_t digestBytes) {
    AlgorithmChoice choice;
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        if (algorithm.digestBytes == digestBytes) choice.candidates.push_back(&algorithm);
    }
    if (choice.candidates.size() == 1) {
        choice.outcome = ChoiceOutcome::kChosen;
        choice.algorithm = choice.candidates.front();
        choice.candidates.clear();
    } else if (!choice.candidates.empty()) {
        choice.outcome = ChoiceOutcome::kAmbiguous;
    }
    return choice;
}

// Lower case, without the marks people put between a family and its size.
std::string Spelled(std::string_view text) {
    std::string plain;
    for (const char c : text) {
        if (std::string_view("-_ ()").find(c) != std::string_view::npos) continue;
        plain += c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
    return plain;
}

// A word of a list's name: a tag or identifier, or what the peer tools call their lists.
const AlgorithmInfo* AlgorithmOfWord(const std::u16string& word) {
    const std::string spelled = ToUtf8(word);
    if (spelled == "sfv") return AlgorithmWithId("crc32");
    if (spelled == "b3") return AlgorithmWithId("blake3");
    return AlgorithmWithTag(spelled);
}

std::u16string AfterLastSeparator(const std::u16string& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsPathSeparator(path[i - 1])) return path.substr(i);
    }
    return path;
}

}  // namespace

AlgorithmChoice ChooseAlgorithm(const ChecksumLine& line, const AlgorithmInfo* named,
                                const AlgorithmInfo* ofList, const AlgorithmInfo* byDefault) {
    if (named != nullptr) return Checked(*named, line);
    if (line.tagged != nullptr) return Checked(*line.tagged, line);
    if (ofList != nullptr) return Checked(*ofList, line);
    if (const AlgorithmInfo* own = AlgorithmOfLine(line)) return Checked(*own, line);
    if (byDefault != nullptr && line.digest.size() == byDefault->digestBytes) {
        return Checked(*byDefault, line);
    }
    return ByLength(line.digest.size());
}

const AlgorithmInfo* AlgorithmOfListName(const std::u16string& listPath) {
    const std::u16string name = AsciiLower(AfterLastSeparator(listPath));
    const std::u16string extension = ExtensionOf(name);
    if (extension.size() > 1) {
        if (const AlgorithmInfo* algorithm = AlgorithmOfWord(extension.substr(1))) {
            return algorithm;
        }
    }
    // "SHA256SUMS", "md5sums.txt": the name as the standard tools' own lists are called.
    const std::u16string stem = name.substr(0, name.size() - extension.size());
    if (stem.size() > 4 && stem.ends_with(u"sums")) {
        return AlgorithmOfWord(stem.substr(0, stem.size() - 4));
    }
    return nullptr;
}

bool IsSfvListName(const std::u16string& listPath) {
    return LowerExtensionOf(listPath) == u".sfv";
}

const AlgorithmInfo* AlgorithmOfLine(const ChecksumLine& line) {
    if (line.tagged != nullptr) return line.tagged;
    return line.form == LineForm::kSfv ? AlgorithmWithId("crc32") : nullptr;
}

const AlgorithmInfo* AlgorithmNamed(std::string_view spelling) {
    const std::string wanted = Spelled(spelling);
    if (wanted.empty()) return nullptr;
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        for (const std::string_view known : {algorithm.id, algorithm.listTag, algorithm.name}) {
            if (Spelled(known) == wanted) return &algorithm;
        }
    }
    return nullptr;
}

}  // namespace tessik
