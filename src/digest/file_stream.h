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

// Hands the bytes of the open file, from its start to its end, to `consume` in pieces of at
// most kFilePieceBytes. The cancel flag, when given, is looked at before every piece and once
// the last one is handed over.
StreamOutcome StreamFile(InputFile& file, const PieceConsumer& consume,
                         const std::atomic<bool>* cancel = nullptr,
                         ConsumerPace pace = ConsumerPace::kSlowerThanReading);

}  // namespace tessik
