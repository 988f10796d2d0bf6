#include "folder/folder_hash_job.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>
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
// Known answers: the test suite of RFC 1321 (MD5), the "abc" example of FIPS 180 (SHA-1) and
// the widely published MD5 of one million "a".
const std::u16string kMd5OfAbc = u"900150983cd24fb0d6963f7d28e17f72";
const std::u16string kMd5OfA = u"0cc175b9c0f1b6a831c399e269772661";
const std::u16string kMd5OfMillionA = u"7707d6ae4e027c70eea2a935c2296f21";
const std::u16string kSha1OfAbc = u"a9993e364706816aba3e25717850c26c9cd0d89d";

// Plays the folder window. Every call must arrive on the thread that made it, which plays the
// window's thread.
class ScriptedWindow : public FolderJobWindow {
  public:
    FolderJobSettings settings;
    DigestChoice choice{kMd5, true};
    std::u16string output = u"left from an earlier run";
    bool userEdited = false;
    bool running = false;
    int wholeWrites = 0;
    int idleCalls = 0;
    std::vector<FolderRunSummary> summaries;
    bool foreignThread = false;

    FolderJobSettings ReadJobSettings() override {
        CheckThread();
        return settings;
    }
    DigestChoice ReadDigestChoice() override {
        CheckThread();
        return choice;
    }
    void ShowRunning(bool state) override {
        CheckThread();
        running = state;
        if (!state) ++idleCalls;
    }
    void SetOutput(const std::u16string& text) override {
        CheckThread();
        output = text;
        userEdited = false;
        ++wholeWrites;
    }
    bool AppendOutput(const std::u16string& lines) override {
        CheckThread();
        if (userEdited) return false;
        output += lines;
        return true;
    }
    void ShowSummary(const FolderRunSummary& summary) override {
        CheckThread();
        summaries.push_back(summary);
    }
    void UserTypes(const std::u16string& text) {
        output += text;
        userEdited = true;
    }

  private:
    void CheckThread() { foreignThread |= std::this_thread::get_id() != thread_; }
    const std::thread::id thread_ = std::this_thread::get_id();
};

// Plays the window's event loop: the wake-up posts an event, the loop serves one per event.
class EventQueue {
  public:
    void Post() {
        {
            std::lock_guard lock(mutex_);
            ++events_;
        }
        posted_.notify_one();
    }
    void Take() {
        std::unique_lock lock(mutex_);
        posted_.wait(lock, [this] { return events_ > 0; });
        --events_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    int events_ = 0;
};

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

class FolderHashJobTest : public testing::Test {
  protected:
    FolderHashJobTest() {
        test::WriteBytes(temp.Native("a.txt"), "abc");
        test::WriteBytes(temp.Native("b.bin"), "a");
        window.settings = {temp.U16() + kPathSeparator, u"*", u"*", false};
    }

    // Runs the job to its end with this thread serving the worker's calls. One worker unless
    // told otherwise, so that the n-th read of a run is always the same one.
    void Run(const std::u16string& separator = u" ", int workers = 1) {
        window.wholeWrites = 0;
        FolderHashJob job(window, separator, {}, workers);
        ASSERT_TRUE(job.Start());
        job.WaitWhileServing();
        EXPECT_FALSE(job.IsRunning());
        EXPECT_FALSE(window.running);
        EXPECT_FALSE(window.foreignThread);
    }

    // The same, with the worker held at the given open or read of a file until `atHold` has
    // run on this thread, which plays the window's event loop meanwhile.
    void RunHeld(test::Call call, int number, const std::function<void(FolderHashJob&)>& atHold,
                 const std::u16string& separator = u" ", int workers = 1) {
        window.wholeWrites = 0;
        EventQueue events;
        test::HeldCall held(call, number, [&] { events.Post(); });
        FolderHashJob job(
            window, separator, [&] { events.Post(); }, workers);
        ASSERT_TRUE(job.Start());
        while (!held.IsHeld() && job.IsRunning()) {
            events.Take();
            job.ServePendingCalls();
        }
        ASSERT_TRUE(held.IsHeld());
        atHold(job);
        held.Release();
        job.WaitWhileServing();
        EXPECT_FALSE(window.running);
        EXPECT_FALSE(window.foreignThread);
    }

    test::TemporaryFolder temp;
    ScriptedWindow window;
};

TEST_F(FolderHashJobTest, OneLinePerFileWithTheSeparatorAndLetterCase) {
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
        window.choice = {kMd5, c.lowerCase};
        Run(c.separator);
        EXPECT_EQ(
            window.output,
            Lines({{temp.U16("a.txt"), c.digestA}, {temp.U16("b.bin"), c.digestB}}, c.separator));
        EXPECT_EQ(window.wholeWrites, 1) << "lines are appended, the field is set only once";
    }
}

TEST_F(FolderHashJobTest, FilesThatCannotBeReadStillGetTheirLine) {
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
    window.settings.folder = temp.U16("odd");
    for (const auto& [index, digest] : {std::pair{kMd5, u""}, {kSdbm, u"00000000"}}) {
        test::WriteBytes(temp.Native("odd/gone.txt"), "abc");
        window.choice = {index, true};
        // Listed with its folder, gone when its turn comes: the first file the job opens.
        RunHeld(
            test::Call::kOpen, 1,
            [&](FolderHashJob&) { std::filesystem::remove(temp.Native("odd/gone.txt")); }, u"|");
        std::vector<Line> expected;
        for (const auto& path : paths) expected.push_back({path, digest});
        EXPECT_EQ(window.output, Lines(expected, u"|"));
    }
}

TEST_F(FolderHashJobTest, HostileTreeEndsWithACorrectLinePerFile) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    test::MakeFolder(temp.Native("sub"));
    test::WriteBytes(temp.Native("sub/bad\xff.txt"), "abc");
    std::filesystem::create_directory_symlink("..", temp.Native("sub/up"));
    ASSERT_EQ(::mkfifo(temp.Native("sub/pipe").c_str(), 0600), 0);
    window.settings.subfolders = true;
    Run();
    EXPECT_EQ(window.output, Lines({{temp.U16("a.txt"), kMd5OfAbc},
                                    {temp.U16("b.bin"), kMd5OfA},
                                    {temp.U16("sub/bad\xff.txt"), kMd5OfAbc},
                                    {temp.U16("sub/pipe"), u""}}));
}

TEST_F(FolderHashJobTest, AChoiceMadeDuringAFileAppliesFromTheNextOne) {
    test::WriteBytes(temp.Native("c.txt"), "abc");
    window.settings.extensionFilter = u".txt";
    const struct {
        DigestChoice before, after;
        std::u16string digestA, digestC;
    } cases[] = {
        {{kMd5, true}, {kSha1, true}, kMd5OfAbc, kSha1OfAbc},
        {{kMd5, false}, {kSha1, true}, u"900150983CD24FB0D6963F7D28E17F72", kSha1OfAbc},
        {{kSha1, true}, {kSha1, false}, kSha1OfAbc, u"A9993E364706816ABA3E25717850C26C9CD0D89D"},
    };
    for (const auto& c : cases) {
        window.choice = c.before;
        // Changed while a.txt is being read, as the user might while it is being hashed.
        RunHeld(test::Call::kRead, 1, [&](FolderHashJob& job) {
            window.choice = c.after;
            job.DigestChoiceChanged();
        });
        EXPECT_EQ(window.output,
                  Lines({{temp.U16("a.txt"), c.digestA}, {temp.U16("c.txt"), c.digestC}}));
    }
}

// Stop cancels the file at hand: with MD2 a whole 16 MiB file would take over a second, the
// worker gives up on it after its first piece.
TEST_F(FolderHashJobTest, StopDuringAFileCancelsItAndNothingFollows) {
    constexpr int kMd2 = 0;
    constexpr std::uint64_t kSize = 16u << 20;
    test::WriteBytes(temp.Native("b.bin"), std::string(kSize, 'b'));
    window.choice = {kMd2, true};
    RunHeld(test::Call::kRead, 2, [&](FolderHashJob& job) {
        EXPECT_EQ(job.Progress().currentFile, temp.U16("b.bin"));
        EXPECT_EQ(job.Progress().filesDone, 1u);
        job.StopProcessing();
        EXPECT_FALSE(window.running) << "the buttons are idle at once";
    });
    EXPECT_EQ(window.output, Lines({{temp.U16("a.txt"), TextDigest(kMd2, u"abc")}}));
    EXPECT_EQ(window.idleCalls, 2) << "Stop, then the worker's own last call";
    ASSERT_EQ(window.summaries.size(), 1u);
    EXPECT_TRUE(window.summaries[0].stopped);
    EXPECT_EQ(window.summaries[0].filesHashed, 1u);
    EXPECT_EQ(window.summaries[0].bytes, 3u);
}

// Several workers give, byte for byte, the lines and the summary of one, in the walk's order:
// small and large files, one that cannot be read, sub-folders.
TEST_F(FolderHashJobTest, SeveralWorkersGiveTheLinesOfOneInTheWalksOrder) {
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
    window.settings.subfolders = true;
    Run(u"|", 1);
    const std::u16string expected = window.output;
    FolderRunSummary expectedSummary = window.summaries.back();
    expectedSummary.seconds = 0;
    ASSERT_EQ(expectedSummary.filesHashed, 63u);
    for (const int workers : {2, 4}) {
        Run(u"|", workers);
        EXPECT_EQ(window.output, expected) << workers << " workers";
        FolderRunSummary summary = window.summaries.back();
        summary.seconds = 0;
        EXPECT_EQ(summary, expectedSummary) << workers << " workers";
    }
}

// Files start in the walk's order and each takes the choice in force when it starts, so a change
// during a run switches the lines once: those before it keep the old choice, every later one
// has the new. The first file is held, which keeps the others within the run's few queued files.
TEST_F(FolderHashJobTest, AChoiceChangedWhileSeveralWorkersHashAppliesFromTheNextFileStarted) {
    constexpr int kFiles = 200;
    for (int i = 0; i < kFiles; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%03d.txt", i);
        test::WriteBytes(temp.Native(name), "abc");
    }
    window.settings.extensionFilter = u".txt";
    for (const int workers : {2, 4}) {
        window.choice = {kMd5, true};
        RunHeld(
            test::Call::kRead, 1,
            [&](FolderHashJob& job) {
                window.choice = {kSha1, false};
                job.DigestChoiceChanged();
            },
            u" ", workers);
        std::vector<std::u16string> digests;
        for (std::size_t at = 0; at < window.output.size();) {
            const std::size_t end = window.output.find(u"\r\n", at);
            const std::u16string line = window.output.substr(at, end - at);
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
TEST_F(FolderHashJobTest, StopAndCloseEndSeveralWorkersWithinAFifthOfASecond) {
    constexpr int kMd2 = 0;
    for (int i = 0; i < 6; ++i) {
        test::WriteBytes(temp.Native("big" + std::to_string(i)), std::string(16u << 20, 'x'));
    }
    window.settings.extensionFilter = u"*";
    window.choice = {kMd2, true};
    for (const int workers : {2, 4}) {
        for (const bool close : {false, true}) {
            EventQueue events;
            test::HeldCall held(test::Call::kRead, 3, [&] { events.Post(); });
            FolderHashJob job(
                window, u" ", [&] { events.Post(); }, workers);
            ASSERT_TRUE(job.Start());
            while (!held.IsHeld()) {
                events.Take();
                job.ServePendingCalls();
            }
            const auto stopped = std::chrono::steady_clock::now();
            if (close) {
                held.Release();
                job.StopAndWait();
            } else {
                job.StopProcessing();
                held.Release();
                job.WaitWhileServing();
            }
            const auto took = std::chrono::steady_clock::now() - stopped;
            EXPECT_LT(took, std::chrono::milliseconds(200)) << workers << " workers";
            EXPECT_FALSE(job.IsRunning());
            EXPECT_EQ(window.output.find(u"big"), std::u16string::npos)
                << "no file being hashed gets a line";
            EXPECT_TRUE(window.summaries.back().stopped);
            EXPECT_FALSE(window.foreignThread);
        }
    }
}

TEST_F(FolderHashJobTest, EveryRunEndsWithWhatItCameTo) {
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
        {"flat", temp.U16(), false, {2, 0, 0, 4}},
        {"with sub-folders", temp.U16(), true, {3, 1, 1, 8}},
        {"no such root", temp.U16("missing"), true, {0, 0, 1, 0}},
    };
    for (const Case& c : cases) {
        window.settings.folder = c.folder;
        window.settings.subfolders = c.subfolders;
        window.summaries.clear();
        Run();
        ASSERT_EQ(window.summaries.size(), 1u) << c.name;
        FolderRunSummary summary = window.summaries[0];
        EXPECT_GE(summary.seconds, 0) << c.name;
        summary.seconds = 0;
        EXPECT_EQ(summary, c.summary) << c.name;
    }
}

TEST_F(FolderHashJobTest, FolderThatCannotBeListedGivesAnEmptyOutput) {
    for (const std::u16string& folder : {temp.U16("missing"), temp.U16("a.txt")}) {
        window.settings.folder = folder;
        window.output = u"left from an earlier run";
        Run();
        EXPECT_EQ(window.output, u"");
    }
}

TEST_F(FolderHashJobTest, UserTypedOutputIsReplacedByTheWholeOutputAtTheNextLine) {
    test::WriteBytes(temp.Native("c.txt"), "abc");
    // Held in b.bin, once a.txt's line is in the field. b.bin is read on a thread of its own, so
    // a.txt's line may still be on its way when the hold begins.
    RunHeld(test::Call::kRead, 2, [&](FolderHashJob& job) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (window.output.empty() && std::chrono::steady_clock::now() < deadline) {
            job.ServePendingCalls();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(window.output, Lines({{temp.U16("a.txt"), kMd5OfAbc}}));
        window.UserTypes(u"typed");
    });
    EXPECT_EQ(window.output, Lines({{temp.U16("a.txt"), kMd5OfAbc},
                                    {temp.U16("b.bin"), kMd5OfA},
                                    {temp.U16("c.txt"), kMd5OfAbc}}));
    EXPECT_EQ(window.wholeWrites, 2);  // cleared at the start, then once after the typing
}

// What saving a run as a checksum list needs: each file below the folder, however the folder was
// typed, with the algorithm and digest it got; nothing for a file that could not be read.
TEST_F(FolderHashJobTest, KeepsEachFilesResultBelowTheFolder) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    test::MakeFolder(temp.Native("sub"));
    test::WriteBytes(temp.Native("sub/c.txt"), "abc");
    ASSERT_EQ(::mkfifo(temp.Native("fifo").c_str(), 0600), 0);
    window.settings.subfolders = true;
    for (const std::u16string& folder : {temp.U16(), temp.U16() + kPathSeparator}) {
        window.settings.folder = folder;
        FolderHashJob job(window, u" ", {}, 2);
        ASSERT_TRUE(job.Start());
        job.WaitWhileServing();
        std::vector<FolderResult> results = job.Results();
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

TEST_F(FolderHashJobTest, NeverTwoWorkersAtOnce) {
    FolderHashJob job(window, u" ");
    ASSERT_TRUE(job.Start());
    // The worker cannot end before this thread serves its first call.
    EXPECT_FALSE(job.Start());
    job.StopProcessing();
    EXPECT_TRUE(job.IsRunning());
    EXPECT_FALSE(job.Start()) << "a stopped worker that is still alive blocks a new run";
    job.StopAndWait();
    EXPECT_FALSE(job.IsRunning());
    EXPECT_EQ(window.output, u"");
    ASSERT_TRUE(job.Start());
    job.WaitWhileServing();
    EXPECT_EQ(window.output, Lines({{temp.U16("a.txt"), kMd5OfAbc}, {temp.U16("b.bin"), kMd5OfA}}));
    EXPECT_FALSE(window.foreignThread);
}

TEST_F(FolderHashJobTest, CloseDuringARunReturnsOnlyOnceTheWorkerHasEnded) {
    test::WriteBytes(temp.Native("b.bin"), std::string(1000000, 'a'));
    EventQueue events;
    test::HeldCall held(test::Call::kRead, 2, [&] { events.Post(); });
    FolderHashJob job(
        window, u" ", [&] { events.Post(); }, 1);
    ASSERT_TRUE(job.Start());
    while (!held.IsHeld()) {
        events.Take();
        job.ServePendingCalls();
    }
    // The window closes while b.bin is being read. The close stops the job before the read
    // returns, so the file is cancelled whatever the timing.
    job.StopProcessing();
    held.Release();
    job.StopAndWait();
    EXPECT_FALSE(job.IsRunning());
    EXPECT_EQ(window.idleCalls, 2) << "the worker's last call was served before the return";
    EXPECT_FALSE(window.running);
    // The file whose digest was under way got no line.
    EXPECT_EQ(window.output, Lines({{temp.U16("a.txt"), kMd5OfAbc}}));
    EXPECT_FALSE(window.foreignThread);
}

TEST_F(FolderHashJobTest, WakeUpsAloneCarryARunToItsEnd) {
    EventQueue events;
    FolderHashJob job(window, u" ", [&] { events.Post(); });
    ASSERT_TRUE(job.Start());
    while (job.IsRunning()) {
        events.Take();
        job.ServePendingCalls();
    }
    EXPECT_EQ(window.output, Lines({{temp.U16("a.txt"), kMd5OfAbc}, {temp.U16("b.bin"), kMd5OfA}}));
    EXPECT_FALSE(window.running);
    ASSERT_TRUE(job.Start()) << "an ended worker does not block the next run";
    job.StopAndWait();
}

// A file whose read fails part-way still gets its line, with the unreadable result, and the
// run goes on. The read budget lets a.txt through whole and fails b.bin at its first byte.
TEST_F(FolderHashJobTest, ReadErrorGivesTheUnreadableResultAndTheRunGoesOn) {
    const struct {
        int algorithm;
        std::u16string unreadable;
    } cases[] = {{kMd5, u""}, {kSdbm, u"00000000"}};
    for (const auto& c : cases) {
        window.choice = {c.algorithm, true};
        {
            test::FailingCall failing(test::Call::kRead, EIO, 3);
            Run();
        }
        const std::u16string abc = FromUtf8(HashFromString(c.algorithm, u"abc", true));
        EXPECT_EQ(window.output,
                  Lines({{temp.U16("a.txt"), abc}, {temp.U16("b.bin"), c.unreadable}}))
            << c.algorithm;
    }
}

}  // namespace
}  // namespace tessik
