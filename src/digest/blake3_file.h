#pragma once
// A file through BLAKE3 the way its tree allows: the subtrees of a large file hashed on every
// core, each thread from its own mapping, and appended to the engine in order; a small file, as
// with every other engine, read on the caller's thread.

#include <atomic>
#include <cstdint>
#include <functional>

#include "digest/blake3.h"
#include "digest/file_stream.h"

namespace tessik {

// Hands the open file to the engine: the subtrees of its whole spans through AppendSubtree,
// with `spansDone` told the bytes they cover as they go in, and the rest through `consume`.
StreamOutcome StreamFileToBlake3(Blake3Engine& engine, InputFile& file,
                                 const PieceConsumer& consume,
                                 const std::function<void(std::uint64_t bytes)>& spansDone,
                                 const std::atomic<bool>* cancel);

}  // namespace tessik
