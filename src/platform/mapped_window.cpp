#include "platform/mapped_window.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/mapping_guards.h"
#include "platform/system_calls.h"

namespace tessik {
namespace {

// Read by the handler, so set once before it is installed.
std::size_t pageSize = 4096;
struct sigaction previousBusAction {};

// Puts a private page of zeros where the faulting page was. The raw system call, because the
// library's mmap may be wrapped by a sanitizer, which a signal handler must not enter.
bool ZeroPageAt(std::uintptr_t address) {
    const std::uintptr_t page = address & ~(std::uintptr_t{pageSize} - 1);
    const long mapped = ::syscall(SYS_mmap, page, pageSize, PROT_READ,
                                  MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    return mapped == static_cast<long>(page);
}

// A fault that is not ours goes where it would have gone without this handler.
void PassOn(int signal, siginfo_t* info, void* context) {
    if ((previousBusAction.sa_flags & SA_SIGINFO) != 0) {
        previousBusAction.sa_sigaction(signal, info, context);
    } else if (previousBusAction.sa_handler != SIG_DFL && previousBusAction.sa_handler != SIG_IGN) {
        previousBusAction.sa_handler(signal);
    } else {
        // Returning repeats the faulting access, which now meets the default action.
        ::signal(SIGBUS, SIG_DFL);
    }
}

void OnBusError(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (MappingGuard& guard : mappingGuards) {
        if (address < guard.begin.load(std::memory_order_acquire) ||
            address >= guard.end.load(std::memory_order_acquire)) {
            continue;
        }
        if (ZeroPageAt(address)) {
            guard.vanished.store(true, std::memory_order_relaxed);
            errno = savedErrno;
            return;
        }
        break;
    }
    errno = savedErrno;
    PassOn(signal, info, context);
}

// Installed once, before the first window is mapped; false if the handler could not be.
bool HandlerInstalled() {
    static const bool installed = [] {
        pageSize = MappingGranularity();
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESTART;
        sigemptyset(&action.sa_mask);
        return ::sigaction(SIGBUS, &action, &previousBusAction) == 0;
    }();
    return installed;
}

}  // namespace

MappedWindow::~MappedWindow() {
    Unmap();
}

bool MappedWindow::Map(const InputFile& file, std::uint64_t offset, std::size_t length,
                       bool populate) {
    Unmap();
    if (file.descriptor_ < 0 || length == 0 || offset % MappingGranularity() != 0) return false;
    if (!HandlerInstalled()) return false;
    const int guard = TakeMappingGuard();
    if (guard < 0) return false;
    const int flags = MAP_SHARED | (populate ? MAP_POPULATE : 0);
    void* address = systemCalls.mmap(nullptr, length, PROT_READ, flags, file.descriptor_,
                                     static_cast<off_t>(offset));
    if (address == MAP_FAILED) {
        mappingGuards[guard].taken.store(false);
        return false;
    }
    ::madvise(address, length, MADV_SEQUENTIAL);
    MappingGuard& entry = mappingGuards[guard];
    entry.vanished.store(false, std::memory_order_relaxed);
    // The last page is mapped whole, so the part of it beyond `length` can fault too.
    const auto begin = reinterpret_cast<std::uintptr_t>(address);
    const std::size_t pages = (length + pageSize - 1) / pageSize;
    entry.begin.store(begin, std::memory_order_release);
    entry.end.store(begin + pages * pageSize, std::memory_order_release);
    address_ = address;
    length_ = length;
    guard_ = guard;
    return true;
}

void MappedWindow::Unmap() {
    if (address_ == nullptr) return;
    MappingGuard& entry = mappingGuards[guard_];
    entry.end.store(0, std::memory_order_release);
    entry.begin.store(0, std::memory_order_release);
    ::munmap(address_, length_);
    entry.taken.store(false, std::memory_order_release);
    address_ = nullptr;
    length_ = 0;
    guard_ = -1;
}

bool MappedWindow::PagesVanished() const {
    return guard_ >= 0 && mappingGuards[guard_].vanished.load(std::memory_order_relaxed);
}

std::size_t MappingGranularity() {
    static const std::size_t granularity = [] {
        const long size = ::sysconf(_SC_PAGESIZE);
        return size > 0 ? static_cast<std::size_t>(size) : std::size_t{4096};
    }();
    return granularity;
}

}  // namespace tessik
