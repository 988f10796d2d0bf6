#include "digest/file_digest.h"

#include <algorithm>
#include <chrono>

#include "digest/blake3_file.h"
#include "digest/file_stream.h"

namespace tessik {
namespace {

using Clock = std::chrono::steady_clock;

// Often enough for a bar to move smoothly, rarely enough to cost nothing.
constexpr Clock::duration kProgressInterval = std::chrono::milliseconds(50);

// A piece goes to the engine in slices with a look at the cancel flag between them, so even the
// slowest engine (MD2, about 10 MB/s) stops within a few milliseconds.
constexpr std::size_t kSliceBytes = std::size_t{64} << 10;

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
    const PieceConsumer consumer{
        [&](const std::uint8_t* data, std::size_t length) {
            for (std::size_t at = 0; at < length && !CancelRaised(options.cancel);
                 at += kSliceBytes) {
                const std::size_t slice = std::min(kSliceBytes, length - at);
                engine.Update(data + at, slice);
                digested += slice;
            }
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
                        : StreamFile(file, consumer, options.cancel);

    result.bytes = digested;
    switch (stream.end) {
        case StreamEnd::kComplete:
            result.outcome = FileDigestOutcome::kDigest;
            result.digest = TakeDigest(engine);
            progress.Finished(digested);
            return result;
        case StreamEnd::kCancelled:
            result.outcome = FileDigestOutcome::kCancelled;
            break;
        case StreamEnd::kReadError:
            result.failure = ReadFailure::kIoError;
            break;
    }
    engine.Restart();  // nothing of a partial message stays behind
    return result;
}

}  // namespace tessik
