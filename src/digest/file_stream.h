#pragma once
// The one way every engine family reads a file: open it, measure it once, and hand its bytes
// to the engine in large pieces from one fixed buffer, so memory stays flat whatever the size.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/input_file.h"

namespace tessik {

// Bytes per read: large enough that system calls cost nothing next to hashing, small enough
// to stay in the cache while the engine reads them.
inline constexpr std::size_t kFilePieceBytes = std::size_t{1} << 20;

using PieceConsumer = std::function<void(const std::uint8_t* data, std::size_t length)>;

// Opens a regular file, links followed, and measures its size once. False for anything that
// cannot be read as a file: missing, denied, a folder, a FIFO, a socket or a device.
bool OpenMeasured(const std::u16string& path, InputFile& file);

// Hands the bytes of the open file to `consume` in pieces of at most kFilePieceBytes, never
// more than its measured size in all: bytes added after opening are not digested. Returns how many
// bytes were handed over, fewer than the size when the file ended early, or nothing on a read error
// (the engine's state is then to be discarded).
std::optional<std::uint64_t> StreamMeasured(InputFile& file, const PieceConsumer& consume);

// OpenMeasured, then StreamMeasured; nothing when the file cannot be opened or read.
std::optional<std::uint64_t> StreamFile(const std::u16string& path, const PieceConsumer& consume);

}  // namespace tessik
