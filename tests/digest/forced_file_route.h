#pragma once
// Every way a large file can be read, and one of them forced for a scope, so that a test covers
// each route whatever this processor would choose.

#include "digest/file_stream.h"

namespace tessik::testing {

inline constexpr FileRoute kAllFileRoutes[] = {FileRoute::kRead, FileRoute::kReadAhead,
                                               FileRoute::kMap, FileRoute::kMapAhead};
inline constexpr FileRoute kMappedRoutes[] = {FileRoute::kMap, FileRoute::kMapAhead};

class ForcedFileRoute {
  public:
    explicit ForcedFileRoute(FileRoute route) { ForceFileRoute(route); }
    ~ForcedFileRoute() { UseProcessorFileRoute(); }
    ForcedFileRoute(const ForcedFileRoute&) = delete;
    ForcedFileRoute& operator=(const ForcedFileRoute&) = delete;
};

}  // namespace tessik::testing
