// The file path every window and the command line hash through: why a file cannot be read,
// cancelling, progress, and files that change while they are read.

#include "digest/file_digest.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <thread>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "digest/file_stream.h"
#include "forced_file_route.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::TemporaryFolder;
using testing::ForcedFileRoute;
using testing::kAllFileRoutes;

std::string RandomContents(std::size_t length) {
    std::mt19937 random(static_cast<unsigned>(length));
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

Digest Sha256Of(std::string_view bytes) {
    const auto engine = AlgorithmWithId("sha2-256")->makeEngine();
    return DigestOfBytes(*engine, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                         bytes.size());
}

// SHA-256 with a hook that runs once its input reaches a mark, so a test can act at a known
// point of the hash without timing.
class HookedEngine final : public DigestEngine {
  public:
    HookedEngine(std::uint64_t mark, std::function<void()> atMark)
        : inner_(AlgorithmWithId("sha2-256")->makeEngine()), mark_(mark), atMark_(atMark) {}

    void Restart() override {
        inner_->Restart();
        seen_ = 0;
    }
    void Update(const std::uint8_t* data, std::size_t length) override {
        inner_->Update(data, length);
        const bool reached = seen_ < mark_ && seen_ + length >= mark_;
        seen_ += length;
        if (reached && atMark_) atMark_();
    }
    void Finish(std::uint8_t* digest) override { inner_->Finish(digest); }
    std::size_t DigestSize() const override { return inner_->DigestSize(); }

  private:
    std::unique_ptr<DigestEngine> inner_;
    std::uint64_t seen_ = 0;
    const std::uint64_t mark_;
    const std::function<void()> atMark_;
};

// Windows refuses to cut a file short while a view of it is mapped.
bool CanBeCutUnder(FileRoute route) {
#ifdef _WIN32
    return route != FileRoute::kMap && route != FileRoute::kMapAhead;
#else
    static_cast<void>(route);
    return true;
#endif
}

TEST(FileDigest, EachReasonAFileCannotBeReadIsReported) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), "abc");
    test::MakeFolder(temp.Native("folder"));
    ASSERT_EQ(::mkfifo(temp.Native("fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink(temp.Native("gone").c_str(), temp.Native("dangling").c_str()), 0);
    ASSERT_EQ(::symlink(temp.Native("folder").c_str(), temp.Native("to-folder").c_str()), 0);
    ASSERT_EQ(::symlink("loop", temp.Native("loop").c_str()), 0);
    const test::BoundSocket socket(temp.Native("socket"));
    const struct {
        std::u16string path;
        ReadFailure failure;
    } cases[] = {
        {temp.U16("missing"), ReadFailure::kMissing},
        {temp.U16("dangling"), ReadFailure::kMissing},
        {temp.U16("data/below-a-file"), ReadFailure::kPathThroughFile},
        {temp.U16("data/"), ReadFailure::kPathThroughFile},
        {temp.U16("loop"), ReadFailure::kLinkLoop},
        {temp.U16(std::string(300, 'n')), ReadFailure::kNameTooLong},
        {u"", ReadFailure::kMissing},
        {temp.U16("folder"), ReadFailure::kFolder},
        {temp.U16("to-folder"), ReadFailure::kFolder},
        {temp.U16("fifo"), ReadFailure::kNotRegularFile},
        {temp.U16("socket"), ReadFailure::kNotRegularFile},
        {u"/dev/null", ReadFailure::kNotRegularFile},
    };
    const auto engine = AlgorithmWithId("md5")->makeEngine();
    for (const auto& c : cases) {
        const FileDigestResult result = DigestFile(*engine, c.path);
        EXPECT_EQ(result.outcome, FileDigestOutcome::kUnreadable);
        EXPECT_EQ(result.failure, c.failure) << static_cast<int>(c.failure);
        EXPECT_TRUE(result.digest.empty());
    }
}

// Permissions do not stop the superuser, so the refusals come through the system-call table.
TEST(FileDigest, DeniedAndFailingReadsAreReportedAndGiveNoDigest) {
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), std::string(3 * kFilePieceBytes + 5, 'x'));
    const struct {
        test::Fault fault;
        ReadFailure failure;
    } cases[] = {
        {{"denied", test::Call::kOpen, EACCES}, ReadFailure::kPermissionDenied},
        {{"not permitted", test::Call::kOpen, EPERM}, ReadFailure::kPermissionDenied},
        {{"open fails", test::Call::kOpen, EIO}, ReadFailure::kIoError},
        {{"first read", test::Call::kRead, EIO}, ReadFailure::kIoError},
        {{"a later read", test::Call::kRead, EIO, 2 * kFilePieceBytes + 7}, ReadFailure::kIoError},
    };
    const auto engine = AlgorithmWithId("sha1")->makeEngine();
    for (const auto& c : cases) {
        test::FailingCall failing(c.fault);
        const FileDigestResult result = DigestFile(*engine, temp.U16("data"));
        EXPECT_EQ(result.outcome, FileDigestOutcome::kUnreadable) << c.fault.name;
        EXPECT_EQ(result.failure, c.failure) << c.fault.name;
        EXPECT_TRUE(result.digest.empty()) << c.fault.name;
    }
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(temp.Native("data").c_str(), 0), 0);
        EXPECT_EQ(DigestFile(*engine, temp.U16("data")).failure, ReadFailure::kPermissionDenied);
    }
}

// On this thread and through every route of large files: the hash stops within one piece of the
// flag going up and yields no digest; the same engine then hashes the next file whole.
TEST(FileDigest, ARaisedCancelFlagEndsTheHashWithinOnePieceWithoutADigest) {
    TemporaryFolder temp;
    for (FileRoute route : kAllFileRoutes) {
        const ForcedFileRoute forced(route);
        for (std::uint64_t size : {std::uint64_t{3} * kFilePieceBytes, 4 * kLargeFileBytes}) {
            const std::string contents = RandomContents(size);
            test::WriteBytes(temp.Native("data"), contents);
            std::atomic<bool> cancel{false};
            const std::uint64_t mark = kFilePieceBytes + 5;
            HookedEngine engine(mark, [&] { cancel = true; });
            const FileDigestResult cancelled = DigestFile(engine, temp.U16("data"), {{}, &cancel});
            EXPECT_EQ(cancelled.outcome, FileDigestOutcome::kCancelled) << size;
            EXPECT_TRUE(cancelled.digest.empty());
            EXPECT_LE(cancelled.bytes, mark + kFilePieceBytes) << size;

            const FileDigestResult whole = DigestFile(engine, temp.U16("data"));
            ASSERT_EQ(whole.outcome, FileDigestOutcome::kDigest);
            EXPECT_EQ(whole.digest, Sha256Of(contents));
        }
    }
}

// Another thread raises the flag while the reader thread is held at a known read.
TEST(FileDigest, CancelFromAnotherThreadWhileReadingAhead) {
    const ForcedFileRoute forced(FileRoute::kReadAhead);
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("data"), RandomContents(3 * kLargeFileBytes));
    std::atomic<bool> cancel{false};
    test::HeldCall held(test::Call::kRead, 3);
    std::thread canceller([&] {
        while (!held.IsHeld()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        cancel = true;
        held.Release();
    });
    const auto engine = AlgorithmWithId("sha3-256")->makeEngine();
    const FileDigestResult result = DigestFile(*engine, temp.U16("data"), {{}, &cancel});
    canceller.join();
    EXPECT_EQ(result.outcome, FileDigestOutcome::kCancelled);
    EXPECT_LE(result.bytes, 3 * kFilePieceBytes);
}

TEST(FileDigest, ProgressRisesAtMostTwentyTimesASecondAndEndsAtTheSize) {
    TemporaryFolder temp;
    const std::string contents = RandomContents(2 * kLargeFileBytes + 3);
    test::WriteBytes(temp.Native("data"), contents);
    // MD2 is slow enough for several reports.
    const auto engine = AlgorithmWithId("md2")->makeEngine();
    struct Report {
        std::uint64_t done, total;
    };
    std::vector<Report> reports;
    FileDigestOptions options;
    options.progress = [&](std::uint64_t done, std::uint64_t total) {
        reports.push_back({done, total});
    };
    const auto start = std::chrono::steady_clock::now();
    const FileDigestResult result = DigestFile(*engine, temp.U16("data"), options);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(result.outcome, FileDigestOutcome::kDigest);
    ASSERT_FALSE(reports.empty());
    for (std::size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].total, contents.size());
        if (i > 0) {
            EXPECT_GE(reports[i].done, reports[i - 1].done);
        }
    }
    EXPECT_EQ(reports.back().done, contents.size());
    EXPECT_LE(reports.size(), 2 + seconds * 20);
}

// The file is cut or extended at a known point of the hash, through every route. Whatever had
// already been read ahead or mapped, the result is the digest of exactly the bytes it reports:
// the file as it was up to where it was cut, or all of it with what it gained.
TEST(FileDigest, AFileThatShrinksOrGrowsWhileReadGivesTheDigestOfWhatWasRead) {
    TemporaryFolder temp;
    const std::string path = temp.Native("data");
    const std::uint64_t size = 3 * kLargeFileBytes;
    const std::string contents = RandomContents(size);
    const std::string grown = contents + std::string(kFilePieceBytes + 3, '\0');
    const struct {
        const char* name;
        std::uint64_t newSize;
    } cases[] = {{"emptied", 0}, {"cut inside", kLargeFileBytes + 77}, {"grown", grown.size()}};
    for (FileRoute route : kAllFileRoutes) {
        const ForcedFileRoute forced(route);
        for (const auto& c : cases) {
            if (!CanBeCutUnder(route) && c.newSize < size) continue;
            test::WriteBytes(path, contents);
            HookedEngine engine(kFilePieceBytes, [&] {
                const int cut = ::truncate(path.c_str(), static_cast<off_t>(c.newSize));
                ASSERT_EQ(cut, 0);
            });
            const FileDigestResult result = DigestFile(engine, temp.U16("data"));
            const std::string what = std::string(FileRouteName(route)) + ", " + c.name;
            ASSERT_EQ(result.outcome, FileDigestOutcome::kDigest) << what;
            if (c.newSize > size) {
                EXPECT_EQ(result.bytes, c.newSize) << what;
            } else {
                ASSERT_LE(result.bytes, size) << what;
                EXPECT_GE(result.bytes, c.newSize) << what;
            }
            EXPECT_EQ(result.digest, Sha256Of(std::string_view(grown).substr(0, result.bytes)))
                << what;
        }
    }
}

// Files of /proc report a size of 0 and still hold bytes; progress then counts against what
// was read.
TEST(FileDigest, AFileThatReportsNoSizeIsDigestedWhole) {
    std::ifstream stream("/proc/version", std::ios::binary);
    if (!stream) GTEST_SKIP() << "/proc/version is not there";
    const std::string contents{std::istreambuf_iterator<char>(stream), {}};
    std::uint64_t lastDone = 0, lastTotal = 0;
    FileDigestOptions options;
    options.progress = [&](std::uint64_t done, std::uint64_t total) {
        lastDone = done;
        lastTotal = total;
    };
    const auto engine = AlgorithmWithId("sha2-256")->makeEngine();
    const FileDigestResult result = DigestFile(*engine, u"/proc/version", options);
    ASSERT_EQ(result.outcome, FileDigestOutcome::kDigest);
    EXPECT_EQ(result.bytes, contents.size());
    EXPECT_EQ(result.digest, Sha256Of(contents));
    EXPECT_EQ(lastDone, contents.size());
    EXPECT_EQ(lastTotal, contents.size());
}

// Several engines over one read: each engine's digest is the one it gives alone, through every
// route, for files below and above the size from which a route applies.
TEST(FileDigests, EachEngineGivesTheDigestItGivesAlone) {
    TemporaryFolder temp;
    const char* ids[] = {"md2", "md5", "sha1", "sha2-256", "sha3-512", "xxh3", "crc32", "sdbm"};
    std::vector<std::unique_ptr<DigestEngine>> owned;
    std::vector<DigestEngine*> engines;
    for (const char* id : ids) {
        owned.push_back(AlgorithmWithId(id)->makeEngine());
        engines.push_back(owned.back().get());
    }
    for (FileRoute route : kAllFileRoutes) {
        const ForcedFileRoute forced(route);
        for (std::uint64_t size : {std::uint64_t{0}, std::uint64_t{1000}, kLargeFileBytes + 3}) {
            const std::string contents = RandomContents(size);
            test::WriteBytes(temp.Native("data"), contents);
            std::uint64_t lastDone = 0;
            FileDigestOptions options;
            options.progress = [&](std::uint64_t done, std::uint64_t) { lastDone = done; };
            const FileDigestsResult result =
                DigestFileWithEngines(engines, temp.U16("data"), options);
            const std::string what =
                std::string(FileRouteName(route)) + ", " + std::to_string(size);
            ASSERT_EQ(result.outcome, FileDigestOutcome::kDigest) << what;
            ASSERT_EQ(result.digests.size(), engines.size()) << what;
            EXPECT_EQ(result.bytes, size) << what;
            EXPECT_EQ(lastDone, size) << what;
            for (std::size_t i = 0; i < engines.size(); ++i) {
                const auto alone = AlgorithmWithId(ids[i])->makeEngine();
                EXPECT_EQ(result.digests[i], DigestFile(*alone, temp.U16("data")).digest)
                    << what << ", " << ids[i];
            }
        }
    }
}

// A cancel raised part-way, even with MD2 in the set, and a failing read both end without
// digests; a file cut while read gives every engine the digest of what was read. The same
// engines then hash the next file whole.
TEST(FileDigests, CancelFailuresAndChangingFilesAsWithOneEngine) {
    TemporaryFolder temp;
    const std::string path = temp.Native("data");
    const std::string contents = RandomContents(kLargeFileBytes + kFilePieceBytes + 3);
    for (FileRoute route : kAllFileRoutes) {
        const ForcedFileRoute forced(route);
        SCOPED_TRACE(FileRouteName(route));
        test::WriteBytes(path, contents);
        std::atomic<bool> cancel{false};
        const std::uint64_t mark = kFilePieceBytes + 5;
        HookedEngine hooked(mark, [&] { cancel = true; });
        const auto md2 = AlgorithmWithId("md2")->makeEngine();
        const auto sha1 = AlgorithmWithId("sha1")->makeEngine();
        DigestEngine* const engines[] = {&hooked, md2.get(), sha1.get()};

        const FileDigestsResult cancelled =
            DigestFileWithEngines(engines, temp.U16("data"), {{}, &cancel});
        EXPECT_EQ(cancelled.outcome, FileDigestOutcome::kCancelled);
        EXPECT_TRUE(cancelled.digests.empty());
        EXPECT_LE(cancelled.bytes, mark + kFilePieceBytes);

        // A mapped file is not read through the calls a failure can be injected into.
        if (route != FileRoute::kMap && route != FileRoute::kMapAhead) {
            test::FailingCall failing(
                {"a later read", test::Call::kRead, EIO, 2 * kFilePieceBytes});
            const FileDigestsResult failed = DigestFileWithEngines(engines, temp.U16("data"));
            EXPECT_EQ(failed.outcome, FileDigestOutcome::kUnreadable);
            EXPECT_EQ(failed.failure, ReadFailure::kIoError);
            EXPECT_TRUE(failed.digests.empty());
        }

        const auto alone = AlgorithmWithId("sha1")->makeEngine();
        if (CanBeCutUnder(route)) {
            HookedEngine cutter(kFilePieceBytes, [&] {
                ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kLargeFileBytes + 77)), 0);
            });
            DigestEngine* const cutting[] = {&cutter, sha1.get()};
            const FileDigestsResult cut = DigestFileWithEngines(cutting, temp.U16("data"));
            ASSERT_EQ(cut.outcome, FileDigestOutcome::kDigest);
            const std::string_view read = std::string_view(contents).substr(0, cut.bytes);
            EXPECT_EQ(cut.digests[0], Sha256Of(read));
            EXPECT_EQ(cut.digests[1],
                      DigestOfBytes(*alone, reinterpret_cast<const std::uint8_t*>(read.data()),
                                    read.size()));
        }

        test::WriteBytes(path, contents);
        DigestEngine* const again[] = {&hooked, sha1.get()};
        const FileDigestsResult whole = DigestFileWithEngines(again, temp.U16("data"));
        ASSERT_EQ(whole.outcome, FileDigestOutcome::kDigest);
        EXPECT_EQ(whole.digests[0], Sha256Of(contents));
        EXPECT_EQ(whole.digests[1], DigestFile(*alone, temp.U16("data")).digest);
    }
}

}  // namespace
}  // namespace tessik
