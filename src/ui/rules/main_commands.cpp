#include "ui/rules/main_commands.h"

#include <algorithm>

#include "digest/digest_match.h"
#include "digest/hex.h"
#include "lists/checksum_line.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "ui/rules/checksum_list_rules.h"
#include "ui/rules/text_pattern.h"

namespace tessik {
namespace {

bool IsBlank(char16_t unit) {
    switch (unit) {
        case u' ':
        case u'\t':
        case u'\n':
        case u'\v':
        case u'\f':
        case u'\r':
        case u'\u00A0':  // no-break space
        case u'\u200B':  // zero-width space
        case u'\u2028':
        case u'\u2029':
        case u'\u3000':  // ideographic space
        case u'\uFEFF':  // byte-order mark
            return true;
        default:
            return false;
    }
}

std::u16string Trimmed(const std::u16string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

std::u16string WithLineBreaks(const std::u16string& rawFieldText, TypedLineEnds lineEnds) {
    constexpr char16_t kLineEnd = u'\u2029';
    const std::u16string_view lineBreak = lineEnds == TypedLineEnds::kLf ? u"\n" : u"\r\n";
    std::u16string out;
    out.reserve(rawFieldText.size());
    for (char16_t unit : rawFieldText) {
        if (unit == kLineEnd) {
            out += lineBreak;
        } else {
            out.push_back(unit);
        }
    }
    return out;
}

ExpectedValue ExpectedFromField(const std::u16string& field, std::u16string_view separator) {
    std::u16string text = Trimmed(field);
    const ChecksumLine line = ParseChecksumLine(ToUtf8(text), ToUtf8(std::u16string(separator)));
    // A tag the digest does not fit still leaves a digest to compare.
    if (line.digest.empty()) return {std::move(text), {}};
    // Hexadecimal digits are one unit each: a GNU line starts with them (after the escape mark
    // of an escaped name), the other forms end with them.
    const std::size_t digits = 2 * line.digest.size();
    const std::size_t at =
        line.form == LineForm::kGnu ? (text.starts_with(u'\\') ? 1 : 0) : text.size() - digits;
    return {text.substr(at, digits), FromUtf8(line.name)};
}

CompareOutcome CompareDigests(const std::u16string& result, const std::u16string& expected,
                              bool caseSensitive, std::size_t digestBytes) {
    if (result.empty()) return CompareOutcome::kNoResult;
    const std::u16string value = Trimmed(expected);
    if (DigestsMatch(result, value, caseSensitive)) return CompareOutcome::kIdentical;
    if (!std::all_of(value.begin(), value.end(), IsHexDigit)) return CompareOutcome::kNotADigest;
    return !value.empty() && value.size() != 2 * digestBytes ? CompareOutcome::kWrongLength
                                                             : CompareOutcome::kDifferent;
}

CompareMessage MessageOfCompare(const std::u16string& result, const std::u16string& expectedField,
                                bool caseSensitive, const AlgorithmInfo& algorithm,
                                std::u16string_view separator, const MainMessageTexts& texts) {
    const ExpectedValue expected = ExpectedFromField(expectedField, separator);
    CompareMessage message;
    switch (CompareDigests(result, expected.digest, caseSensitive, algorithm.digestBytes)) {
        case CompareOutcome::kNoResult:
            return {texts[MainMemberText::kCompareNoHash], false};
        case CompareOutcome::kIdentical:
            message = {texts[MainMemberText::kCompareDone], true};
            break;
        case CompareOutcome::kDifferent:
            message.text = texts[MainMemberText::kCompareFailed];
            break;
        case CompareOutcome::kNotADigest:
            message.text = texts[MainMemberText::kCompareNotADigest];
            break;
        case CompareOutcome::kWrongLength:
            message.text =
                FillIn(texts[MainMemberText::kCompareWrongLength],
                       {NumberText(expected.digest.size()), FromUtf8(std::string(algorithm.name)),
                        NumberText(2 * algorithm.digestBytes)});
            break;
    }
    if (!expected.fileName.empty()) {
        message.text +=
            u"\n\n" + FillIn(texts[MainMemberText::kCompareListedFile], {expected.fileName});
    }
    return message;
}

const AlgorithmInfo* AlgorithmOfFoundEntry(const FoundEntry& entry) {
    return entry.algorithm != nullptr ? entry.algorithm : StandardToolsAlgorithm(entry.candidates);
}

std::u16string FoundEntryText(const FoundEntry& entry, const MainMessageTexts& texts,
                              const ListText& listTexts) {
    std::u16string text =
        FillIn(texts[MainMemberText::kExpectedFromList], {NumberText(entry.lineNumber)}) + u'\n' +
        entry.listPath;
    const std::u16string signature = SignatureText(entry.signature, listTexts);
    if (!signature.empty()) text += u"\n\n" + signature;
    return text;
}

CompareMessage MessageOfFileCompare(const Digest& shown, const Digest& other,
                                    const std::u16string& shownFile,
                                    const std::u16string& otherFile,
                                    const MainMessageTexts& texts) {
    const bool identical = shown == other;
    return {texts[identical ? MainMemberText::kCompareDone : MainMemberText::kCompareFailed] +
                u"\n\n" +
                FillIn(texts[MainMemberText::kHashShownOf],
                       {shownFile.empty() ? texts[MainMemberText::kStringTyped] : shownFile}) +
                u'\n' + FillIn(texts[MainMemberText::kFileCompared], {otherFile}),
            identical};
}

MainMemberText WriteFailureMessage(WriteFailure failure) {
    switch (failure) {
        case WriteFailure::kPermissionDenied:
            return MainMemberText::kWriteDenied;
        case WriteFailure::kReadOnly:
            return MainMemberText::kWriteReadOnly;
        case WriteFailure::kNoSpace:
            return MainMemberText::kWriteNoSpace;
        case WriteFailure::kCannotCreate:
            return MainMemberText::kWriteCannotCreate;
        case WriteFailure::kNone:
        case WriteFailure::kIoError:
            break;
    }
    return MainMemberText::kWriteError;
}

std::u16string CutDroppedPath(std::u16string path) {
    if (path.size() > kMaxDroppedPathUnits) path.resize(kMaxDroppedPathUnits);
    return path;
}

ArgumentField FieldForArgument(const std::u16string& argument) {
    return FileExists(argument) ? ArgumentField::kFileName : ArgumentField::kString;
}

bool IsBlankField(std::u16string_view field) {
    return std::all_of(field.begin(), field.end(), IsBlank);
}

FoundEntryUse UseOfFoundEntry(const ListSearch& search, const FoundEntry& entry,
                              const MainWindowMoment& now) {
    if (now.hashing || !now.resultShown || now.shownFile != search.file ||
        now.chosen != search.preferred || !now.expectedBlank) {
        return FoundEntryUse::kNone;
    }
    const AlgorithmInfo* listed = AlgorithmOfFoundEntry(entry);
    if (listed == nullptr) return FoundEntryUse::kNone;
    return listed == now.chosen ? FoundEntryUse::kCompare : FoundEntryUse::kOfferAlgorithm;
}

std::u16string OfferListAlgorithmQuestion(const AlgorithmInfo& listed, const FoundEntry& entry,
                                          const MainMessageTexts& texts) {
    return WithSubject(
        FillIn(texts[MainMemberText::kOfferListAlgorithm], {FromUtf8(std::string(listed.name))}),
        entry.listPath);
}

std::u16string WithSubject(std::u16string_view message, std::u16string_view subject) {
    std::u16string text(message);
    if (!subject.empty()) {
        text += u"\n\n";
        text += subject;
    }
    return text;
}

std::optional<std::u16string> SettingsSaveMessage(const SettingsSave& saved,
                                                  const std::u16string& path,
                                                  const LoadResult& load,
                                                  const MainMessageTexts& texts,
                                                  const ReadFailureTexts& failures) {
    if (saved.failure != WriteFailure::kNone) {
        return WithSubject(WithSubject(texts[MainMemberText::kSettingsNotSaved], path),
                           texts[WriteFailureMessage(saved.failure)]);
    }
    if (saved.keptAsidePath.empty()) return std::nullopt;
    std::u16string message;
    if (load.outcome == LoadOutcome::kUnreadable) {
        message = WithSubject(failures.Message(load.failure), path) + u"\n\n";
    }
    return WithSubject(message + texts[MainMemberText::kSettingsKeptAside], saved.keptAsidePath);
}

}  // namespace tessik
