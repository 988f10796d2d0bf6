#pragma once
// Part of an open file mapped read-only into memory, so that a reader takes the bytes where the
// page cache holds them instead of copying them out first. A file cut short while it is mapped
// would make a read past its new end fault (SIGBUS) and end the program; here such a page reads
// as zeros instead and the window records it, so that its reader can discard what it read and
// read the file again another way.

#include <cstddef>
#include <cstdint>

#include "platform/input_file.h"

namespace tessik {

class MappedWindow {
  public:
    MappedWindow() = default;
    ~MappedWindow();
    MappedWindow(const MappedWindow&) = delete;
    MappedWindow& operator=(const MappedWindow&) = delete;

    // Maps `length` bytes of the file from `offset`, a multiple of MappingGranularity(), with
    // the advice that they are read once, in order. False, with nothing mapped, where the file
    // cannot be mapped; an earlier mapping of this window goes first in any case. `populate`
    // enters every page the file holds at once, rather than a fault at a time as they are read:
    // for a reader that goes through the whole window straight away. On Windows such a window is
    // read into memory of its own instead.
    bool Map(const InputFile& file, std::uint64_t offset, std::size_t length,
             bool populate = false);
    void Unmap();

    const std::uint8_t* Data() const { return static_cast<const std::uint8_t*>(address_); }
    std::size_t Length() const { return length_; }
    // True once a read in the window found its page gone: the file no longer reaches there, and
    // the bytes read from that page were zeros that were never in it.
    bool PagesVanished() const;

  private:
    void* address_ = nullptr;
    std::size_t length_ = 0;
    int guard_ = -1;  // the entry through which the fault handler knows this window
#ifdef _WIN32
    // Kept for the next window: reading into it costs less than a view and its faults
    // (bench/compare-windows.sh). `readShort_`: the file ended before the window did.
    void* buffer_ = nullptr;
    std::size_t bufferLength_ = 0;
    bool readShort_ = false;
#endif
};

// What a window's offset must be a multiple of.
std::size_t MappingGranularity();

}  // namespace tessik
