#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <random>
#include <vector>

#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/system_calls.h"

namespace tessik {
namespace {

bool HasNul(const std::string& native) {
    return native.find('\0') != std::string::npos;
}

bool IsSeparator(char16_t unit) {
    return unit == u'/' || unit == u'\\';
}

std::u16string EnvironmentFolder(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? FromNativePath(value) : std::u16string();
}

std::u16string WithoutTrailingSeparators(std::u16string path) {
    while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
    return path;
}

// The file a replacement writes: a link stays a link, and the file it points to is replaced.
// Empty for a path no file can have.
std::string ReplacedFile(const std::u16string& path) {
    std::string native = ToNativePath(path);
    if (native.empty() || HasNul(native)) return {};
    if (char* resolved = ::realpath(native.c_str(), nullptr)) {
        native = resolved;
        std::free(resolved);
    }
    return native;
}

// What a temporary file's name adds to the name of the file it is to replace.
constexpr char kTemporaryMark[] = ".~";

WriteFailure FailureOf(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return WriteFailure::kPermissionDenied;
        case EROFS:
            return WriteFailure::kReadOnly;
        case ENOSPC:
        case EDQUOT:
            return WriteFailure::kNoSpace;
        default:
            return WriteFailure::kIoError;
    }
}

// Creates a temporary file beside `native` under a random name, never one that exists: a file
// left by a killed run, whatever its process id was, cannot block this one. Returns the open
// descriptor, or -1 with errno set.
int CreateTemporaryBeside(const std::string& native, std::string& temporary) {
    static std::mutex guard;
    static std::mt19937_64 random = [] {
        std::random_device device;
        return std::mt19937_64((std::uint64_t{device()} << 32) ^ device() ^
                               static_cast<std::uint64_t>(::getpid()));
    }();
    constexpr int kAttempts = 16;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::uint64_t suffix;
        {
            std::lock_guard lock(guard);
            suffix = random();
        }
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(suffix));
        temporary = native + kTemporaryMark + hex;
        const int fd =
            systemCalls.open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The complete temporary file takes the target's place; an old target moves to `keep` first
// when one is named, and comes back if the temporary cannot follow it.
WriteFailure MoveIntoPlace(const std::string& temporary, const std::string& target,
                           const std::string& keep) {
    const bool keptAside = !keep.empty() && systemCalls.rename(target.c_str(), keep.c_str()) == 0;
    if (!keep.empty() && !keptAside && errno != ENOENT) return FailureOf(errno);
    if (systemCalls.rename(temporary.c_str(), target.c_str()) == 0) return WriteFailure::kNone;
    const WriteFailure failure = FailureOf(errno);
    if (keptAside) systemCalls.rename(keep.c_str(), target.c_str());
    return failure;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = systemCalls.write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

PathKind QueryPathKind(const std::u16string& path) {
    const std::string native = ToNativePath(path);
    struct stat info {};
    if (native.empty() || HasNul(native) || ::stat(native.c_str(), &info) != 0) {
        return PathKind::kMissing;
    }
    return S_ISDIR(info.st_mode) ? PathKind::kFolder : PathKind::kFile;
}

bool CreateDirectoryLevel(const std::u16string& path) {
    const std::string native = ToNativePath(path);
    return !native.empty() && !HasNul(native) && systemCalls.mkdir(native.c_str(), 0777) == 0;
}

std::u16string CurrentDirectory() {
    std::vector<char> buffer(PATH_MAX);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return {};
        buffer.resize(buffer.size() * 2);
    }
    return FromNativePath(buffer.data());
}

std::u16string FullPath(const std::u16string& path) {
    std::u16string joined;
    if (IsAbsolutePath(path)) {
        joined = path;
    } else {
        joined = CurrentDirectory();
        if (joined.empty()) return {};
        joined += kPathSeparator;
        joined += path;
    }
    // Resolve "." and ".." segment by segment; a trailing separator is kept.
    std::vector<std::u16string> segments;
    std::u16string segment;
    auto flush = [&] {
        if (segment == u"..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != u".") {
            segments.push_back(segment);
        }
        segment.clear();
    };
    for (char16_t unit : joined) {
        if (IsSeparator(unit)) {
            flush();
        } else {
            segment += unit;
        }
    }
    flush();
    std::u16string result;
    for (const auto& part : segments) {
        result += kPathSeparator;
        result += part;
    }
    if (result.empty() || IsSeparator(joined.back())) result += kPathSeparator;
    return result;
}

std::u16string ProgramPath() {
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return FromNativePath(
                std::string_view(buffer.data(), static_cast<std::size_t>(length)));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::u16string UserAppDataFolder() {
    std::u16string folder = EnvironmentFolder("XDG_CONFIG_HOME");
    if (folder.empty()) {
        const std::u16string home = EnvironmentFolder("HOME");
        if (home.empty()) return {};
        folder = WithoutTrailingSeparators(home) + u"/.config";
    }
    folder = WithoutTrailingSeparators(folder);
    CreateDirectoryLevel(folder);
    return folder;
}

std::u16string MachineAppDataFolder() {
    const char* list = std::getenv("XDG_CONFIG_DIRS");
    if (list != nullptr) {
        const std::string_view entries(list);
        const std::string_view first = entries.substr(0, entries.find(':'));
        if (!first.empty() && first.front() == '/') {
            return WithoutTrailingSeparators(FromNativePath(first));
        }
    }
    return u"/etc/xdg";
}

LocalTime LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

WriteFailure ReplaceFileContents(const std::u16string& path, std::string_view bytes,
                                 const std::u16string& keepOldAs) {
    const std::string native = ReplacedFile(path);
    const std::string nativeKeep = ToNativePath(keepOldAs);
    if (native.empty() || HasNul(nativeKeep)) return WriteFailure::kIoError;
    struct stat old {};
    const bool replacing = ::stat(native.c_str(), &old) == 0;
    std::string temporary;
    const int fd = CreateTemporaryBeside(native, temporary);
    if (fd < 0) return FailureOf(errno);
    // Keeps the old file's permissions, unless it is kept aside for being unreadable.
    if (replacing && nativeKeep.empty()) ::fchmod(fd, old.st_mode & 07777);
    WriteFailure failure = WriteAll(fd, bytes) ? WriteFailure::kNone : FailureOf(errno);
    if (failure == WriteFailure::kNone && systemCalls.fsync(fd) != 0) failure = FailureOf(errno);
    if (::close(fd) != 0 && failure == WriteFailure::kNone) failure = FailureOf(errno);
    if (failure == WriteFailure::kNone) failure = MoveIntoPlace(temporary, native, nativeKeep);
    if (failure != WriteFailure::kNone) ::unlink(temporary.c_str());
    return failure;
}

void RemoveStaleTemporaries(const std::u16string& path, int minimumAgeSeconds) {
    const std::string native = ReplacedFile(path);
    if (native.empty()) return;
    const std::size_t slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash + 1);
    const std::string prefix =
        (slash == std::string::npos ? native : native.substr(slash + 1)) + kTemporaryMark;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name.substr(0, prefix.size()) != prefix) continue;
        const std::string full = (slash == std::string::npos ? "" : folder) + std::string(name);
        struct stat info {};
        if (::lstat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            now - info.st_mtime >= minimumAgeSeconds) {
            ::unlink(full.c_str());
        }
    }
    ::closedir(listing);
}

}  // namespace tessik
