#include "support/system_call_faults.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace tessik::test {
namespace {

// What the active FailingCall of each kind asks for.
struct ActiveFault {
    int error = 0;
    std::size_t bytesLeft = 0;
};
ActiveFault faults[6];

ActiveFault& FaultOf(Call call) {
    return faults[static_cast<int>(call)];
}

int Fail(Call call) {
    errno = FaultOf(call).error;
    return -1;
}

// Passes at most the bytes left of the budget, then fails.
template <typename Buffer, typename Transfer>
ssize_t Metered(Call call, int fd, Buffer buffer, std::size_t count, Transfer transfer) {
    ActiveFault& fault = FaultOf(call);
    if (fault.bytesLeft == 0) return Fail(call);
    const ssize_t done = transfer(fd, buffer, std::min(count, fault.bytesLeft));
    if (done > 0) fault.bytesLeft -= static_cast<std::size_t>(done);
    return done;
}

void Install(Call call) {
    switch (call) {
        case Call::kOpen:
            systemCalls.open = [](const char*, int, mode_t) { return Fail(Call::kOpen); };
            break;
        case Call::kRead:
            systemCalls.read = [](int fd, void* buffer, std::size_t count) {
                return Metered(Call::kRead, fd, buffer, count, ::read);
            };
            break;
        case Call::kWrite:
            systemCalls.write = [](int fd, const void* buffer, std::size_t count) {
                return Metered(Call::kWrite, fd, buffer, count, ::write);
            };
            break;
        case Call::kFsync:
            systemCalls.fsync = [](int) { return Fail(Call::kFsync); };
            break;
        case Call::kRename:
            systemCalls.rename = [](const char*, const char*) { return Fail(Call::kRename); };
            break;
        case Call::kMap:
            systemCalls.mmap = [](void* address, std::size_t length, int protection, int flags,
                                  int fd, off_t offset) {
                // Windows may be mapped on several threads at once.
                static std::mutex budget;
                const std::lock_guard lock(budget);
                ActiveFault& fault = FaultOf(Call::kMap);
                if (length > fault.bytesLeft) {
                    errno = fault.error;
                    return MAP_FAILED;
                }
                fault.bytesLeft -= length;
                return ::mmap(address, length, protection, flags, fd, offset);
            };
            break;
    }
}

// The folders the ReadOnlyFolder and the UnreadableFolder in force protect, resolved through
// links.
std::string protectedFolder;
std::string unreadableFolder;

std::string Resolved(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return {};
    std::string result(resolved);
    std::free(resolved);
    return result;
}

// The folder itself, resolved; a folder that must exist for the test to mean anything.
std::string ExistingFolder(const std::string& nativeFolder) {
    std::string resolved = Resolved(nativeFolder);
    if (resolved.empty()) throw std::invalid_argument("no such folder: " + nativeFolder);
    return resolved;
}

// True when the path names an entry directly inside the protected folder.
bool InProtectedFolder(const char* path) {
    std::string parent(path);
    while (parent.size() > 1 && parent.back() == '/') parent.pop_back();
    const std::size_t cut = parent.rfind('/');
    parent = cut == std::string::npos ? "." : parent.substr(0, std::max<std::size_t>(cut, 1));
    return Resolved(parent) == protectedFolder;
}

int Denied() {
    errno = EACCES;
    return -1;
}

// What the HeldCall in force waits for.
struct Hold {
    int number = 0;
    std::atomic<int> calls{0};
    std::function<void()> reached;
    std::string pathEnding;  // opens of other paths do not count when set
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

}  // namespace

FailingCall::FailingCall(Call call, int error, std::size_t bytesFirst) : saved_(systemCalls) {
    FaultOf(call) = {error, bytesFirst};
    Install(call);
}

FailingCall::~FailingCall() {
    systemCalls = saved_;
}

ReadOnlyFolder::ReadOnlyFolder(const std::string& nativeFolder) : saved_(systemCalls) {
    protectedFolder = ExistingFolder(nativeFolder);
    systemCalls.open = [](const char* path, int flags, mode_t mode) {
        if ((flags & O_CREAT) != 0 && InProtectedFolder(path)) return Denied();
        return ::open(path, flags, mode);
    };
    systemCalls.mkdir = [](const char* path, mode_t mode) {
        return InProtectedFolder(path) ? Denied() : ::mkdir(path, mode);
    };
    systemCalls.rename = [](const char* from, const char* to) {
        return InProtectedFolder(from) || InProtectedFolder(to) ? Denied() : std::rename(from, to);
    };
}

ReadOnlyFolder::~ReadOnlyFolder() {
    systemCalls = saved_;
}

UnreadableFolder::UnreadableFolder(const std::string& nativeFolder) : saved_(systemCalls) {
    unreadableFolder = ExistingFolder(nativeFolder);
    systemCalls.opendir = [](const char* path) -> DIR* {
        if (Resolved(path) != unreadableFolder) return ::opendir(path);
        Denied();
        return nullptr;
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
        systemCalls.open = [](const char* path, int flags, mode_t mode) {
            if (std::string_view(path).ends_with(hold.pathEnding)) HoldIfDue();
            return ::open(path, flags, mode);
        };
    } else if (call == Call::kRead) {
        systemCalls.read = [](int fd, void* buffer, std::size_t count) {
            HoldIfDue();
            return ::read(fd, buffer, count);
        };
    } else {
        throw std::invalid_argument("only opens and reads can be held");
    }
}

HeldCall::HeldCall(std::string pathEnding) : HeldCall(Call::kOpen, 1) {
    hold.pathEnding = std::move(pathEnding);
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
