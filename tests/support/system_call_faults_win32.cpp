#include "support/system_call_faults.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cwctype>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/path_encoding.h"

// The same faults as on Linux, through the Windows calls: each test names its failure by the
// errno value it means, and the call fails with the Windows error that stands for it.
namespace tessik::test {
namespace {

DWORD WindowsError(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return ERROR_ACCESS_DENIED;
        case ENOSPC:
            return ERROR_DISK_FULL;
        case EROFS:
            return ERROR_WRITE_PROTECT;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case EXDEV:
            return ERROR_NOT_SAME_DEVICE;
        case EMFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        default:
            return ERROR_GEN_FAILURE;
    }
}

struct ActiveFault {
    DWORD error = 0;
    std::size_t bytesLeft = 0;
};
ActiveFault faults[kCallCount];

ActiveFault& FaultOf(Call call) {
    return faults[static_cast<int>(call)];
}

int Fail(Call call) {
    ::SetLastError(FaultOf(call).error);
    return 0;
}

const SystemCalls real = systemCalls;

// Passes at most the bytes left of the budget, then fails.
template <typename Buffer, typename Transfer>
int Metered(Call call, void* file, Buffer buffer, unsigned long count, unsigned long* done,
            Transfer transfer) {
    ActiveFault& fault = FaultOf(call);
    *done = 0;
    if (fault.bytesLeft == 0) return Fail(call);
    const auto allowed = static_cast<unsigned long>(std::min<std::size_t>(count, fault.bytesLeft));
    const int ok = transfer(file, buffer, allowed, done);
    fault.bytesLeft -= *done;
    return ok;
}

// Whether a map of `length` bytes fits into what is left of the budget, which it then takes;
// otherwise the fault's error is set.
bool MapFits(std::size_t length) {
    // Several threads may map at once.
    static std::mutex budget;
    std::lock_guard lock(budget);
    ActiveFault& fault = FaultOf(Call::kMap);
    if (length > fault.bytesLeft) {
        ::SetLastError(fault.error);
        return false;
    }
    fault.bytesLeft -= length;
    return true;
}

void Install(Call call) {
    switch (call) {
        case Call::kOpen:
            systemCalls.open = [](const wchar_t*, unsigned long, unsigned long, unsigned long,
                                  unsigned long) {
                Fail(Call::kOpen);
                return INVALID_HANDLE_VALUE;
            };
            break;
        case Call::kRead:
            systemCalls.read = [](void* file, void* buffer, unsigned long count,
                                  unsigned long* done) {
                return Metered(Call::kRead, file, buffer, count, done, real.read);
            };
            break;
        case Call::kWrite:
            systemCalls.write = [](void* file, const void* buffer, unsigned long count,
                                   unsigned long* done) {
                return Metered(Call::kWrite, file, buffer, count, done, real.write);
            };
            break;
        case Call::kFsync:
            systemCalls.fsync = [](void*) { return Fail(Call::kFsync); };
            break;
        case Call::kRename:
            systemCalls.rename = [](const wchar_t*, const wchar_t*, unsigned long) {
                return Fail(Call::kRename);
            };
            systemCalls.replace = [](const wchar_t*, const wchar_t*) {
                return Fail(Call::kRename);
            };
            break;
        case Call::kLink:
            systemCalls.link = [](const wchar_t*, const wchar_t*) { return Fail(Call::kLink); };
            break;
        case Call::kReadFolder:
            systemCalls.readdir = [](void* search, _WIN32_FIND_DATAW* next) {
                ActiveFault& fault = FaultOf(Call::kReadFolder);
                if (fault.bytesLeft == 0) return Fail(Call::kReadFolder);
                --fault.bytesLeft;
                return real.readdir(search, next);
            };
            break;
        case Call::kMap:
            // A window read into memory of its own counts as a map.
            systemCalls.mmap = [](void* file, std::uint64_t offset, std::size_t length) -> void* {
                return MapFits(length) ? real.mmap(file, offset, length) : nullptr;
            };
            systemCalls.pread = [](void* file, std::uint64_t offset, void* buffer,
                                   unsigned long count, unsigned long* done) {
                *done = 0;
                return MapFits(count) ? real.pread(file, offset, buffer, count, done) : 0;
            };
            break;
    }
}

// Full paths compared without regard to case, as the file system compares names.
std::wstring Resolved(std::wstring_view path) {
    std::wstring text(path);
    const DWORD needed = ::GetFullPathNameW(text.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return {};
    std::wstring full(needed, L'\0');
    full.resize(::GetFullPathNameW(text.c_str(), needed, full.data(), nullptr));
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
    std::transform(full.begin(), full.end(), full.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return full;
}

std::wstring ExistingFolder(const std::string& nativeFolder) {
    const std::u16string folder = FromNativePath(nativeFolder);
    const std::wstring wide(folder.begin(), folder.end());
    if (::GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) {
        throw std::invalid_argument("no such folder: " + nativeFolder);
    }
    return Resolved(wide);
}

std::wstring ParentOf(const wchar_t* path) {
    std::wstring parent = Resolved(path);
    const std::size_t cut = parent.find_last_of(L"\\/");
    return cut == std::wstring::npos ? parent
                                     : Resolved(parent.substr(0, std::max<std::size_t>(cut, 3)));
}

std::wstring protectedFolder;
std::wstring unreadableFolder;

bool InProtectedFolder(const wchar_t* path) {
    return ParentOf(path) == protectedFolder;
}

int Denied() {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

struct Hold {
    int number = 0;
    std::atomic<int> calls{0};
    std::function<void()> reached;
    std::wstring pathEnding;
    std::mutex mutex;
    std::condition_variable released;
    bool held = false;
    bool free = false;
} hold;

void HoldIfDue() {
    if (++hold.calls != hold.number) return;
    {
        std::lock_guard lock(hold.mutex);
        hold.held = true;
    }
    if (hold.reached) hold.reached();
    std::unique_lock lock(hold.mutex);
    hold.released.wait(lock, [] { return hold.free; });
}

// No fork here: the work runs on this thread, and the call it dies at throws past every frame
// of it, so that nothing after that call runs. The files it still has open are closed then, as
// the system closes a killed program's handles.
struct Killed {};
int callsMade = 0;
int deadlyCall = 0;

struct OpenedFile {
    HANDLE handle;
    DWORD volume, indexHigh, indexLow;
};
std::vector<OpenedFile> openedByWork;

// The files still open under the handles the work was given: a handle it closed may since
// have been given to another file.
void CloseWhatTheWorkLeftOpen() {
    for (const OpenedFile& opened : openedByWork) {
        BY_HANDLE_FILE_INFORMATION info{};
        if (::GetFileInformationByHandle(opened.handle, &info) &&
            info.dwVolumeSerialNumber == opened.volume && info.nFileIndexHigh == opened.indexHigh &&
            info.nFileIndexLow == opened.indexLow) {
            ::CloseHandle(opened.handle);
        }
    }
    openedByWork.clear();
}

void DieIfDue() {
    if (++callsMade == deadlyCall) throw Killed{};
}

void InstallDeadlyCalls() {
    systemCalls.open = [](const wchar_t* path, unsigned long access, unsigned long share,
                          unsigned long disposition, unsigned long flags) {
        DieIfDue();
        HANDLE file = real.open(path, access, share, disposition, flags);
        BY_HANDLE_FILE_INFORMATION info{};
        if (file != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(file, &info)) {
            openedByWork.push_back(
                {file, info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow});
        }
        return file;
    };
    systemCalls.read = [](void* file, void* buffer, unsigned long count, unsigned long* done) {
        DieIfDue();
        return real.read(file, buffer, count, done);
    };
    systemCalls.write = [](void* file, const void* buffer, unsigned long count,
                           unsigned long* done) {
        DieIfDue();
        return real.write(file, buffer, count, done);
    };
    systemCalls.fsync = [](void* file) {
        DieIfDue();
        return real.fsync(file);
    };
    systemCalls.rename = [](const wchar_t* from, const wchar_t* to, unsigned long flags) {
        DieIfDue();
        return real.rename(from, to, flags);
    };
    systemCalls.replace = [](const wchar_t* replaced, const wchar_t* replacement) {
        DieIfDue();
        return real.replace(replaced, replacement);
    };
    systemCalls.link = [](const wchar_t* existing, const wchar_t* name) {
        DieIfDue();
        return real.link(existing, name);
    };
    systemCalls.mkdir = [](const wchar_t* path) {
        DieIfDue();
        return real.mkdir(path);
    };
}

}  // namespace

bool KilledAtCall(int n, const std::function<void()>& work) {
    const SystemCalls saved = systemCalls;
    callsMade = 0;
    deadlyCall = n;
    openedByWork.clear();
    InstallDeadlyCalls();
    bool killed = false;
    try {
        work();
    } catch (const Killed&) {
        killed = true;
        CloseWhatTheWorkLeftOpen();
    }
    openedByWork.clear();
    systemCalls = saved;
    return killed;
}

FailingCall::FailingCall(Call call, int error, std::size_t bytesFirst) : saved_(systemCalls) {
    FaultOf(call) = {WindowsError(error), bytesFirst};
    Install(call);
}

FailingCall::~FailingCall() {
    systemCalls = saved_;
}

ReadOnlyFolder::ReadOnlyFolder(const std::string& nativeFolder) : saved_(systemCalls) {
    protectedFolder = ExistingFolder(nativeFolder);
    systemCalls.open = [](const wchar_t* path, unsigned long access, unsigned long share,
                          unsigned long disposition, unsigned long flags) {
        if (disposition != OPEN_EXISTING && InProtectedFolder(path)) {
            Denied();
            return INVALID_HANDLE_VALUE;
        }
        return real.open(path, access, share, disposition, flags);
    };
    systemCalls.mkdir = [](const wchar_t* path) {
        return InProtectedFolder(path) ? Denied() : real.mkdir(path);
    };
    systemCalls.rename = [](const wchar_t* from, const wchar_t* to, unsigned long flags) {
        return InProtectedFolder(from) || InProtectedFolder(to) ? Denied()
                                                                : real.rename(from, to, flags);
    };
    systemCalls.replace = [](const wchar_t* replaced, const wchar_t* replacement) {
        return InProtectedFolder(replaced) || InProtectedFolder(replacement)
                   ? Denied()
                   : real.replace(replaced, replacement);
    };
}

ReadOnlyFolder::~ReadOnlyFolder() {
    systemCalls = saved_;
}

UnreadableFolder::UnreadableFolder(const std::string& nativeFolder) : saved_(systemCalls) {
    unreadableFolder = ExistingFolder(nativeFolder);
    systemCalls.opendir = [](const wchar_t* pattern, _WIN32_FIND_DATAW* first) -> void* {
        if (ParentOf(pattern) != unreadableFolder) return real.opendir(pattern, first);
        Denied();
        return INVALID_HANDLE_VALUE;
    };
}

UnreadableFolder::~UnreadableFolder() {
    systemCalls = saved_;
}

HeldCall::HeldCall(Call call, int number, std::function<void()> reached) : saved_(systemCalls) {
    hold.number = number;
    hold.calls = 0;
    hold.reached = std::move(reached);
    hold.pathEnding.clear();
    hold.held = false;
    hold.free = false;
    if (call == Call::kOpen) {
        systemCalls.open = [](const wchar_t* path, unsigned long access, unsigned long share,
                              unsigned long disposition, unsigned long flags) {
            std::wstring seen(path);
            std::replace(seen.begin(), seen.end(), L'/', L'\\');
            if (seen.ends_with(hold.pathEnding)) HoldIfDue();
            return real.open(path, access, share, disposition, flags);
        };
    } else if (call == Call::kRead) {
        systemCalls.read = [](void* file, void* buffer, unsigned long count, unsigned long* done) {
            HoldIfDue();
            return real.read(file, buffer, count, done);
        };
    } else if (call == Call::kMap) {
        systemCalls.mmap = [](void* file, std::uint64_t offset, std::size_t length) {
            HoldIfDue();
            return real.mmap(file, offset, length);
        };
        systemCalls.pread = [](void* file, std::uint64_t offset, void* buffer, unsigned long count,
                               unsigned long* done) {
            HoldIfDue();
            return real.pread(file, offset, buffer, count, done);
        };
    } else {
        throw std::invalid_argument("only opens, reads and maps can be held");
    }
}

HeldCall::HeldCall(std::string pathEnding) : HeldCall(Call::kOpen, 1) {
    const std::u16string ending = FromNativePath(pathEnding);
    hold.pathEnding.assign(ending.begin(), ending.end());
    std::replace(hold.pathEnding.begin(), hold.pathEnding.end(), L'/', L'\\');
}

HeldCall::~HeldCall() {
    Release();
    systemCalls = saved_;
}

bool HeldCall::IsHeld() const {
    std::lock_guard lock(hold.mutex);
    return hold.held;
}

void HeldCall::Release() {
    {
        std::lock_guard lock(hold.mutex);
        hold.free = true;
    }
    hold.released.notify_all();
}

}  // namespace tessik::test
