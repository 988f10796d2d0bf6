#pragma once
// What a progress display says: how far a file or a run has got, how fast it goes and how long
// it will still take, and what a finished folder run comes to, put together from the texts of
// the language in use. Numbers are written with a decimal point in every language.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "jobs/folder_run.h"
#include "settings/translation_tables.h"

namespace tessik {

// The parts a progress display is made of; %1 is the number.
enum class ProgressText { kName, kPercent, kRate, kTimeLeft, kFiles, kBytes };
inline constexpr int kProgressTextCount = static_cast<int>(ProgressText::kBytes) + 1;

// Their texts, which every window that shows progress applies with its own.
TranslationTable ProgressDisplayTexts();

class ProgressTexts {
  public:
    // The built-in English texts.
    ProgressTexts();
    void Set(ProgressText part, std::u16string text);
    const std::u16string& operator[](ProgressText part) const;

  private:
    std::array<std::u16string, kProgressTextCount> texts_;
};

// 0 to 100, rounded down; 0 while the total is unknown (0).
int PercentDone(std::uint64_t done, std::uint64_t total);
// Decimal megabytes: one decimal from 10 MB on, two below, so a small folder reads as more than
// nothing.
std::u16string Megabytes(std::uint64_t bytes);
// "0:07", "12:34", "1:02:03"; rounded up, so a last second still shows.
std::u16string ClockTime(double seconds);
// "3.6 s" under a minute, the clock time from then on.
std::u16string Duration(double seconds);

// "42% - 120.5 MB/s - 0:07 left": the rate and the time left once any time has passed.
std::u16string FileProgressText(std::uint64_t done, std::uint64_t total, double elapsedSeconds,
                                const ProgressTexts& texts);
// "Files: 12 - 340.2 MB - 95.1 MB/s".
std::u16string RunProgressText(std::uint64_t files, std::uint64_t bytes, double elapsedSeconds,
                               const ProgressTexts& texts);
// The summary pattern filled in, after the stopped text when the run was stopped.
std::u16string FolderSummaryText(const FolderRunSummary& summary, std::u16string_view pattern,
                                 std::u16string_view stopped, const ProgressTexts& texts);

}  // namespace tessik
