#pragma once
// The one way to hash a file: any engine, with the progress a window shows, a cancel flag
// another thread may raise, and the reason when the file cannot be read. Only regular files are
// read (links followed), from their start to wherever a read finds their end, in fixed pieces
// so that memory stays flat.

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "digest/digest_engine.h"
#include "platform/input_file.h"

namespace tessik {

struct FileDigestOptions {
    // Bytes digested so far and the file's size (as measured at opening, or the bytes digested
    // once they pass it): rising, at most about twenty calls a second, and a last call once the
    // whole file is digested, which is lower than an earlier one only if the file shrank.
    std::function<void(std::uint64_t done, std::uint64_t total)> progress;
    // Looked at at least once per piece: once raised, the hash ends without a digest.
    const std::atomic<bool>* cancel = nullptr;
};

enum class FileDigestOutcome { kDigest, kCancelled, kUnreadable };

struct FileDigestResult {
    FileDigestOutcome outcome = FileDigestOutcome::kUnreadable;
    Digest digest;                             // with kDigest only
    ReadFailure failure = ReadFailure::kNone;  // with kUnreadable only
    std::uint64_t bytes = 0;                   // digested
};

// The engine is restarted first and wiped afterwards, whatever the outcome. A file that shrinks
// or grows while it is read gives the digest of the bytes read.
FileDigestResult DigestFile(DigestEngine& engine, const std::u16string& path,
                            const FileDigestOptions& options = {});

struct FileDigestsResult {
    FileDigestOutcome outcome = FileDigestOutcome::kUnreadable;
    std::vector<Digest> digests;               // with kDigest only: one per engine, in order
    ReadFailure failure = ReadFailure::kNone;  // with kUnreadable only
    std::uint64_t bytes = 0;                   // digested by every engine
};

// The file read once for several engines: each piece goes to every engine, the engines running
// side by side on up to one thread per core (engine_crew.h), with DigestFile's progress, cancel,
// failures and treatment of a file that changes. With one engine it is DigestFile; with none
// the file is only opened.
FileDigestsResult DigestFileWithEngines(std::span<DigestEngine* const> engines,
                                        const std::u16string& path,
                                        const FileDigestOptions& options = {});

}  // namespace tessik
