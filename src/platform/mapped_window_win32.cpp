#include "platform/mapped_window.h"

#include <windows.h>

#include <atomic>

#include "platform/mapping_guards.h"
#include "platform/system_calls.h"

namespace tessik {
namespace {

// A page that could not be brought in (the file was cut short or its network share went away)
// raises an in-page error. The whole view makes way for zeros at the same address, which the
// faulting read then finds: a view cannot be replaced page by page.
LONG CALLBACK OnException(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode != EXCEPTION_IN_PAGE_ERROR || record.NumberParameters < 2) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    const auto address = static_cast<std::uintptr_t>(record.ExceptionInformation[1]);
    for (MappingGuard& guard : mappingGuards) {
        const std::uintptr_t begin = guard.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = guard.end.load(std::memory_order_acquire);
        if (address < begin || address >= end) continue;
        if (guard.vanished.load(std::memory_order_relaxed)) break;
        auto* base = reinterpret_cast<void*>(begin);
        if (!::UnmapViewOfFile(base)) break;
        if (::VirtualAlloc(base, end - begin, MEM_RESERVE | MEM_COMMIT, PAGE_READONLY) != base) {
            break;
        }
        guard.vanished.store(true, std::memory_order_relaxed);
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Installed once, before the first window is mapped; false if the handler could not be.
bool HandlerInstalled() {
    static const bool installed = ::AddVectoredExceptionHandler(1, OnException) != nullptr;
    return installed;
}

}  // namespace

MappedWindow::~MappedWindow() {
    Unmap();
}

bool MappedWindow::Map(const InputFile& file, std::uint64_t offset, std::size_t length,
                       bool populate) {
    Unmap();
    if (!file.IsOpen() || length == 0 || offset % MappingGranularity() != 0) return false;
    if (!HandlerInstalled()) return false;
    const int guard = TakeMappingGuard();
    if (guard < 0) return false;
    void* address = systemCalls.mmap(file.descriptor_, offset, length);
    if (address == nullptr) {
        mappingGuards[guard].taken.store(false);
        return false;
    }
    MappingGuard& entry = mappingGuards[guard];
    entry.vanished.store(false, std::memory_order_relaxed);
    // Otherwise the system reads ahead of a sequential reader on its own.
    if (populate) {
        WIN32_MEMORY_RANGE_ENTRY range{address, length};
        ::PrefetchVirtualMemory(::GetCurrentProcess(), 1, &range, 0);
    }
    const auto begin = reinterpret_cast<std::uintptr_t>(address);
    entry.begin.store(begin, std::memory_order_release);
    entry.end.store(begin + length, std::memory_order_release);
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
    if (entry.vanished.load(std::memory_order_relaxed)) {
        ::VirtualFree(address_, 0, MEM_RELEASE);
    } else {
        ::UnmapViewOfFile(address_);
    }
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
        SYSTEM_INFO info{};
        ::GetSystemInfo(&info);
        return static_cast<std::size_t>(info.dwAllocationGranularity);
    }();
    return granularity;
}

}  // namespace tessik
