#include "ui/rules/algorithm_match.h"

#include "digest/hex.h"
#include "lists/checksum_line.h"
#include "platform/text_conversion.h"
#include "ui/rules/main_commands.h"
#include "ui/rules/text_pattern.h"

namespace tessik {
namespace {

// The digest the text gives, a checksum line's too; empty when it gives none of a length some
// algorithm has.
Digest ExpectedDigest(const std::u16string& text, std::u16string_view separator) {
    const Digest digest = DigestFromHex(ToUtf8(ExpectedFromField(text, separator).digest));
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        if (algorithm.digestBytes == digest.size()) return digest;
    }
    return {};
}

}  // namespace

std::u16string StartingExpectedValue(const std::u16string& expectedField,
                                     const std::u16string& clipboard,
                                     std::u16string_view separator) {
    if (!ExpectedDigest(expectedField, separator).empty()) return expectedField;
    if (!ExpectedDigest(clipboard, separator).empty()) return clipboard;
    return {};
}

AlgorithmSet AlgorithmsMatching(const std::u16string& expected,
                                const std::vector<AlgorithmDigest>& digests,
                                std::u16string_view separator) {
    AlgorithmSet matching;
    const Digest wanted = ExpectedDigest(expected, separator);
    if (wanted.empty()) return matching;
    for (const AlgorithmDigest& given : digests) {
        if (given.digest == wanted) matching.push_back(given.algorithm);
    }
    return matching;
}

std::u16string MatchText(const std::u16string& expected,
                         const std::vector<AlgorithmDigest>& digests, std::u16string_view separator,
                         std::u16string_view matchPattern, std::u16string_view noMatch) {
    if (digests.empty() || ExpectedDigest(expected, separator).empty()) return {};
    const AlgorithmSet matching = AlgorithmsMatching(expected, digests, separator);
    if (matching.empty()) return std::u16string(noMatch);
    return FillIn(matchPattern, {AlgorithmNamesText(matching)});
}

std::vector<AlgorithmDigest> DigestsOfFile(const HashedFile& hashed) {
    std::vector<AlgorithmDigest> digests = {{hashed.algorithm, hashed.result.digest}};
    for (std::size_t i = 0; i < hashed.alsoWith.size() && i < hashed.alsoDigests.size(); ++i) {
        digests.push_back({hashed.alsoWith[i], hashed.alsoDigests[i]});
    }
    return digests;
}

std::u16string AlgorithmNamesText(const AlgorithmSet& algorithms) {
    std::u16string names;
    for (const AlgorithmInfo* algorithm : algorithms) {
        names.append(names.empty() ? u"" : u", ").append(FromUtf8(std::string(algorithm->name)));
    }
    return names;
}

std::u16string AlgorithmRowsText(const std::vector<AlgorithmDigest>& rows, bool lowerCase,
                                 std::u16string_view lineBreak) {
    std::u16string text;
    for (const AlgorithmDigest& row : rows) {
        if (!text.empty()) text += lineBreak;
        text += FromUtf8(std::string(row.algorithm->name)) + u'\t' +
                FromUtf8(HexDigest(row.digest, lowerCase));
    }
    return text;
}

}  // namespace tessik
