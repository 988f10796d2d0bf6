#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <utility>
#include <vector>

#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/system_calls.h"
#include "platform/temporary_names.h"

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
        // Only the file's creation meets these.
        case ENOENT:
        case ENOTDIR:
        case EISDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return WriteFailure::kCannotCreate;
        default:
            return WriteFailure::kIoError;
    }
}

// Makes something under a random name beside `native`, never under one that exists: a name left
// by a killed run, whatever its process id was, blocks nothing. `make` returns -1 with errno set
// when it fails; a name that exists is tried again under another. Returns what `make` returned.
int WithFreshName(const std::string& native, std::string& name,
                  const std::function<int(const char* name)>& make) {
    constexpr int kAttempts = 16;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        name = native + FreshTemporarySuffix();
        const int result = make(name.c_str());
        if (result >= 0 || errno != EEXIST) return result;
    }
    return -1;
}

// The open descriptor of a new, empty temporary file beside `native`, or -1 with errno set.
int CreateTemporaryBeside(const std::string& native, std::string& temporary) {
    return WithFreshName(native, temporary, [](const char* name) {
        return systemCalls.open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    });
}

WriteFailure Renamed(const std::string& from, const std::string& to) {
    return systemCalls.rename(from.c_str(), to.c_str()) == 0 ? WriteFailure::kNone
                                                             : FailureOf(errno);
}

// Where the file system has no links: the old target moves to `keep`, and comes back if the
// temporary cannot follow it. Between the two moves there is no target; a start in that moment
// finds the complete temporary (see TemporariesNewerThan).
WriteFailure MoveAsideIntoPlace(const std::string& temporary, const std::string& target,
                                const std::string& keep) {
    const bool keptAside = systemCalls.rename(target.c_str(), keep.c_str()) == 0;
    if (!keptAside && errno != ENOENT) return FailureOf(errno);
    const WriteFailure failure = Renamed(temporary, target);
    if (failure != WriteFailure::kNone && keptAside) {
        systemCalls.rename(keep.c_str(), target.c_str());
    }
    return failure;
}

// The complete temporary takes the target's place. With `keep`, the old target becomes `keep`
// first, as a second link to it, so that at every step the target is there, old or new.
WriteFailure MoveIntoPlace(const std::string& temporary, const std::string& target,
                           const std::string& keep) {
    if (keep.empty()) return Renamed(temporary, target);
    std::string link;
    const bool linked = WithFreshName(keep, link, [&target](const char* name) {
                            return systemCalls.link(target.c_str(), name);
                        }) == 0;
    if (!linked && errno == ENOENT) return Renamed(temporary, target);  // nothing to keep
    if (!linked) return MoveAsideIntoPlace(temporary, target, keep);
    if (const WriteFailure failure = Renamed(link, keep); failure != WriteFailure::kNone) {
        ::unlink(link.c_str());
        return failure;
    }
    return Renamed(temporary, target);
}

// Calls `visit` with the full name and the status of each temporary of `native`.
template <typename Visit>
void ForEachTemporary(const std::string& native, Visit visit) {
    const std::size_t slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash + 1);
    const std::string prefix =
        (slash == std::string::npos ? native : native.substr(slash + 1)) + kTemporaryMark;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name.substr(0, prefix.size()) != prefix) continue;
        const std::string full = (slash == std::string::npos ? "" : folder) + std::string(name);
        struct stat info {};
        if (::lstat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode)) visit(full, info);
    }
    ::closedir(listing);
}

void RemoveStaleTemporariesOf(const std::string& native, int minimumAgeSeconds) {
    const std::time_t now = std::time(nullptr);
    ForEachTemporary(native, [&](const std::string& temporary, const struct stat& info) {
        if (now - info.st_mtime >= minimumAgeSeconds) ::unlink(temporary.c_str());
    });
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

std::uint64_t RegularFileSize(const std::u16string& path) {
    const std::string native = ToNativePath(path);
    struct stat info {};
    if (native.empty() || HasNul(native) || ::stat(native.c_str(), &info) != 0 ||
        !S_ISREG(info.st_mode)) {
        return 0;
    }
    return static_cast<std::uint64_t>(info.st_size);
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
    if (native.empty() || HasNul(nativeKeep)) return WriteFailure::kCannotCreate;
    // What killed saves of either file left is freed before this one takes room.
    RemoveStaleTemporariesOf(native, kStaleTemporarySeconds);
    if (!nativeKeep.empty()) RemoveStaleTemporariesOf(nativeKeep, kStaleTemporarySeconds);
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
    if (!native.empty()) RemoveStaleTemporariesOf(native, minimumAgeSeconds);
}

std::vector<std::u16string> TemporariesNewerThan(const std::u16string& path) {
    const std::string native = ReplacedFile(path);
    if (native.empty()) return {};
    const auto changed = [](const struct stat& info) {
        return std::pair(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
    };
    struct stat target {};
    const bool exists = ::stat(native.c_str(), &target) == 0;
    std::vector<std::pair<decltype(changed(target)), std::string>> newer;
    ForEachTemporary(native, [&](const std::string& temporary, const struct stat& info) {
        if (!exists || changed(info) > changed(target)) {
            newer.emplace_back(changed(info), temporary);
        }
    });
    std::sort(newer.begin(), newer.end(), std::greater<>());
    std::vector<std::u16string> paths;
    for (const auto& entry : newer) paths.push_back(FromNativePath(entry.second));
    return paths;
}

}  // namespace tessik
