#include "digest/file_stream.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace tessik {
namespace {

constexpr std::align_val_t kPageAlignment{4096};

struct AlignedDelete {
    void operator()(std::uint8_t* bytes) const { ::operator delete(bytes, kPageAlignment); }
};
using PieceBuffer = std::unique_ptr<std::uint8_t, AlignedDelete>;

PieceBuffer AllocatePiece(std::size_t bytes) {
    return PieceBuffer(
        static_cast<std::uint8_t*>(::operator new(bytes, kPageAlignment, std::nothrow)));
}

// The pieces of a file in order: how many bytes to ask for next, and when to stop. Both ways of
// reading follow it, so they make the same read calls and hand over the same pieces.
class PieceSequence {
  public:
    explicit PieceSequence(std::uint64_t size)
        : size_(size),
          remaining_(size),
          capacity_(static_cast<std::size_t>(std::min<std::uint64_t>(size, kFilePieceBytes))) {}

    std::size_t Capacity() const { return capacity_; }
    bool Done() const { return remaining_ == 0 || ended_; }
    std::size_t Wanted() const {
        return static_cast<std::size_t>(std::min<std::uint64_t>(remaining_, capacity_));
    }
    // Records a read of `got` bytes (-1: an error); false when the stream cannot go on.
    bool Record(std::int64_t got) {
        if (got < 0) return false;
        const auto delivered = static_cast<std::size_t>(got);
        ended_ = delivered < Wanted();  // the file ended before its measured size
        remaining_ -= delivered;
        return true;
    }
    std::uint64_t Delivered() const { return size_ - remaining_; }

  private:
    std::uint64_t size_;
    std::uint64_t remaining_;
    std::size_t capacity_;
    bool ended_ = false;
};

StreamOutcome StreamOnThisThread(InputFile& file, const PieceConsumer& consume,
                                 const std::atomic<bool>* cancel) {
    PieceSequence pieces(file.Size());
    const PieceBuffer buffer = AllocatePiece(pieces.Capacity());
    if (!buffer) return {StreamEnd::kReadError, 0};
    while (!pieces.Done()) {
        if (CancelRaised(cancel)) return {StreamEnd::kCancelled, pieces.Delivered()};
        const std::int64_t got = file.Read(buffer.get(), pieces.Wanted());
        if (!pieces.Record(got)) return {StreamEnd::kReadError, pieces.Delivered()};
        if (got > 0) consume(buffer.get(), static_cast<std::size_t>(got));
    }
    if (CancelRaised(cancel)) return {StreamEnd::kCancelled, pieces.Delivered()};
    return {StreamEnd::kComplete, pieces.Delivered()};
}

// Pieces a reader thread may read ahead of the one the caller digests. More than one: a busy
// machine runs the reader in bursts, and the caller must not starve between them.
constexpr std::size_t kPiecesAhead = 8;

// A ring of buffers passed back and forth: a reader thread fills the free ones in order while
// the caller digests the full ones in the same order. Each buffer is either free (the reader's)
// or full (the caller's), with the result of the read that filled it.
class ReadAhead {
  public:
    explicit ReadAhead(std::size_t capacity) {
        for (PieceBuffer& buffer : buffers_) buffer = AllocatePiece(capacity);
    }

    bool Allocated() const {
        return std::all_of(std::begin(buffers_), std::end(buffers_),
                           [](const PieceBuffer& buffer) { return buffer != nullptr; });
    }

    // Runs on the reader thread; ends early once the caller has abandoned the stream.
    void Read(InputFile& file) {
        PieceSequence pieces(file.Size());
        for (std::size_t i = 0; !pieces.Done(); ++i) {
            Slot& slot = slots_[i % kPiecesAhead];
            if (!WaitFor(slot, false)) return;
            const std::int64_t got = file.Read(buffers_[i % kPiecesAhead].get(), pieces.Wanted());
            Hand(slot, true, got);
            if (!pieces.Record(got)) return;
        }
    }

    // Runs on the caller's thread.
    StreamOutcome Consume(std::uint64_t size, const PieceConsumer& consume,
                          const std::atomic<bool>* cancel) {
        PieceSequence pieces(size);
        for (std::size_t i = 0; !pieces.Done(); ++i) {
            if (CancelRaised(cancel)) return Abandon({StreamEnd::kCancelled, pieces.Delivered()});
            Slot& slot = slots_[i % kPiecesAhead];
            WaitFor(slot, true);
            if (!pieces.Record(slot.got)) return {StreamEnd::kReadError, pieces.Delivered()};
            if (slot.got > 0) {
                consume(buffers_[i % kPiecesAhead].get(), static_cast<std::size_t>(slot.got));
            }
            Hand(slot, false, 0);
        }
        if (CancelRaised(cancel)) return {StreamEnd::kCancelled, pieces.Delivered()};
        return {StreamEnd::kComplete, pieces.Delivered()};
    }

  private:
    struct Slot {
        bool full = false;
        std::int64_t got = 0;
    };

    // False when the caller abandoned the stream instead.
    bool WaitFor(Slot& slot, bool full) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return slot.full == full || abandoned_; });
        return slot.full == full;
    }

    StreamOutcome Abandon(StreamOutcome outcome) {
        {
            std::lock_guard lock(mutex_);
            abandoned_ = true;
        }
        changed_.notify_one();
        return outcome;
    }

    void Hand(Slot& slot, bool full, std::int64_t got) {
        {
            std::lock_guard lock(mutex_);
            slot.full = full;
            slot.got = got;
        }
        changed_.notify_one();
    }

    PieceBuffer buffers_[kPiecesAhead];
    Slot slots_[kPiecesAhead];
    std::mutex mutex_;
    std::condition_variable changed_;
    bool abandoned_ = false;
};

StreamOutcome StreamWithReadAhead(InputFile& file, const PieceConsumer& consume,
                                  const std::atomic<bool>* cancel) {
    ReadAhead readAhead(PieceSequence(file.Size()).Capacity());
    if (!readAhead.Allocated()) return {StreamEnd::kReadError, 0};
    std::thread reader;
    try {
        reader = std::thread([&] { readAhead.Read(file); });
    } catch (const std::system_error&) {
        // No thread to be had: read on this one instead.
        return StreamOnThisThread(file, consume, cancel);
    }
    const StreamOutcome outcome = readAhead.Consume(file.Size(), consume, cancel);
    reader.join();
    return outcome;
}

}  // namespace

StreamOutcome StreamMeasured(InputFile& file, const PieceConsumer& consume,
                             const std::atomic<bool>* cancel) {
    if (file.Size() >= kReadAheadFromBytes) return StreamWithReadAhead(file, consume, cancel);
    return StreamOnThisThread(file, consume, cancel);
}

}  // namespace tessik
