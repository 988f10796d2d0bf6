#include "platform/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/path_encoding.h"
#include "platform/system_calls.h"

namespace tessik {
namespace {

constexpr std::uint64_t kSequentialAdviceBytes = std::uint64_t{1} << 20;

ReadFailure FailureOf(const struct stat& info) {
    if (S_ISREG(info.st_mode)) return ReadFailure::kNone;
    return S_ISDIR(info.st_mode) ? ReadFailure::kFolder : ReadFailure::kNotRegularFile;
}

}  // namespace

ReadFailure ReadFailureOf(int error) {
    switch (error) {
        case ENOENT:
            return ReadFailure::kMissing;
        case ENOTDIR:
            return ReadFailure::kPathThroughFile;
        case ELOOP:
            return ReadFailure::kLinkLoop;
        case ENAMETOOLONG:
            return ReadFailure::kNameTooLong;
        case EACCES:
        case EPERM:
            return ReadFailure::kPermissionDenied;
        case EISDIR:
            return ReadFailure::kFolder;
        default:
            return ReadFailure::kIoError;
    }
}

InputFile::~InputFile() {
    Close();
}

ReadFailure InputFile::Open(const std::u16string& path) {
    Close();
    const std::string native = ToNativePath(path);
    if (native.empty() || native.find('\0') != std::string::npos) return ReadFailure::kMissing;
    // Look before opening so that a FIFO or device is never opened at all, and check the
    // opened descriptor again in case the path was swapped in between.
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0) return ReadFailureOf(errno);
    if (const ReadFailure failure = FailureOf(info); failure != ReadFailure::kNone) return failure;
    const int fd =
        systemCalls.open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0);
    if (fd < 0) return ReadFailureOf(errno);
    const ReadFailure swapped = ::fstat(fd, &info) != 0 ? ReadFailureOf(errno) : FailureOf(info);
    if (swapped != ReadFailure::kNone) {
        ::close(fd);
        return swapped;
    }
    descriptor_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    // Larger read-ahead helps a long file; for a small one the call would cost more than it saves.
    if (size_ > kSequentialAdviceBytes) ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return ReadFailure::kNone;
}

void InputFile::Close() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    size_ = 0;
}

std::uint64_t InputFile::CurrentSize() const {
    struct stat info {};
    if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0) return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

bool InputFile::SeekTo(std::uint64_t offset) {
    return descriptor_ >= 0 && offset <= static_cast<std::uint64_t>(INT64_MAX) &&
           ::lseek(descriptor_, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

std::int64_t InputFile::Read(void* buffer, std::size_t count) {
    if (descriptor_ < 0) return -1;
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = systemCalls.read(descriptor_, out + done, count - done);
        if (got > 0) {
            done += static_cast<std::size_t>(got);
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            return -1;
        }
    }
    return static_cast<std::int64_t>(done);
}

}  // namespace tessik
