#pragma once
// The one way every engine reads a file: open it, measure it once, and hand its bytes to the
// engine in large pieces from one fixed buffer, so memory stays flat whatever the size.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/input_file.h"

namespace tessik {

// Bytes per read: large enough that system calls cost nothing next to hashing, small enough
// to stay in the cache while the engine reads them.
inline constexpr std::size_t kFilePieceBytes = std::size_t{1} << 20;

// From this size on, a second thread reads the next pieces (up to eight of them) while the
// engine digests the current one, so the copy out of the page cache costs no time on the
// hashing thread. Below it, starting the thread would cost more than the overlap saves.
inline constexpr std::uint64_t kReadAheadFromBytes = 4 * std::uint64_t{kFilePieceBytes};

// True once the flag, if there is one, has been raised.
inline bool CancelRaised(const std::atomic<bool>* cancel) {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

using PieceConsumer = std::function<void(const std::uint8_t* data, std::size_t length)>;

enum class StreamEnd {
    kComplete,   // every byte up to the measured size, or up to where the file ended
    kCancelled,  // the cancel flag was raised
    kReadError,  // a read failed; what was handed over is to be discarded
};

struct StreamOutcome {
    StreamEnd end = StreamEnd::kComplete;
    std::uint64_t bytes = 0;  // handed over
};

// Hands the bytes of the open file to `consume` in pieces of at most kFilePieceBytes, never
// more than its measured size in all: bytes added after opening are not digested. The cancel
// flag, when given, is looked at before every read and after every piece.
StreamOutcome StreamMeasured(InputFile& file, const PieceConsumer& consume,
                             const std::atomic<bool>* cancel = nullptr);

}  // namespace tessik
