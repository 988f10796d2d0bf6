#pragma once
// Hashes a stream of files on several worker threads and hands the results back in the order
// the files came, on the calling thread. The stream is pulled as workers free up, with at most
// a few files per worker in flight, so memory stays flat however many files there are. The
// algorithm travels with each file, chosen by the caller when the file is taken from it, and so
// may further ones: the file is then read once, each piece going to every algorithm.
//
//   HashFilesInOrder(next, deliver, options):
//     next(file)     calling thread; fills in the next file and returns true, or returns false
//                    at the end of the stream. A file without an algorithm is not hashed: it
//                    comes back in its place with an empty result, so the caller can keep
//                    entries of its own (a malformed line, an error) in order.
//     deliver(done)  calling thread; each file, in stream order.
// A raised cancel flag ends the run within one piece of a file: the files at the head of the
// stream that were finished before it still go out, those finished behind a file in flight go
// to beyondGap, what is in flight is dropped, and the call returns false.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "digest/file_digest.h"

namespace tessik {

// Files queued per worker at most: how far the stream is read ahead of the file handed over.
// Enough that no worker waits for the calling thread, few enough that the queue costs nothing.
// The calling thread is woken to hand files over and top the queue up once half of it has been
// taken, not for every file: a wake-up costs as much as hashing a small file.
inline constexpr std::size_t kFilesQueuedPerWorker = 16;

// As many workers as the processor has cores: what every run hashes on unless told otherwise.
int DefaultWorkerCount();

struct FileToHash {
    std::u16string path;
    const AlgorithmInfo* algorithm = nullptr;
    // Without an algorithm: why it is not hashed, handed back as its result's failure.
    ReadFailure notHashed = ReadFailure::kNone;
    // With an algorithm: further ones the same read feeds.
    std::vector<const AlgorithmInfo*> alsoWith = {};
};

struct HashedFile {
    std::u16string path;
    const AlgorithmInfo* algorithm = nullptr;
    FileDigestResult result;  // outcome kUnreadable with kNone when it was not hashed
    std::vector<const AlgorithmInfo*> alsoWith = {};
    std::vector<Digest> alsoDigests = {};  // with the digest: one per further algorithm, in order
};

// On the worker hashing the file, as FileDigestOptions::progress describes, with the bytes the
// file has added since its previous report: summed, they count every byte of files hashed side
// by side once.
using HashProgress = std::function<void(const std::u16string& path, std::uint64_t done,
                                        std::uint64_t total, std::uint64_t added)>;

struct OrderedHashOptions {
    int workers = 1;
    const std::atomic<bool>* cancel = nullptr;
    HashProgress progress;
    // On the worker as it starts a file that has an algorithm, files in stream order: may set
    // the algorithms it is hashed with, for a choice that may change while files wait. Without
    // it, the file's own.
    std::function<void(FileToHash& file)> chooseAtStart;
    // On the worker, as soon as a file is hashed whole or found unreadable, before its turn to
    // be delivered comes.
    std::function<void(const HashedFile& file)> finished = {};
    // On the calling thread after a cancel: the files hashed whole that were not delivered
    // because one before them was not, in stream order.
    std::function<void(HashedFile& file)> beyondGap = {};
};

// True when the stream ended and every file was delivered; false when cancelled.
bool HashFilesInOrder(const std::function<bool(FileToHash&)>& next,
                      const std::function<void(HashedFile&)>& deliver,
                      const OrderedHashOptions& options);

}  // namespace tessik
