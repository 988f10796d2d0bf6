#include "jobs/folder_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <thread>
#include <vector>

#include "digest/digest_request.h"
#include "digest/hex.h"
#include "platform/path_encoding.h"
#include "platform/text_conversion.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

constexpr int kMd5 = 2;
constexpr int kSha1 = 3;
constexpr int kSdbm = 24;
// Known answers: the test suite of RFC 1321 (MD5) and the "abc" example of FIPS 180 (SHA-1).
const std::u16string kMd5OfAbc = u"900150983cd24fb0d6963f7d28e17f72";
const std::u16string kMd5OfA = u"0cc175b9c0f1b6a831c399e269772661";
const std::u16string kSha1OfAbc = u"a9993e364706816aba3e25717850c26c9cd0d89d";

struct Line {
    std::u16string path, digest;
};

std::u16string TextDigest(int algorithm, const std::u16string& text) {
    return FromUtf8(HashFromString(algorithm, text, true));
}

std::u16string Lines(const std::vector<Line>& lines, const std::u16string& separator = u" ") {
    std::u16string text;
    for (const auto& line : lines) text += line.path + separator + line.digest + u"\r\n";
    return text;
}

// The owner's side of a run: it starts it with the folder and choice below, waits for it and
// keeps its output as the folder window shows it.
class FolderRunTest : public testing::Test {
  protected:
    FolderRunTest() {
        test::WriteBytes(temp.Native("a.txt"), "abc");
        test::WriteBytes(temp.Native("b.bin"), "a");
        tree.folder = temp.U16() + kPathSeparator;
        tree.workers = 1;
    }

    // Starts the run on the folder with the choice made.
    void Start(FolderRun& run) {
        choice->Set(chosen);
        output.clear();
        ASSERT_TRUE(run.Start(HashingFolder(tree, choice)));
    }
    // Waits for the run's end, taking its rows; what it came to.
    void Finish(FolderRun& run, const std::u16string& separator = u" ") {
        while (!run.WaitForEnd(std::chrono::milliseconds(5))) TakeRows(run, separator);
        summary = run.Finish();
        TakeRows(run, separator);
        EXPECT_FALSE(run.IsActive());
    }
    void TakeRows(FolderRun& run, const std::u16string& separator) {
        for (FolderLine& row : run.TakeRows()) {
            output += FolderLineText(row, separator);
            results.push_back(std::move(row.result));
        }
    }

    // Runs to its end. One worker unless told otherwise, so that the n-th read of a run is
    // always the same one.
    void Run(const std::u16string& separator = u" ", int workers = 1) {
        tree.workers = workers;
        FolderRun run;
        Start(run);
        Finish(run, separator);
    }

    // The same, with the worker held at the given open or read of a file until `atHold` has run.
    void RunHeld(test::Call call, int number, const std::function<void(FolderRun&)>& atHold,
                 const std::u16string& separator = u" ", int workers = 1) {
        tree.workers = workers;
        test::HeldCall held(call, number);
        FolderRun run;
        Start(run);
        while (!held.IsHeld() && !run.HasEnded()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_TRUE(held.IsHeld());
        atHold(run);
        held.Release();
        Finish(run, separator);
    }

    test::TemporaryFolder temp;
    FolderToHash tree;
    DigestChoice chosen{kMd5, true};
    const std::shared_ptr<LatestChoice> choice = std::make_shared<LatestChoice>();
    std::u16string output;
    std::vector<FolderResult> results;
    FolderRunSummary summary;
};

TEST_F(FolderRunTest, OneLinePerFileWithTheSeparatorAndLetterCase) {
    struct Case {
        std::u16string separator;
        bool lowerCase;
        std::u16string digestA, digestB;
    };
    const Case cases[] = {
        {u" ", true, kMd5OfAbc, kMd5OfA},
        {u" ", false, u"900150983CD24FB0D6963F7D28E17F72", u"0CC175B9C0F1B6A831C399E269772661"},
        {u"", true, kMd5OfAbc, kMd5OfA},
        {u"|", true, kMd5OfAbc, kMd5OfA},
        {u" -> ", true, kMd5OfAbc, kMd5OfA},
    };
    for (const auto& c : cases) {
        chosen = {kMd5, c.lowerCase};
        Run(c.separator);
        EXPECT_EQ(output, Lines({{temp.U16("a.txt"), c.digestA}, {temp.U16("b.bin"), c.digestB}},
                                c.separator));
    }
}

TEST_F(FolderRunTest, FilesThatCannotBeReadStillGetTheirLine) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    test::MakeFolder(temp.Native("odd"));
    ASSERT_EQ(::mkfifo(temp.Native("odd/pipe").c_str(), 0600), 0);
    const test::BoundSocket socket(temp.Native("odd/sock"));
    std::filesystem::create_symlink("nowhere", temp.Native("odd/dangling"));
    std::vector<std::u16string> paths = {temp.U16("odd/dangling"), temp.U16("odd/gone.txt"),
                                         temp.U16("odd/pipe"), temp.U16("odd/sock")};
    if (::geteuid() != 0) {
        test::WriteBytes(temp.Native("odd/locked"), "abc");
        ASSERT_EQ(::chmod(temp.Native("odd/locked").c_str(), 0), 0);
        paths.insert(paths.begin() + 2, temp.U16("odd/locked"));
    }
    tree.folder = temp.U16("odd");
    for (const auto& [index, digest] : {std::pair{kMd5, u""}, {kSdbm, u"00000000"}}) {
        test::WriteBytes(temp.Native("odd/gone.txt"), "abc");
        chosen = {index, true};
        // Listed with its folder, gone when its turn comes: the first file the job opens.
        RunHeld(
            test::Call::kOpen, 1,
            [&](FolderRun&) { std::filesystem::remove(temp.Native("odd/gone.txt")); }, u"|");
        std::vector<Line> expected;
        for (const auto& path : paths) expected.push_back({path, digest});
        EXPECT_EQ(output, Lines(expected, u"|"));
    }
}

// Several algorithms from one read: a column each, in the order chosen; an unreadable file has
// each one's unreadable result.
TEST_F(FolderRunTest, SeveralAlgorithmsGiveADigestEachOnTheFilesLine) {
    SKIP_ON_WINDOWS("no FIFOs in a Windows file system");
    ASSERT_EQ(::mkfifo(temp.Native("pipe").c_str(), 0600), 0);
    chosen.several = {&AlgorithmForIndex(kSha1), &AlgorithmForIndex(kSdbm)};
    Run(u"|", 2);
    EXPECT_EQ(output, temp.U16("a.txt") + u"|" + kSha1OfAbc + u"|" + TextDigest(kSdbm, u"abc") +
                          u"\r\n" + temp.U16("b.bin") + u"|" + TextDigest(kSha1, u"a") + u"|" +
                          TextDigest(kSdbm, u"a") + u"\r\n" + temp.U16("pipe") + u"||00000000\r\n");
    EXPECT_EQ(summary.filesHashed, 2u);
}

TEST_F(FolderRunTest, HostileTreeEndsWithACorrectLinePerFile) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    test::MakeFolder(temp.Native("sub"));
    test::WriteBytes(temp.Native("sub/bad\xff.txt"), "abc");
    std::filesystem::create_directory_symlink("..", temp.Native("sub/up"));
    ASSERT_EQ(::mkfifo(temp.Native("sub/pipe").c_str(), 0600), 0);
    tree.subfolders = true;
    Run();
    EXPECT_EQ(output, Lines({{temp.U16("a.txt"), kMd5OfAbc},
                             {temp.U16("b.bin"), kMd5OfA},
                             {temp.U16("sub/bad\xff.txt"), kMd5OfAbc},
                             {temp.U16("sub/pipe"), u""}}));
}

TEST_F(FolderRunTest, AChoiceMadeDuringAFileAppliesFromTheNextOne) {
    test::WriteBytes(temp.Native("c.txt"), "abc");
    tree.extensionFilter = u".txt";
    const struct {
        DigestChoice before, after;
        std::u16string digestA, digestC;
    } cases[] = {
        {{kMd5, true}, {kSha1, true}, kMd5OfAbc, kSha1OfAbc},
        {{kMd5, false}, {kSha1, true}, u"900150983CD24FB0D6963F7D28E17F72", kSha1OfAbc},
        {{kSha1, true}, {kSha1, false}, kSha1OfAbc, u"A9993E364706816ABA3E25717850C26C9CD0D89D"},
    };
    for (const auto& c : cases) {
        chosen = c.before;
        // Changed while a.txt is being read, as the user might while it is being hashed.
        RunHeld(test::Call::kRead, 1, [&](FolderRun&) { choice->Set(c.after); });
        EXPECT_EQ(output, Lines({{temp.U16("a.txt"), c.digestA}, {temp.U16("c.txt"), c.digestC}}));
    }
}

// Stop cancels the file at hand: with MD2 a whole 16 MiB file would take over a second, the
// worker gives up on it after its first piece.
TEST_F(FolderRunTest, StopDuringAFileCancelsItAndNothingFollows) {
    constexpr int kMd2 = 0;
    constexpr std::uint64_t kSize = 16u << 20;
    test::WriteBytes(temp.Native("b.bin"), std::string(kSize, 'b'));
    chosen = {kMd2, true};
    RunHeld(test::Call::kRead, 2, [&](FolderRun& run) {
        // a.txt is handed over by the run's own thread, which b.bin's hold does not wait for.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (run.Progress().filesDone == 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_EQ(run.Progress().currentFile, temp.U16("b.bin"));
        EXPECT_EQ(run.Progress().filesDone, 1u);
        run.Stop();
    });
    EXPECT_EQ(output, Lines({{temp.U16("a.txt"), TextDigest(kMd2, u"abc")}}));
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(summary.filesHashed, 1u);
    EXPECT_EQ(summary.bytes, 3u);
}

// One large file first and small ones after it: the other worker hashes the small ones meanwhile,
// and the run's progress counts them and, once the walk ahead has counted it, the whole run.
// Stopped then, the large file has no line and the small ones none after it, but the summary
// counts them as hashed, not shown.
TEST_F(FolderRunTest, StopBehindALargeFileCountsWhatTheOtherWorkersHashed) {
    constexpr int kMd2 = 0;
    constexpr std::uint64_t kSize = 16u << 20;
    test::WriteBytes(temp.Native("a.txt"), std::string(kSize, 'a'));
    test::WriteBytes(temp.Native("c.txt"), "abc");
    chosen = {kMd2, true};
    tree.workers = 2;
    FolderRun run;
    Start(run);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    const auto ready = [&] {
        const RunProgress now = run.Progress();
        return now.filesFinished == 2 && now.totalKnown;
    };
    while (!ready() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const RunProgress now = run.Progress();
    EXPECT_EQ(now.filesFinished, 2u);
    EXPECT_EQ(now.filesTotal, 3u);
    EXPECT_EQ(now.bytesTotal, kSize + 4);
    EXPECT_EQ(now.filesDone, 0u);  // nothing delivered behind the large file
    run.Stop();
    Finish(run);
    EXPECT_EQ(output, u"");
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(summary.filesHashed, 2u);
    EXPECT_EQ(summary.filesNotShown, 2u);
    EXPECT_EQ(summary.bytes, 4u);
}

// Several workers give, byte for byte, the lines and the summary of one, in the walk's order:
// small and large files, one that cannot be read, sub-folders.
TEST_F(FolderRunTest, SeveralWorkersGiveTheLinesOfOneInTheWalksOrder) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    std::mt19937 random(16);
    for (int folder = 0; folder < 3; ++folder) {
        const std::string sub = "sub" + std::to_string(folder);
        test::MakeFolder(temp.Native(sub));
        for (int file = 0; file < 20; ++file) {
            std::string bytes(random() % 70000, '\0');
            for (char& b : bytes) b = static_cast<char>(random());
            test::WriteBytes(temp.Native(sub + "/f" + std::to_string(file)), bytes);
        }
    }
    test::WriteBytes(temp.Native("sub1/large"), std::string(5u << 20, 'L'));
    ASSERT_EQ(::mkfifo(temp.Native("sub2/pipe").c_str(), 0600), 0);
    tree.subfolders = true;
    Run(u"|", 1);
    const std::u16string expected = output;
    FolderRunSummary expectedSummary = summary;
    expectedSummary.seconds = 0;
    ASSERT_EQ(expectedSummary.filesHashed, 63u);
    for (const int workers : {2, 4}) {
        Run(u"|", workers);
        EXPECT_EQ(output, expected) << workers << " workers";
        summary.seconds = 0;
        EXPECT_EQ(summary, expectedSummary) << workers << " workers";
    }
}

// Files start in the walk's order and each takes the choice in force when it starts, so a change
// during a run switches the lines once: those before it keep the old choice, every later one
// has the new. The first file is held, which keeps the others within the run's few queued files.
TEST_F(FolderRunTest, AChoiceChangedWhileSeveralWorkersHashAppliesFromTheNextFileStarted) {
    constexpr int kFiles = 200;
    for (int i = 0; i < kFiles; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%03d.txt", i);
        test::WriteBytes(temp.Native(name), "abc");
    }
    tree.extensionFilter = u".txt";
    for (const int workers : {2, 4}) {
        chosen = {kMd5, true};
        RunHeld(
            test::Call::kRead, 1,
            [&](FolderRun&) {
                choice->Set({kSha1, false});
            },
            u" ", workers);
        std::vector<std::u16string> digests;
        for (std::size_t at = 0; at < output.size();) {
            const std::size_t end = output.find(u"\r\n", at);
            const std::u16string line = output.substr(at, end - at);
            digests.push_back(line.substr(line.rfind(u' ') + 1));
            at = end + 2;
        }
        ASSERT_EQ(digests.size(), static_cast<std::size_t>(kFiles) + 1);  // a.txt too
        const auto firstNew =
            std::find(digests.begin(), digests.end(), u"A9993E364706816ABA3E25717850C26C9CD0D89D");
        ASSERT_NE(firstNew, digests.end()) << workers << " workers";
        EXPECT_TRUE(std::all_of(digests.begin(), firstNew,
                                [](const std::u16string& d) { return d == kMd5OfAbc; }));
        EXPECT_TRUE(std::all_of(firstNew, digests.end(),
                                [&](const std::u16string& d) { return d == *firstNew; }));
        EXPECT_GE(firstNew - digests.begin(), 1) << "the held file started before the change";
        EXPECT_LE(firstNew - digests.begin(),
                  static_cast<std::ptrdiff_t>(1 + workers * kFilesQueuedPerWorker))
            << workers << " workers";
    }
}

// Stop and the close box end every file being hashed within 0.2 s whatever the number of
// workers; those files get no line.
TEST_F(FolderRunTest, StopAndCloseEndSeveralWorkersWithinAFifthOfASecond) {
    constexpr int kMd2 = 0;
#ifdef _WIN32
    // Under Wine every call goes through its server, whose turns a busy machine delays by more
    // than the fifth of a second: there the bound only tells a stop from a hang.
    constexpr auto kStopBound = std::chrono::seconds(2);
#else
    constexpr auto kStopBound = std::chrono::milliseconds(200);
#endif
    for (int i = 0; i < 6; ++i) {
        test::WriteBytes(temp.Native("big" + std::to_string(i)), std::string(16u << 20, 'x'));
    }
    tree.extensionFilter = u"*";
    chosen = {kMd2, true};
    for (const int workers : {2, 4}) {
        for (const bool close : {false, true}) {
            tree.workers = workers;
            test::HeldCall held(test::Call::kRead, 3);
            FolderRun run;
            Start(run);
            while (!held.IsHeld()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const auto stopped = std::chrono::steady_clock::now();
            // Closing releases the worker before it stops the run, Stop the other way round.
            if (close) held.Release();
            run.Stop();
            if (!close) held.Release();
            Finish(run);
            const auto took = std::chrono::steady_clock::now() - stopped;
            EXPECT_LT(took, kStopBound) << workers << " workers";
            EXPECT_EQ(output.find(u"big"), std::u16string::npos)
                << "no file being hashed gets a line";
            EXPECT_TRUE(summary.stopped);
        }
    }
}

TEST_F(FolderRunTest, EveryRunEndsWithWhatItCameTo) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    test::MakeFolder(temp.Native("sub"));
    test::MakeFolder(temp.Native("locked"));
    test::WriteBytes(temp.Native("sub/c.txt"), "abcd");
    ASSERT_EQ(::mkfifo(temp.Native("sub/pipe").c_str(), 0600), 0);
    test::UnreadableFolder locked(temp.Native("locked"));
    struct Case {
        const char* name;
        std::u16string folder;
        bool subfolders;
        FolderRunSummary summary;  // the time left out
    };
    const Case cases[] = {
        {"flat", temp.U16(), false, {2, 0, 0, {}, 4}},
        {"with sub-folders",
         temp.U16(),
         true,
         {3, 0, 1, {{temp.U16("locked"), ReadFailure::kPermissionDenied}}, 8}},
        {"no such root",
         temp.U16("missing"),
         true,
         {0, 0, 0, {{temp.U16("missing"), ReadFailure::kMissing}}, 0}},
    };
    for (const Case& c : cases) {
        tree.folder = c.folder;
        tree.subfolders = c.subfolders;
        Run();
        EXPECT_GE(summary.seconds, 0) << c.name;
        summary.seconds = 0;
        EXPECT_EQ(summary, c.summary) << c.name;
    }
}

TEST_F(FolderRunTest, FolderThatCannotBeListedGivesAnEmptyOutput) {
    for (const std::u16string& folder : {temp.U16("missing"), temp.U16("a.txt")}) {
        tree.folder = folder;
        output = u"left from an earlier run";
        Run();
        EXPECT_EQ(output, u"");
    }
}

// What saving a run as a checksum list needs: each file below the folder, however the folder was
// typed, with the algorithm and digest it got; nothing for a file that could not be read.
TEST_F(FolderRunTest, KeepsEachFilesResultBelowTheFolder) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    test::MakeFolder(temp.Native("sub"));
    test::WriteBytes(temp.Native("sub/c.txt"), "abc");
    ASSERT_EQ(::mkfifo(temp.Native("fifo").c_str(), 0600), 0);
    tree.subfolders = true;
    for (const std::u16string& folder : {temp.U16(), temp.U16() + kPathSeparator}) {
        tree.folder = folder;
        results.clear();
        Run(u" ", 2);
        std::sort(results.begin(), results.end(),
                  [](const auto& x, const auto& y) { return x.relativePath < y.relativePath; });
        ASSERT_EQ(results.size(), 4u);
        const std::u16string expected[][2] = {
            {u"a.txt", kMd5OfAbc}, {u"b.bin", kMd5OfA}, {u"fifo", u""}, {u"sub/c.txt", kMd5OfAbc}};
        for (std::size_t i = 0; i < results.size(); ++i) {
            EXPECT_EQ(results[i].relativePath, expected[i][0]);
            EXPECT_EQ(FromUtf8(HexDigest(results[i].digest)), expected[i][1]);
            EXPECT_EQ(results[i].algorithm, &AlgorithmForIndex(kMd5));
        }
    }
}

TEST_F(FolderRunTest, NeverTwoRunsAtOnce) {
    FolderRun run;
    Start(run);
    EXPECT_FALSE(run.Start(HashingFolder(tree, choice)));
    run.Stop();
    EXPECT_TRUE(run.IsActive());
    EXPECT_FALSE(run.Start(HashingFolder(tree, choice)))
        << "a stopped run that has not been finished blocks a new one";
    Finish(run);
    Start(run);
    Finish(run);
    EXPECT_EQ(output, Lines({{temp.U16("a.txt"), kMd5OfAbc}, {temp.U16("b.bin"), kMd5OfA}}));
}

TEST_F(FolderRunTest, StopDuringARunEndsItWithoutALineForTheFileUnderWay) {
    test::WriteBytes(temp.Native("b.bin"), std::string(1000000, 'a'));
    {
        test::HeldCall held(test::Call::kRead, 2);
        FolderRun run;
        Start(run);
        while (!held.IsHeld()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        // The window closes while b.bin is being read. The close stops the run before the read
        // returns, so the file is cancelled whatever the timing.
        run.Stop();
        held.Release();
        Finish(run);
    }
    EXPECT_EQ(output, Lines({{temp.U16("a.txt"), kMd5OfAbc}}));
    EXPECT_TRUE(summary.stopped);
}

// A file whose read fails part-way still gets its line, with the unreadable result, and the
// run goes on. The read budget lets a.txt through whole and fails b.bin at its first byte.
TEST_F(FolderRunTest, ReadErrorGivesTheUnreadableResultAndTheRunGoesOn) {
    const struct {
        int algorithm;
        std::u16string unreadable;
    } cases[] = {{kMd5, u""}, {kSdbm, u"00000000"}};
    for (const auto& c : cases) {
        chosen = {c.algorithm, true};
        {
            test::FailingCall failing(test::Call::kRead, EIO, 3);
            Run();
        }
        const std::u16string abc = FromUtf8(HashFromString(c.algorithm, u"abc", true));
        EXPECT_EQ(output, Lines({{temp.U16("a.txt"), abc}, {temp.U16("b.bin"), c.unreadable}}))
            << c.algorithm;
    }
}

}  // namespace
}  // namespace tessik
