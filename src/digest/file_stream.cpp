#include "digest/file_stream.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "digest/processor_tuning.h"
#include "platform/mapped_window.h"

namespace tessik {
namespace {

constexpr std::align_val_t kPageAlignment{4096};

// The smallest buffer a file is read into. A file that reports no size (those of /proc) is still
// read in pieces of a useful size.
constexpr std::size_t kSmallestPieceBytes = std::size_t{64} << 10;

struct AlignedDelete {
    void operator()(std::uint8_t* bytes) const { ::operator delete(bytes, kPageAlignment); }
};
using PieceBuffer = std::unique_ptr<std::uint8_t, AlignedDelete>;

PieceBuffer AllocatePiece(std::size_t bytes) {
    return PieceBuffer(
        static_cast<std::uint8_t*>(::operator new(bytes, kPageAlignment, std::nothrow)));
}

std::size_t PieceCapacity(std::uint64_t sizeHint) {
    return static_cast<std::size_t>(
        std::clamp<std::uint64_t>(sizeHint, kSmallestPieceBytes, kFilePieceBytes));
}

// The pieces of a file in order: how many bytes to ask for next, and when to stop. The size
// measured at opening is read first, so a file that keeps it takes as many reads as pieces; one
// that has grown by then, or that reported no size, is read on until a read finds its end. Both
// ways of reading follow it, so they make the same read calls and hand over the same pieces.
class PieceSequence {
  public:
    enum class Start { kFromMeasuredSize, kUntilTheEnd };

    PieceSequence(const InputFile& file, Start start)
        : file_(file),
          capacity_(PieceCapacity(file.Size())),
          measuredLeft_(file.Size()),
          untilEnd_(start == Start::kUntilTheEnd || file.Size() == 0) {}

    std::size_t Capacity() const { return capacity_; }
    bool Done() const { return ended_; }
    std::size_t Wanted() const {
        if (untilEnd_) return capacity_;
        return static_cast<std::size_t>(std::min<std::uint64_t>(measuredLeft_, capacity_));
    }
    // Records a read of `got` bytes (-1: an error); false when the stream cannot go on.
    bool Record(std::int64_t got) {
        if (got < 0) return false;
        const auto delivered = static_cast<std::size_t>(got);
        const bool atTheEnd = delivered < Wanted();
        delivered_ += delivered;
        if (!untilEnd_) measuredLeft_ -= delivered;
        if (atTheEnd) {
            ended_ = true;
        } else if (!untilEnd_ && measuredLeft_ == 0) {
            untilEnd_ = file_.CurrentSize() > delivered_;
            ended_ = !untilEnd_;
        }
        return true;
    }
    std::uint64_t Delivered() const { return delivered_; }

  private:
    const InputFile& file_;
    const std::size_t capacity_;
    std::uint64_t measuredLeft_;
    bool untilEnd_;
    std::uint64_t delivered_ = 0;
    bool ended_ = false;
};

// From wherever the file is positioned, as `start` says.
StreamOutcome StreamOnThisThread(
    InputFile& file, const PieceConsumer& consume, const std::atomic<bool>* cancel,
    PieceSequence::Start start = PieceSequence::Start::kFromMeasuredSize) {
    PieceSequence pieces(file, start);
    const PieceBuffer buffer = AllocatePiece(pieces.Capacity());
    if (!buffer) return {StreamEnd::kReadError, 0};
    while (!pieces.Done()) {
        if (CancelRaised(cancel)) return {StreamEnd::kCancelled, pieces.Delivered()};
        const std::int64_t got = file.Read(buffer.get(), pieces.Wanted());
        if (!pieces.Record(got)) return {StreamEnd::kReadError, pieces.Delivered()};
        if (got > 0) consume.take(buffer.get(), static_cast<std::size_t>(got));
    }
    if (CancelRaised(cancel)) return {StreamEnd::kCancelled, pieces.Delivered()};
    return {StreamEnd::kComplete, pieces.Delivered()};
}

// Pieces a reader thread may read ahead of the one the caller digests. More than one: a busy
// machine runs the reader in bursts, and the caller must not starve between them.
constexpr std::size_t kPiecesAhead = 8;

// A ring of buffers passed back and forth: a reader thread fills the free ones in order while
// the caller digests the full ones in the same order. Each buffer is either free (the reader's)
// or full (the caller's), with the result of the read that filled it and whether it was the
// last.
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
        PieceSequence pieces(file, PieceSequence::Start::kFromMeasuredSize);
        for (std::size_t i = 0; !pieces.Done(); ++i) {
            Slot& slot = slots_[i % kPiecesAhead];
            if (!WaitFor(slot, false)) return;
            const std::int64_t got = file.Read(buffers_[i % kPiecesAhead].get(), pieces.Wanted());
            const bool goesOn = pieces.Record(got);
            Hand(slot, true, got, !goesOn || pieces.Done());
            if (!goesOn) return;
        }
    }

    // Runs on the caller's thread.
    StreamOutcome Consume(const PieceConsumer& consume, const std::atomic<bool>* cancel) {
        std::uint64_t delivered = 0;
        for (std::size_t i = 0;; ++i) {
            if (CancelRaised(cancel)) return Abandon({StreamEnd::kCancelled, delivered});
            Slot& slot = slots_[i % kPiecesAhead];
            WaitFor(slot, true);
            if (slot.got < 0) return {StreamEnd::kReadError, delivered};
            const auto got = static_cast<std::size_t>(slot.got);
            if (got > 0) consume.take(buffers_[i % kPiecesAhead].get(), got);
            delivered += got;
            const bool last = slot.last;
            Hand(slot, false, 0, false);
            if (last) break;
        }
        if (CancelRaised(cancel)) return {StreamEnd::kCancelled, delivered};
        return {StreamEnd::kComplete, delivered};
    }

  private:
    struct Slot {
        bool full = false;
        std::int64_t got = 0;
        bool last = false;
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

    void Hand(Slot& slot, bool full, std::int64_t got, bool last) {
        {
            std::lock_guard lock(mutex_);
            slot.full = full;
            slot.got = got;
            slot.last = last;
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
    ReadAhead readAhead(PieceCapacity(file.Size()));
    if (!readAhead.Allocated()) return {StreamEnd::kReadError, 0};
    std::thread reader;
    try {
        reader = std::thread([&] { readAhead.Read(file); });
    } catch (const std::system_error&) {
        // No thread to be had: read on this one instead.
        return StreamOnThisThread(file, consume, cancel);
    }
    const StreamOutcome outcome = readAhead.Consume(consume, cancel);
    reader.join();
    return outcome;
}

// The file was cut short under a mapping: what was handed over is void, and reads take it again
// from its start, as they would have taken it had they read it all along.
StreamOutcome StartOver(InputFile& file, const PieceConsumer& consume,
                        const std::atomic<bool>* cancel) {
    consume.startOver();
    if (!file.SeekTo(0)) return {StreamEnd::kReadError, 0};
    return StreamOnThisThread(file, consume, cancel);
}

// One window at a time, mapped on the caller's thread.
class WindowsOnThisThread {
  public:
    explicit WindowsOnThisThread(const InputFile& file) : file_(file) {}
    // Null where the window cannot be mapped.
    const MappedWindow* Map(std::uint64_t offset, std::size_t length) {
        return window_.Map(file_, offset, length) ? &window_ : nullptr;
    }
    void Release() {}
    void Stop() { window_.Unmap(); }

  private:
    const InputFile& file_;
    MappedWindow window_;
};

// Windows mapped by helper threads, a few ahead of the caller, each helper bringing in the pages
// of its windows by touching one byte of each, so that filling the page tables, all of reading
// that is left once a file is cached, runs beside the consumer. A touch past a new end of the
// file faults as a read of the caller's would, and the window records it the same way.
class WindowsAhead {
  public:
    WindowsAhead(const InputFile& file, std::uint64_t measured) : file_(file), measured_(measured) {
        const std::size_t helpers =
            std::min<std::size_t>(kHelpers, std::max(1U, std::thread::hardware_concurrency()));
        for (std::size_t i = 0; i < helpers; ++i) {
            try {
                helpers_.emplace_back([this] { MapWhileAny(); });
            } catch (const std::system_error&) {
                break;
            }
        }
    }
    ~WindowsAhead() { Stop(); }

    bool Started() const { return !helpers_.empty(); }

    // The windows come in order, each from offset kMapWindowBytes further than the last.
    const MappedWindow* Map(std::uint64_t, std::size_t) {
        Slot& slot = slots_[next_ % kWindowsAhead];
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return slot.window == next_ && slot.state != Slot::kMapping; });
        return slot.state == Slot::kMapped ? &slot.mapped : nullptr;
    }
    void Release() {
        {
            std::lock_guard lock(mutex_);
            released_ = ++next_;
        }
        changed_.notify_all();
    }
    void Stop() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        for (std::thread& helper : helpers_) helper.join();
        helpers_.clear();
        for (Slot& slot : slots_) slot.mapped.Unmap();
    }

  private:
    static constexpr std::size_t kHelpers = 2;
    static constexpr std::size_t kWindowsAhead = 2 * kHelpers;

    struct Slot {
        enum State { kMapping, kMapped, kFailed };
        std::uint64_t window = ~std::uint64_t{0};  // which window the slot holds or is mapping
        State state = kMapping;
        MappedWindow mapped;
    };

    // Each helper takes the next window nobody has taken, once its slot is free.
    void MapWhileAny() {
        for (;;) {
            std::uint64_t window;
            Slot* slot;
            {
                std::unique_lock lock(mutex_);
                const auto allTaken = [&] { return toMap_ * kMapWindowBytes >= measured_; };
                changed_.wait(lock, [&] {
                    return stopping_ || allTaken() || toMap_ < released_ + kWindowsAhead;
                });
                if (stopping_ || allTaken()) return;
                window = toMap_++;
                slot = &slots_[window % kWindowsAhead];
                slot->window = window;
                slot->state = Slot::kMapping;
            }
            const std::uint64_t offset = window * kMapWindowBytes;
            const auto length = static_cast<std::size_t>(
                std::min<std::uint64_t>(kMapWindowBytes, measured_ - offset));
            const bool mapped = slot->mapped.Map(file_, offset, length);
            if (mapped) TouchPages(slot->mapped);
            {
                std::lock_guard lock(mutex_);
                slot->state = mapped ? Slot::kMapped : Slot::kFailed;
            }
            changed_.notify_all();
        }
    }

    static void TouchPages(const MappedWindow& window) {
        const volatile std::uint8_t* bytes = window.Data();
        for (std::size_t at = 0; at < window.Length(); at += MappingGranularity()) {
            static_cast<void>(bytes[at]);
        }
    }

    const InputFile& file_;
    const std::uint64_t measured_;
    Slot slots_[kWindowsAhead];
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t toMap_ = 0;     // the window the next helper maps
    std::uint64_t next_ = 0;      // the window the caller takes next
    std::uint64_t released_ = 0;  // windows the caller is done with
    bool stopping_ = false;
    std::vector<std::thread> helpers_;
};

// Windows over the size measured at opening, then reads for the rest: whatever the file gained
// since, or everything from a window that could not be mapped on.
template <typename Windows>
StreamOutcome StreamMapped(InputFile& file, const PieceConsumer& consume,
                           const std::atomic<bool>* cancel, Windows& windows) {
    const std::uint64_t measured = file.Size();
    std::uint64_t offset = 0;
    while (offset < measured) {
        const auto length =
            static_cast<std::size_t>(std::min<std::uint64_t>(kMapWindowBytes, measured - offset));
        const MappedWindow* window = windows.Map(offset, length);
        if (window == nullptr) break;
        for (std::size_t at = 0; at < length; at += kFilePieceBytes) {
            if (CancelRaised(cancel)) return {StreamEnd::kCancelled, offset + at};
            consume.take(window->Data() + at, std::min(kFilePieceBytes, length - at));
        }
        // Past a new end inside the window's last page, zeros come without any fault: the size
        // now tells that case.
        if (window->PagesVanished() || file.CurrentSize() < offset + length) {
            windows.Stop();
            return StartOver(file, consume, cancel);
        }
        windows.Release();
        offset += length;
    }
    windows.Stop();
    if (offset == measured && file.CurrentSize() <= offset) {
        if (CancelRaised(cancel)) return {StreamEnd::kCancelled, offset};
        return {StreamEnd::kComplete, offset};
    }
    if (!file.SeekTo(offset)) return {StreamEnd::kReadError, offset};
    StreamOutcome rest =
        StreamOnThisThread(file, consume, cancel, PieceSequence::Start::kUntilTheEnd);
    rest.bytes += offset;
    return rest;
}

StreamOutcome StreamMappedOnThisThread(InputFile& file, const PieceConsumer& consume,
                                       const std::atomic<bool>* cancel) {
    WindowsOnThisThread windows(file);
    return StreamMapped(file, consume, cancel, windows);
}

StreamOutcome StreamMappedAhead(InputFile& file, const PieceConsumer& consume,
                                const std::atomic<bool>* cancel) {
    WindowsAhead windows(file, file.Size());
    // No thread to be had: map on this one instead.
    if (!windows.Started()) return StreamMappedOnThisThread(file, consume, cancel);
    return StreamMapped(file, consume, cancel, windows);
}

// -1 while the processor's own route is taken.
std::atomic<int> forcedRoute{-1};

// 0 while every core hashes.
std::atomic<unsigned> forcedThreads{0};

// Up to kSpansInFlight spans from `first`, shared out among the threads as each comes free;
// the caller's thread hashes too, and between its spans hands over those done in a row.
class SpanRound {
  public:
    // `windows`: one per thread, kept from round to round, so that a window that reads into
    // memory of its own (on Windows) does not take and fault in fresh memory every round.
    SpanRound(InputFile& file, const SpanHashing& spans, MappedWindow* windows, std::uint64_t first,
              std::uint64_t end, const std::atomic<bool>* cancel)
        : file_(file),
          spans_(spans),
          windows_(windows),
          first_(first),
          end_(end),
          next_(first),
          cancel_(cancel) {}

    // False where a span could not be hashed from its mapping whole.
    bool Run() {
        std::vector<std::thread> helpers;
        for (unsigned i = 1; i < spans_.threads && i < end_ - first_; ++i) {
            try {
                helpers.emplace_back([this, i] { Work(windows_[i], false); });
            } catch (const std::system_error&) {
                break;  // fewer threads, the same spans
            }
        }
        Work(windows_[0], true);
        for (std::thread& helper : helpers) helper.join();
        for (unsigned i = 0; i < spans_.threads; ++i) windows_[i].Unmap();
        HandOver();
        return !failed_.load(std::memory_order_relaxed);
    }

  private:
    void Work(MappedWindow& window, bool caller) {
        for (;;) {
            if (failed_.load(std::memory_order_relaxed) || CancelRaised(cancel_)) return;
            const std::uint64_t span = next_.fetch_add(1, std::memory_order_relaxed);
            if (span >= end_) return;
            const std::uint64_t offset = span * spans_.spanBytes;
            if (!window.Map(file_, offset, spans_.spanBytes, true)) {
                failed_.store(true, std::memory_order_relaxed);
                return;
            }
            spans_.hash(span, window.Data());
            // Past a new end inside the span's last page, zeros come without any fault.
            if (window.PagesVanished() || file_.CurrentSize() < offset + spans_.spanBytes) {
                failed_.store(true, std::memory_order_relaxed);
                return;
            }
            done_[span - first_].store(true, std::memory_order_release);
            if (caller) HandOver();
        }
    }

    void HandOver() {
        const std::uint64_t before = handedOver_;
        while (first_ + handedOver_ < end_ && done_[handedOver_].load(std::memory_order_acquire)) {
            ++handedOver_;
        }
        if (handedOver_ > before) spans_.hashedUpTo(first_ + handedOver_);
    }

    InputFile& file_;
    const SpanHashing& spans_;
    MappedWindow* const windows_;
    const std::uint64_t first_, end_;
    std::atomic<std::uint64_t> next_;
    const std::atomic<bool>* cancel_;
    std::atomic<bool> failed_{false};
    std::atomic<bool> done_[kSpansInFlight] = {};
    std::uint64_t handedOver_ = 0;  // the caller's thread's own
};

}  // namespace

std::string_view FileRouteName(FileRoute route) {
    switch (route) {
        case FileRoute::kRead:
            return "read";
        case FileRoute::kReadAhead:
            return "read-ahead";
        case FileRoute::kMap:
            return "map";
        case FileRoute::kMapAhead:
            return "map-ahead";
    }
    return "unknown";
}

FileRoute ActiveFileRoute(ConsumerPace pace) {
    const int forced = forcedRoute.load(std::memory_order_relaxed);
    if (forced >= 0) return static_cast<FileRoute>(forced);
    const ProcessorTuning& tuning = ThisProcessorTuning();
    return pace == ConsumerPace::kOutrunsReading ? tuning.readBoundRoute : tuning.largeFileRoute;
}

void ForceFileRoute(FileRoute route) {
    forcedRoute.store(static_cast<int>(route), std::memory_order_relaxed);
}

void UseProcessorFileRoute() {
    forcedRoute.store(-1, std::memory_order_relaxed);
}

unsigned FileHashingThreads() {
    const unsigned forced = forcedThreads.load(std::memory_order_relaxed);
    return forced > 0 ? forced : std::max(1u, std::thread::hardware_concurrency());
}

void ForceFileHashingThreads(unsigned threads) {
    forcedThreads.store(threads, std::memory_order_relaxed);
}

void UseEveryCoreForFiles() {
    forcedThreads.store(0, std::memory_order_relaxed);
}

StreamOutcome StreamFileInSpans(InputFile& file, const SpanHashing& spans,
                                const PieceConsumer& rest, const std::atomic<bool>* cancel) {
    const std::uint64_t count = file.Size() / spans.spanBytes;
    std::vector<MappedWindow> windows(spans.threads);
    for (std::uint64_t first = 0; first < count; first += kSpansInFlight) {
        SpanRound round(file, spans, windows.data(), first,
                        std::min<std::uint64_t>(count, first + kSpansInFlight), cancel);
        const bool whole = round.Run();
        if (CancelRaised(cancel)) return {StreamEnd::kCancelled, first * spans.spanBytes};
        if (!whole) return StartOver(file, rest, cancel);
    }
    const std::uint64_t offset = count * spans.spanBytes;
    if (!file.SeekTo(offset)) return {StreamEnd::kReadError, offset};
    StreamOutcome tail = StreamOnThisThread(file, rest, cancel, PieceSequence::Start::kUntilTheEnd);
    tail.bytes += offset;
    return tail;
}

StreamOutcome StreamFile(InputFile& file, const PieceConsumer& consume,
                         const std::atomic<bool>* cancel, ConsumerPace pace) {
    if (file.Size() < kLargeFileBytes) return StreamOnThisThread(file, consume, cancel);
    switch (ActiveFileRoute(pace)) {
        case FileRoute::kRead:
            break;
        case FileRoute::kReadAhead:
            return StreamWithReadAhead(file, consume, cancel);
        case FileRoute::kMap:
            return StreamMappedOnThisThread(file, consume, cancel);
        case FileRoute::kMapAhead:
            return StreamMappedAhead(file, consume, cancel);
    }
    return StreamOnThisThread(file, consume, cancel);
}

}  // namespace tessik
