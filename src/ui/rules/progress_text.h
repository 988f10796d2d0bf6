#pragma once
// What a progress display says: how far a file or a run has got, how fast it goes and how long
// it will still take, and what a finished folder run comes to, put together from the texts of
// the language in use. Numbers are written with a decimal point in every language.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jobs/folder_run.h"
#include "jobs/run_progress.h"
#include "settings/read_failure_words.h"
#include "settings/translation_tables.h"

namespace tessik {

// The parts a progress display is made of; %1 is the number.
// kDecimalPoint: what stands between the whole and the decimal places of a number, as the
// language writes it.
enum class ProgressText { kName, kPercent, kRate, kTimeLeft, kFiles, kBytes, kDecimalPoint };
inline constexpr int kProgressTextCount = static_cast<int>(ProgressText::kDecimalPoint) + 1;

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
// nothing. `point` stands before the decimals.
std::u16string Megabytes(std::uint64_t bytes, std::u16string_view point = u".");
// "0:07", "12:34", "1:02:03"; rounded up, so a last second still shows.
std::u16string ClockTime(double seconds);
// "3.6 s" under a minute, the clock time from then on.
std::u16string Duration(double seconds, std::u16string_view point = u".");

// "42% - 120.5 MB/s - 0:07 left": the rate and the time left once any time has passed.
std::u16string FileProgressText(std::uint64_t done, std::uint64_t total, double elapsedSeconds,
                                const ProgressTexts& texts);
// "Files: 12 - 340.2 MB - 95.1 MB/s".
std::u16string RunProgressText(std::uint64_t files, std::uint64_t bytes, double elapsedSeconds,
                               const ProgressTexts& texts);
// "Files: 12/40 - 340.2 MB - 95.1 MB/s - 42% - 0:07 left": the whole run's progress, on all
// workers; the share and the time left once the total is known.
std::u16string WholeRunProgressText(const RunProgress& progress, double elapsedSeconds,
                                    const ProgressTexts& texts);
// The bytes done of the total known, else of the file at hand.
int WholeRunPercent(const RunProgress& progress);

struct FolderSummaryTexts {
    std::u16string_view pattern;    // %1 hashed, %2 unreadable, %3 folders, %4 size, %5 time
    std::u16string_view stopped;    // in front when the run was stopped
    std::u16string_view notShown;   // %1: files hashed after the one Stop cut short
    std::u16string_view notOpened;  // %1: the folders not opened, with their causes
};
// "/a/locked: unreadable: not allowed; /a/gone: missing": at most `named` of them, then
// how many more.
std::u16string FoldersNotOpenedText(const std::vector<UnopenedFolder>& folders,
                                    const ReadFailureTexts& causes, std::size_t named);
// The summary pattern filled in, after the stopped text when the run was stopped, with the files
// hashed but not shown; the folders not opened named on a line of their own.
std::u16string FolderSummaryText(const FolderRunSummary& summary, const FolderSummaryTexts& words,
                                 const ProgressTexts& texts, const ReadFailureTexts& causes);

}  // namespace tessik
