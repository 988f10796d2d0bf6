#include "digest/blake3_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "digest/wipe.h"

namespace tessik {
namespace {

// A span per thread is resident at a time; a span of this size leaves the subtrees above it,
// hashed one at a time on the caller's thread, a negligible share of the work, and makes the
// mapping calls cost little next to the hashing.
constexpr std::uint64_t kLargestSpanBytes = kMapWindowBytes;
constexpr std::uint64_t kSmallestSpanBytes = kFilePieceBytes;
// What all threads' spans together may hold, where there are many threads.
constexpr std::uint64_t kResidentSpanBytes = 24 * kFilePieceBytes;

// Small enough that every thread gets a few spans of a smaller file, so none waits long for
// the last; a power of two, so each span is one subtree.
std::size_t SpanBytesFor(std::uint64_t fileBytes, unsigned threads) {
    const std::uint64_t perThread =
        std::min(fileBytes / (2 * std::uint64_t{threads}), kResidentSpanBytes / threads);
    return static_cast<std::size_t>(
        std::clamp(std::bit_floor(perThread), kSmallestSpanBytes, kLargestSpanBytes));
}

}  // namespace

StreamOutcome StreamFileToBlake3(Blake3Engine& engine, InputFile& file,
                                 const PieceConsumer& consume,
                                 const std::function<void(std::uint64_t bytes)>& spansDone,
                                 const std::atomic<bool>* cancel) {
    if (file.Size() < kLargeFileBytes) return StreamFile(file, consume, cancel);
    const unsigned threads = FileHashingThreads();
    const std::size_t spanBytes = SpanBytesFor(file.Size(), threads);
    const std::uint64_t spanChunks = spanBytes / kBlake3ChunkSize;
    std::vector<std::array<std::uint8_t, 64>> halves(kSpansInFlight);
    std::uint64_t appended = 0;
    const SpanHashing spans{spanBytes, threads,
                            [&](std::uint64_t span, const std::uint8_t* data) {
                                Blake3SubtreeHalves(data, spanChunks, span * spanChunks,
                                                    halves[span % kSpansInFlight].data());
                            },
                            [&](std::uint64_t count) {
                                for (; appended < count; ++appended) {
                                    engine.AppendSubtree(halves[appended % kSpansInFlight].data(),
                                                         spanChunks);
                                }
                                spansDone(count * spanBytes);
                            }};
    const StreamOutcome outcome = StreamFileInSpans(file, spans, consume, cancel);
    Wipe(halves.data(), halves.size() * sizeof halves[0]);
    return outcome;
}

}  // namespace tessik
