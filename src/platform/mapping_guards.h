#pragma once
// The address range of every live mapped window, for the fault handler to look up. A fixed table
// of atomics, because the handler runs in the middle of a read and may neither lock nor
// allocate; a window that finds no free entry is not mapped, and its reader reads instead.

#include <atomic>
#include <cstdint>

namespace tessik {

struct MappingGuard {
    std::atomic<bool> taken{false};
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> vanished{false};
};

inline constexpr int kMappingGuardCount = 64;
extern MappingGuard mappingGuards[kMappingGuardCount];

// The index of an entry now taken for the caller; -1 when all are.
int TakeMappingGuard();

}  // namespace tessik
