#include "ui/rules/progress_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "ui/rules/text_pattern.h"

namespace tessik {
namespace {

constexpr std::u16string_view kSeparator = u" \u2013 ";
constexpr double kBytesPerMegabyte = 1e6;

std::u16string Ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string Fixed(double value, int decimals, std::u16string_view point) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc()) return u"?";
    std::u16string text = Ascii(std::string_view(buffer, end - buffer));
    if (const std::size_t dot = text.find(u'.'); dot != std::u16string::npos) {
        text.replace(dot, 1, point);
    }
    return text;
}

std::u16string TwoDigits(std::uint64_t value) {
    return (value < 10 ? u"0" : u"") + NumberText(value);
}

double Rate(std::uint64_t bytes, double elapsedSeconds) {
    return elapsedSeconds > 0 ? bytes / elapsedSeconds / kBytesPerMegabyte : 0;
}

std::u16string Joined(const std::vector<std::u16string>& parts) {
    std::u16string text;
    for (const std::u16string& part : parts) {
        if (!text.empty()) text += kSeparator;
        text += part;
    }
    return text;
}

constexpr TranslationEntry kProgress[] = {
    {"FrmProgress.m_acMName", TextTarget::Progress(ProgressText::kName), u"Progress"},
    {"FrmProgress.m_acMPercent", TextTarget::Progress(ProgressText::kPercent), u"%1%"},
    {"FrmProgress.m_acMRate", TextTarget::Progress(ProgressText::kRate), u"%1 MB/s"},
    {"FrmProgress.m_acMTimeLeft", TextTarget::Progress(ProgressText::kTimeLeft), u"%1 left"},
    {"FrmProgress.m_acMFiles", TextTarget::Progress(ProgressText::kFiles), u"Files: %1"},
    {"FrmProgress.m_acMBytes", TextTarget::Progress(ProgressText::kBytes), u"%1 MB"},
    {"FrmProgress.m_acMDecimalPoint", TextTarget::Progress(ProgressText::kDecimalPoint), u"."},
};

}  // namespace

TranslationTable ProgressDisplayTexts() {
    return kProgress;
}

ProgressTexts::ProgressTexts() {
    for (const TranslationEntry& entry : ProgressDisplayTexts()) {
        Set(static_cast<ProgressText>(entry.target.id), std::u16string(entry.english));
    }
}

void ProgressTexts::Set(ProgressText part, std::u16string text) {
    const auto index = static_cast<std::size_t>(part);
    if (index < texts_.size()) texts_[index] = std::move(text);
}

const std::u16string& ProgressTexts::operator[](ProgressText part) const {
    return texts_.at(static_cast<std::size_t>(part));
}

int PercentDone(std::uint64_t done, std::uint64_t total) {
    if (total == 0) return 0;
    if (done >= total) return 100;
    // Widened, so that sizes beyond 2^57 bytes cannot overflow the product.
    return static_cast<int>(static_cast<unsigned __int128>(done) * 100 / total);
}

std::u16string Megabytes(std::uint64_t bytes, std::u16string_view point) {
    const double megabytes = bytes / kBytesPerMegabyte;
    return Fixed(megabytes, megabytes < 10 ? 2 : 1, point);
}

std::u16string ClockTime(double seconds) {
    const auto whole = static_cast<std::uint64_t>(std::ceil(std::max(0.0, seconds)));
    const std::uint64_t hours = whole / 3600;
    const std::uint64_t minutes = whole / 60 % 60;
    const std::u16string rest = TwoDigits(whole % 60);
    if (hours == 0) return NumberText(minutes) + u":" + rest;
    return NumberText(hours) + u":" + TwoDigits(minutes) + u":" + rest;
}

std::u16string Duration(double seconds, std::u16string_view point) {
    return seconds < 59.95 ? Fixed(std::max(0.0, seconds), 1, point) + u" s" : ClockTime(seconds);
}

std::u16string FileProgressText(std::uint64_t done, std::uint64_t total, double elapsedSeconds,
                                const ProgressTexts& texts) {
    std::vector<std::u16string> parts = {
        FillIn(texts[ProgressText::kPercent], {NumberText(PercentDone(done, total))})};
    const double rate = Rate(done, elapsedSeconds);
    if (rate > 0) {
        parts.push_back(FillIn(texts[ProgressText::kRate],
                               {Fixed(rate, 1, texts[ProgressText::kDecimalPoint])}));
        const double secondsLeft = (total > done ? total - done : 0) / kBytesPerMegabyte / rate;
        parts.push_back(FillIn(texts[ProgressText::kTimeLeft], {ClockTime(secondsLeft)}));
    }
    return Joined(parts);
}

std::u16string RunProgressText(std::uint64_t files, std::uint64_t bytes, double elapsedSeconds,
                               const ProgressTexts& texts) {
    const std::u16string& point = texts[ProgressText::kDecimalPoint];
    return Joined(
        {FillIn(texts[ProgressText::kFiles], {NumberText(files)}),
         FillIn(texts[ProgressText::kBytes], {Megabytes(bytes, point)}),
         FillIn(texts[ProgressText::kRate], {Fixed(Rate(bytes, elapsedSeconds), 1, point)})});
}

std::u16string WholeRunProgressText(const RunProgress& progress, double elapsedSeconds,
                                    const ProgressTexts& texts) {
    const std::u16string files =
        NumberText(progress.filesFinished) +
        (progress.totalKnown ? u"/" + NumberText(progress.filesTotal) : std::u16string());
    const double rate = Rate(progress.bytesDone, elapsedSeconds);
    const std::u16string& point = texts[ProgressText::kDecimalPoint];
    std::vector<std::u16string> parts = {
        FillIn(texts[ProgressText::kFiles], {files}),
        FillIn(texts[ProgressText::kBytes], {Megabytes(progress.bytesDone, point)}),
        FillIn(texts[ProgressText::kRate], {Fixed(rate, 1, point)})};
    if (progress.totalKnown) {
        parts.push_back(FillIn(texts[ProgressText::kPercent],
                               {NumberText(PercentDone(progress.bytesDone, progress.bytesTotal))}));
        if (rate > 0) {
            const std::uint64_t left =
                progress.bytesTotal - std::min(progress.bytesTotal, progress.bytesDone);
            parts.push_back(FillIn(texts[ProgressText::kTimeLeft],
                                   {ClockTime(left / kBytesPerMegabyte / rate)}));
        }
    }
    return Joined(parts);
}

int WholeRunPercent(const RunProgress& progress) {
    return progress.totalKnown ? PercentDone(progress.bytesDone, progress.bytesTotal)
                               : PercentDone(progress.currentDone, progress.currentTotal);
}

std::u16string FoldersNotOpenedText(const std::vector<UnopenedFolder>& folders,
                                    const ReadFailureTexts& causes, std::size_t named) {
    std::u16string text;
    for (std::size_t i = 0; i < folders.size() && i < named; ++i) {
        if (!text.empty()) text += u"; ";
        text += folders[i].path + u": " + causes.Status(folders[i].cause);
    }
    if (folders.size() > named) text += u"; \u2026 +" + NumberText(folders.size() - named);
    return text;
}

std::u16string FolderSummaryText(const FolderRunSummary& summary, const FolderSummaryTexts& words,
                                 const ProgressTexts& texts, const ReadFailureTexts& causes) {
    // The rest are named where the summary is shown in full.
    constexpr std::size_t kFoldersNamed = 3;
    const std::u16string& point = texts[ProgressText::kDecimalPoint];
    std::u16string text = FillIn(
        words.pattern, {NumberText(summary.filesHashed), NumberText(summary.filesUnreadable),
                        NumberText(summary.foldersNotOpened.size()),
                        FillIn(texts[ProgressText::kBytes], {Megabytes(summary.bytes, point)}),
                        Duration(summary.seconds, point)});
    if (summary.stopped) text = std::u16string(words.stopped) + u" " + text;
    if (summary.filesNotShown > 0) {
        text += std::u16string(kSeparator) +
                FillIn(words.notShown, {NumberText(summary.filesNotShown)});
    }
    if (!summary.foldersNotOpened.empty()) {
        text +=
            u"\n" + FillIn(words.notOpened,
                           {FoldersNotOpenedText(summary.foldersNotOpened, causes, kFoldersNamed)});
    }
    return text;
}

}  // namespace tessik
