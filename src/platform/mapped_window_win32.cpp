#include "platform/mapped_window.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>

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

// Reads `length` bytes from `offset` into the buffer, zeros past the end of the file. Returns
// how many bytes the file held there, or -1 on a read error.
std::int64_t ReadWindow(void* file, std::uint64_t offset, std::uint8_t* buffer,
                        std::size_t length) {
    constexpr std::size_t kLargestRead = std::size_t{1} << 30;
    std::size_t done = 0;
    while (done < length) {
        unsigned long got = 0;
        const auto asked = static_cast<unsigned long>(std::min(length - done, kLargestRead));
        if (!systemCalls.pread(file, offset + done, buffer + done, asked, &got)) {
            if (::GetLastError() == ERROR_HANDLE_EOF) break;
            return -1;
        }
        if (got == 0) break;
        done += got;
    }
    std::memset(buffer + done, 0, length - done);
    return static_cast<std::int64_t>(done);
}

}  // namespace

MappedWindow::~MappedWindow() {
    Unmap();
    if (buffer_ != nullptr) ::VirtualFree(buffer_, 0, MEM_RELEASE);
}

bool MappedWindow::Map(const InputFile& file, std::uint64_t offset, std::size_t length,
                       bool populate) {
    Unmap();
    if (!file.IsOpen() || length == 0 || offset % MappingGranularity() != 0) return false;
    if (populate) {
        if (bufferLength_ < length) {
            if (buffer_ != nullptr) ::VirtualFree(buffer_, 0, MEM_RELEASE);
            buffer_ = ::VirtualAlloc(nullptr, length, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
            bufferLength_ = buffer_ != nullptr ? length : 0;
            if (buffer_ == nullptr) return false;
        }
        const std::int64_t held =
            ReadWindow(file.descriptor_, offset, static_cast<std::uint8_t*>(buffer_), length);
        if (held < 0) return false;
        address_ = buffer_;
        length_ = length;
        readShort_ = static_cast<std::uint64_t>(held) < length;
        return true;
    }
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
    // The system reads ahead of a sequential reader on its own.
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
    if (address_ == buffer_) {
        address_ = nullptr;
        length_ = 0;
        return;
    }
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
    if (address_ != nullptr && address_ == buffer_) return readShort_;
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
