#include "platform/file_system.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/path_encoding.h"
#include "platform/system_calls.h"

namespace tessik {
namespace {

bool HasNul(const std::string& native) { return native.find('\0') != std::string::npos; }

bool IsSeparator(char16_t unit) { return unit == u'/' || unit == u'\\'; }

std::u16string EnvironmentFolder(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? FromNativePath(value) : std::u16string();
}

std::u16string WithoutTrailingSeparators(std::u16string path) {
    while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
    return path;
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

bool SetCurrentDirectory(const std::u16string& path) {
    const std::string native = ToNativePath(path);
    return !native.empty() && !HasNul(native) && ::chdir(native.c_str()) == 0;
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
    if (!path.empty() && IsSeparator(path.front())) {
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
            return FromNativePath(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
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

bool ReplaceFileContents(const std::u16string& path, std::string_view bytes) {
    std::string native = ToNativePath(path);
    if (native.empty() || HasNul(native)) return false;
    // A link stays a link: the file it points to is the one replaced.
    if (char* resolved = ::realpath(native.c_str(), nullptr)) {
        native = resolved;
        std::free(resolved);
    }
    struct stat old {};
    const bool replacing = ::stat(native.c_str(), &old) == 0;
    static std::atomic<unsigned> counter{0};
    const std::string temporary =
        native + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd =
        systemCalls.open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    if (replacing) ::fchmod(fd, old.st_mode & 07777);  // keeps the old file's permissions
    const bool written = WriteAll(fd, bytes) && systemCalls.fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || systemCalls.rename(temporary.c_str(), native.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace tessik
