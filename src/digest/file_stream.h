#pragma once
// The one way every engine reads a file: from its start to wherever a read finds its end, in
// large pieces, with memory flat whatever the size. The size measured at opening is only a hint:
// a file may grow while it is read, and some (those of /proc) report nothing and still hold
// bytes. How a large file's bytes leave the page cache is chosen per processor, by measurement.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/input_file.h"

namespace tessik {

// Bytes per piece handed over: large enough that system calls cost nothing next to hashing,
// small enough to stay in the cache while the engine reads them.
inline constexpr std::size_t kFilePieceBytes = std::size_t{1} << 20;

// From this size on a file takes the processor's route. Below it a second thread or a mapping
// costs more than the copy it saves, and the file is read on the caller's thread.
inline constexpr std::uint64_t kLargeFileBytes = 4 * std::uint64_t{kFilePieceBytes};

// Bytes mapped at a time: resident memory stays a few MiB whatever the file's size.
inline constexpr std::size_t kMapWindowBytes = 4 * kFilePieceBytes;

enum class FileRoute {
    kRead,       // read into one buffer on the caller's thread
    kReadAhead,  // read up to eight pieces ahead on a second thread
    kMap,        // mapped a window at a time on the caller's thread; read where that fails
    // Mapped as kMap, but by helper threads that also bring each window's pages in, a few
    // windows ahead, so that the kernel's share of reading runs beside the consumer and on more
    // than one core.
    kMapAhead,
};

std::string_view FileRouteName(FileRoute route);

// Whether the consumer of the pieces takes them faster than the page cache gives them: then
// reading alone sets the speed, and the processor may have a route of its own for it.
enum class ConsumerPace { kSlowerThanReading, kOutrunsReading };

// The route large files take: this processor's for the consumer's pace, unless one is forced.
FileRoute ActiveFileRoute(ConsumerPace pace = ConsumerPace::kSlowerThanReading);
// For tests and benchmarks; not to be called while a file is being read.
void ForceFileRoute(FileRoute route);
void UseProcessorFileRoute();

// True once the flag, if there is one, has been raised.
inline bool CancelRaised(const std::atomic<bool>* cancel) {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

struct PieceConsumer {
    std::function<void(const std::uint8_t* data, std::size_t length)> take;
    // Every piece taken so far is void and the file comes again from its start: it was cut short
    // while mapped, and past its new end a mapping gives zeros that were never in the file.
    std::function<void()> startOver;
};

enum class StreamEnd {
    kComplete,   // every byte up to where a read found the end of the file
    kCancelled,  // the cancel flag was raised
    kReadError,  // a read failed; what was handed over is to be discarded
};

struct StreamOutcome {
    StreamEnd end = StreamEnd::kComplete;
    std::uint64_t bytes = 0;  // handed over since the last start over
};

// How many threads hash the spans of a large file (StreamFileInSpans): every core's, unless a
// number is forced. For tests and benchmarks; not to be called while a file is being read.
unsigned FileHashingThreads();
void ForceFileHashingThreads(unsigned threads);
void UseEveryCoreForFiles();

// A large file hashed in spans of equal size on several threads at once, for an engine whose
// message is a tree of parts hashed apart. Each thread maps the span it hashes, so resident
// memory stays at a span per thread.
struct SpanHashing {
    std::size_t spanBytes = 0;  // a multiple of MappingGranularity()
    unsigned threads = 1;
    // Runs on any of the threads, once for each whole span of the file.
    std::function<void(std::uint64_t span, const std::uint8_t* data)> hash;
    // Runs on the caller's thread with the number of spans hashed so far, all of them from the
    // first: rising, and called again whenever it rises.
    std::function<void(std::uint64_t spans)> hashedUpTo;
};

// At most this many spans are hashed beyond the count last passed to hashedUpTo: a span's
// result may be kept in a ring of this size.
inline constexpr std::size_t kSpansInFlight = 64;

// The whole spans of the file as measured at opening, then the rest (what is left, and what
// the file gained) to `rest` in pieces on the caller's thread. Where a span cannot be mapped,
// or the file is cut short under a mapping, everything hashed is void (rest.startOver) and the
// file is read from its start on the caller's thread. The cancel flag is looked at before
// every span and every piece.
StreamOutcome StreamFileInSpans(InputFile& file, const SpanHashing& spans,
                                const PieceConsumer& rest,
                                const std::atomic<bool>* cancel = nullptr);

// Hands the bytes of the open file, from its start to its end, to `consume` in pieces of at
// most kFilePieceBytes. The cancel flag, when given, is looked at before every piece and once
// the last one is handed over.
StreamOutcome StreamFile(InputFile& file, const PieceConsumer& consume,
                         const std::atomic<bool>* cancel = nullptr,
                         ConsumerPace pace = ConsumerPace::kSlowerThanReading);

}  // namespace tessik
