#include "ui/rules/progress_text.h"

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

std::u16string Fixed(double value, int decimals) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return error == std::errc() ? Ascii(std::string_view(buffer, end - buffer)) : u"?";
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

std::u16string Megabytes(std::uint64_t bytes) {
    const double megabytes = bytes / kBytesPerMegabyte;
    return Fixed(megabytes, megabytes < 10 ? 2 : 1);
}

std::u16string ClockTime(double seconds) {
    const auto whole = static_cast<std::uint64_t>(std::ceil(std::max(0.0, seconds)));
    const std::uint64_t hours = whole / 3600;
    const std::uint64_t minutes = whole / 60 % 60;
    const std::u16string rest = TwoDigits(whole % 60);
    if (hours == 0) return NumberText(minutes) + u":" + rest;
    return NumberText(hours) + u":" + TwoDigits(minutes) + u":" + rest;
}

std::u16string Duration(double seconds) {
    return seconds < 59.95 ? Fixed(std::max(0.0, seconds), 1) + u" s" : ClockTime(seconds);
}

std::u16string FileProgressText(std::uint64_t done, std::uint64_t total, double elapsedSeconds,
                                const ProgressTexts& texts) {
    std::vector<std::u16string> parts = {
        FillIn(texts[ProgressText::kPercent], {NumberText(PercentDone(done, total))})};
    const double rate = Rate(done, elapsedSeconds);
    if (rate > 0) {
        parts.push_back(FillIn(texts[ProgressText::kRate], {Fixed(rate, 1)}));
        const double secondsLeft = (total > done ? total - done : 0) / kBytesPerMegabyte / rate;
        parts.push_back(FillIn(texts[ProgressText::kTimeLeft], {ClockTime(secondsLeft)}));
    }
    return Joined(parts);
}

std::u16string RunProgressText(std::uint64_t files, std::uint64_t bytes, double elapsedSeconds,
                               const ProgressTexts& texts) {
    return Joined({FillIn(texts[ProgressText::kFiles], {NumberText(files)}),
                   FillIn(texts[ProgressText::kBytes], {Megabytes(bytes)}),
                   FillIn(texts[ProgressText::kRate], {Fixed(Rate(bytes, elapsedSeconds), 1)})});
}

std::u16string FolderSummaryText(const FolderRunSummary& summary, std::u16string_view pattern,
                                 std::u16string_view stopped, const ProgressTexts& texts) {
    const std::u16string text =
        FillIn(pattern, {NumberText(summary.filesHashed), NumberText(summary.filesUnreadable),
                         NumberText(summary.foldersNotOpened),
                         FillIn(texts[ProgressText::kBytes], {Megabytes(summary.bytes)}),
                         Duration(summary.seconds)});
    return summary.stopped ? std::u16string(stopped) + u" " + text : text;
}

}  // namespace tessik
