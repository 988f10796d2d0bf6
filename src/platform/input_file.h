#pragma once
// A regular file opened for reading, with its 64-bit size measured once at opening. That size is
// only a hint: a file may grow or shrink while it is read, and some files (those of /proc) report
// none and still hold bytes, so readers go on until a read finds the end.
// Folders, FIFOs, sockets and devices are refused at once: reading them could block or never
// end, and none of them is a file a user means to hash.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessik {

// Why a file could not be read; kNone when it could.
enum class ReadFailure {
    kNone,
    kMissing,           // nothing by that name
    kFolder,            // a folder, or a link to one
    kNotRegularFile,    // a FIFO, a socket or a device
    kPermissionDenied,  // the user may not read it
    kIoError,           // opening or reading failed otherwise
    kLinkLoop,          // symbolic links that lead round in a circle, or too many in a row
    kPathThroughFile,   // a part of the path before the name is a file, not a folder
    kNameTooLong,       // a name, or the whole path, longer than the system takes
};

// The cause of a failed open or listing, from the system's error number (errno, or the
// last-error code on Windows).
ReadFailure ReadFailureOf(int error);

class MappedWindow;

class InputFile {
  public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Follows links. kNone when the file is open; otherwise why the path names no readable
    // regular file, and nothing is open.
    ReadFailure Open(const std::u16string& path);
    void Close();
    bool IsOpen() const { return descriptor_ != kClosed; }

    // Size in bytes at the moment of opening.
    std::uint64_t Size() const { return size_; }
    // Size in bytes now; 0 if it cannot be measured.
    std::uint64_t CurrentSize() const;

    // Fills the buffer as far as the file goes. Returns the bytes read, fewer than asked only
    // at the end of the file, or -1 on a read error.
    std::int64_t Read(void* buffer, std::size_t count);
    // The next Read starts at `offset`; false if the file cannot be positioned there.
    bool SeekTo(std::uint64_t offset);

  private:
    friend class MappedWindow;

#ifdef _WIN32
    using Descriptor = void*;  // the file's handle
    static constexpr Descriptor kClosed = nullptr;
#else
    using Descriptor = int;
    static constexpr Descriptor kClosed = -1;
#endif
    Descriptor descriptor_ = kClosed;
    std::uint64_t size_ = 0;
};

}  // namespace tessik
