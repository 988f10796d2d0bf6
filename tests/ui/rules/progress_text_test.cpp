#include "ui/rules/progress_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace tessik {
namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

TEST(ProgressTextTest, PercentIsRoundedDownAndReachesAHundredOnlyAtTheEnd) {
    struct Case {
        std::uint64_t done, total;
        int percent;
    };
    for (const Case& c :
         {Case{0, 0, 0}, Case{5, 0, 0}, Case{0, 10, 0}, Case{999, 1000, 99}, Case{1000, 1000, 100},
          Case{1200, 1000, 100}, Case{kMax - 1, kMax, 99}, Case{kMax / 2, kMax, 49}}) {
        EXPECT_EQ(PercentDone(c.done, c.total), c.percent) << c.done << "/" << c.total;
    }
}

TEST(ProgressTextTest, NumbersAndTimes) {
    EXPECT_EQ(Megabytes(0), u"0.00");
    EXPECT_EQ(Megabytes(5000), u"0.01");
    EXPECT_EQ(Megabytes(9'994'000), u"9.99");
    EXPECT_EQ(Megabytes(340'250'000), u"340.2");
    EXPECT_EQ(Megabytes(kMax), u"18446744073709.6");
    EXPECT_EQ(ClockTime(0), u"0:00");
    EXPECT_EQ(ClockTime(6.2), u"0:07");  // the last second still shows
    EXPECT_EQ(ClockTime(754), u"12:34");
    EXPECT_EQ(ClockTime(3723), u"1:02:03");
    EXPECT_EQ(ClockTime(-3), u"0:00");
    EXPECT_EQ(Duration(3.64), u"3.6 s");
    EXPECT_EQ(Duration(0), u"0.0 s");
    EXPECT_EQ(Duration(125), u"2:05");
}

TEST(ProgressTextTest, AFileShowsItsRateAndTimeLeftOnceTimeHasPassed) {
    const ProgressTexts english;
    EXPECT_EQ(FileProgressText(0, 1000, 0, english), u"0%");
    EXPECT_EQ(FileProgressText(0, 1000, 1, english), u"0%");  // nothing done: no rate yet
    EXPECT_EQ(FileProgressText(40'000'000, 100'000'000, 2, english),
              u"40% \u2013 20.0 MB/s \u2013 0:03 left");
    EXPECT_EQ(FileProgressText(150, 100, 1, english), u"100% \u2013 0.0 MB/s \u2013 0:00 left");
}

TEST(ProgressTextTest, TranslationsGiveTheWordsAndTheOrder) {
    ProgressTexts german;
    german.Set(ProgressText::kPercent, u"%1 %");
    german.Set(ProgressText::kRate, u"%1 MB/s");
    german.Set(ProgressText::kTimeLeft, u"noch %1");
    german.Set(ProgressText::kFiles, u"Dateien: %1");
    german.Set(ProgressText::kBytes, u"%1 MB");
    german.Set(ProgressText::kDecimalPoint, u",");
    EXPECT_EQ(FileProgressText(50, 100, 0.0005, german), u"50 % \u2013 0,1 MB/s \u2013 noch 0:01");
    EXPECT_EQ(RunProgressText(12, 340'250'000, 4, german),
              u"Dateien: 12 \u2013 340,2 MB \u2013 85,1 MB/s");
    EXPECT_EQ(RunProgressText(0, 0, 0, ProgressTexts()),
              u"Files: 0 \u2013 0.00 MB \u2013 0.0 MB/s");
}

// Files and bytes of all workers; the share and the time left only once the walk ahead has
// counted the whole run, and then of its bytes, whatever file is at hand.
TEST(ProgressTextTest, AWholeRunShowsItsShareAndTimeLeftOnceTheTotalIsKnown) {
    RunProgress progress;
    progress.filesFinished = 12;
    progress.bytesDone = 40'000'000;
    progress.currentDone = 10;
    progress.currentTotal = 100;
    EXPECT_EQ(WholeRunProgressText(progress, 2, ProgressTexts()),
              u"Files: 12 \u2013 40.0 MB \u2013 20.0 MB/s");
    EXPECT_EQ(WholeRunPercent(progress), 10);
    progress.totalKnown = true;
    progress.filesTotal = 40;
    progress.bytesTotal = 100'000'000;
    EXPECT_EQ(WholeRunProgressText(progress, 2, ProgressTexts()),
              u"Files: 12/40 \u2013 40.0 MB \u2013 20.0 MB/s \u2013 40% \u2013 0:03 left");
    EXPECT_EQ(WholeRunPercent(progress), 40);
    progress.bytesDone = progress.bytesTotal + 5;  // a file grew while it was hashed
    EXPECT_EQ(WholeRunPercent(progress), 100);
    EXPECT_EQ(WholeRunProgressText(progress, 0, ProgressTexts()),
              u"Files: 12/40 \u2013 100.0 MB \u2013 0.0 MB/s \u2013 100%");
}

TEST(ProgressTextTest, ASummarySaysWhatARunCameToAndWhetherItWasStopped) {
    const std::u16string pattern = u"%1 hashed, %2 unreadable, %3 folders, %4 in %5";
    const FolderSummaryTexts words{pattern, u"Stopped.", u"not shown: %1", u"Not opened: %1"};
    const ReadFailureTexts causes(u"");
    FolderRunSummary summary;
    summary.filesHashed = 12;
    summary.filesUnreadable = 1;
    summary.bytes = 4'500'000;
    summary.seconds = 3.64;
    EXPECT_EQ(FolderSummaryText(summary, words, ProgressTexts(), causes),
              u"12 hashed, 1 unreadable, 0 folders, 4.50 MB in 3.6 s");
    summary.stopped = true;
    summary.filesNotShown = 5;
    summary.foldersNotOpened = {{u"/t/locked", ReadFailure::kPermissionDenied},
                                {u"/t/gone", ReadFailure::kMissing}};
    EXPECT_EQ(FolderSummaryText(summary, words, ProgressTexts(), causes),
              u"Stopped. 12 hashed, 1 unreadable, 2 folders, 4.50 MB in 3.6 s \u2013 not shown: 5\n"
              u"Not opened: /t/locked: " +
                  causes.Status(ReadFailure::kPermissionDenied) + u"; /t/gone: " +
                  causes.Status(ReadFailure::kMissing));
    EXPECT_EQ(FoldersNotOpenedText(summary.foldersNotOpened, causes, 1),
              u"/t/locked: " + causes.Status(ReadFailure::kPermissionDenied) + u"; \u2026 +1");
}

}  // namespace
}  // namespace tessik
