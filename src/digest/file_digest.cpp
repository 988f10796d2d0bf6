#include "digest/file_digest.h"

#include <algorithm>
#include <chrono>

#include "digest/blake3_file.h"
#include "digest/engine_crew.h"
#include "digest/file_stream.h"

namespace tessik {
namespace {

using Clock = std::chrono::steady_clock;

// Often enough for a bar to move smoothly, rarely enough to cost nothing.
constexpr Clock::duration kProgressInterval = std::chrono::milliseconds(50);

class ProgressReporter {
  public:
    ProgressReporter(const FileDigestOptions& options, std::uint64_t sizeHint)
        : report_(options.progress), sizeHint_(sizeHint), last_(Clock::now()) {}

    // Quiet after a start over until the count passes what was shown before.
    void Digested(std::uint64_t done) {
        if (!report_ || done <= shown_) return;
        const Clock::time_point now = Clock::now();
        if (now - last_ < kProgressInterval) return;
        last_ = now;
        shown_ = done;
        report_(done, std::max(sizeHint_, done));
    }

    void Finished(std::uint64_t done) {
        if (report_) report_(done, std::max(sizeHint_, done));
    }

  private:
    const std::function<void(std::uint64_t, std::uint64_t)>& report_;
    const std::uint64_t sizeHint_;
    std::uint64_t shown_ = 0;
    Clock::time_point last_;
};

ConsumerPace PaceOf(const DigestEngine& engine) {
    return engine.OutrunsReading() ? ConsumerPace::kOutrunsReading
                                   : ConsumerPace::kSlowerThanReading;
}

// What a stream's end makes of the result; false where no digest comes of it.
bool RecordEnd(StreamEnd end, FileDigestOutcome& outcome, ReadFailure& failure) {
    switch (end) {
        case StreamEnd::kComplete:
            outcome = FileDigestOutcome::kDigest;
            return true;
        case StreamEnd::kCancelled:
            outcome = FileDigestOutcome::kCancelled;
            break;
        case StreamEnd::kReadError:
            failure = ReadFailure::kIoError;
            break;
    }
    return false;
}

}  // namespace

FileDigestResult DigestFile(DigestEngine& engine, const std::u16string& path,
                            const FileDigestOptions& options) {
    FileDigestResult result;
    engine.Restart();
    InputFile file;
    result.failure = file.Open(path);
    if (result.failure != ReadFailure::kNone) return result;

    ProgressReporter progress(options, file.Size());
    std::uint64_t digested = 0;
    const PieceConsumer consumer{[&](const std::uint8_t* data, std::size_t length) {
                                     digested +=
                                         UpdateInSlices(engine, data, length, options.cancel);
                                     progress.Digested(digested);
                                 },
                                 [&] {
                                     engine.Restart();
                                     digested = 0;
                                 }};
    const auto spansDone = [&](std::uint64_t bytes) {
        digested = bytes;
        progress.Digested(digested);
    };
    // BLAKE3's tree lets a large file's subtrees be hashed on every core.
    auto* const tree = dynamic_cast<Blake3Engine*>(&engine);
    const StreamOutcome stream =
        tree != nullptr ? StreamFileToBlake3(*tree, file, consumer, spansDone, options.cancel)
                        : StreamFile(file, consumer, options.cancel, PaceOf(engine));

    result.bytes = digested;
    if (RecordEnd(stream.end, result.outcome, result.failure)) {
        result.digest = TakeDigest(engine);
        progress.Finished(digested);
    } else {
        engine.Restart();  // nothing of a partial message stays behind
    }
    return result;
}

FileDigestsResult DigestFileWithEngines(std::span<DigestEngine* const> engines,
                                        const std::u16string& path,
                                        const FileDigestOptions& options) {
    FileDigestsResult result;
    if (engines.size() == 1) {
        FileDigestResult one = DigestFile(*engines.front(), path, options);
        result.outcome = one.outcome;
        if (one.outcome == FileDigestOutcome::kDigest)
            result.digests.push_back(std::move(one.digest));
        result.failure = one.failure;
        result.bytes = one.bytes;
        return result;
    }
    const auto restartAll = [&] {
        for (DigestEngine* engine : engines) engine->Restart();
    };
    restartAll();
    InputFile file;
    result.failure = file.Open(path);
    if (result.failure != ReadFailure::kNone) return result;
    if (engines.empty()) {
        result.outcome = FileDigestOutcome::kDigest;
        return result;
    }

    ProgressReporter progress(options, file.Size());
    EngineCrew crew(engines, options.cancel);
    std::uint64_t digested = 0;
    const PieceConsumer consumer{[&](const std::uint8_t* data, std::size_t length) {
                                     digested += crew.Take(data, length);
                                     progress.Digested(digested);
                                 },
                                 [&] {
                                     restartAll();
                                     digested = 0;
                                 }};
    const bool allOutrunReading =
        std::all_of(engines.begin(), engines.end(),
                    [](DigestEngine* engine) { return engine->OutrunsReading(); });
    const StreamOutcome stream = StreamFile(
        file, consumer, options.cancel,
        allOutrunReading ? ConsumerPace::kOutrunsReading : ConsumerPace::kSlowerThanReading);

    result.bytes = digested;
    if (RecordEnd(stream.end, result.outcome, result.failure)) {
        for (DigestEngine* engine : engines) result.digests.push_back(TakeDigest(*engine));
        progress.Finished(digested);
    } else {
        restartAll();
    }
    return result;
}

}  // namespace tessik
