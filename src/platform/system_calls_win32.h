#pragma once
// The Windows calls behind the table of system_calls.h. Each fails as the call it stands for
// does, with its cause in GetLastError(). Plain types stand in for the Windows ones (a handle is
// a void*, a DWORD an unsigned long, a BOOL an int) so that windows.h stays out of this header.

#include <cstddef>
#include <cstdint>

struct _WIN32_FIND_DATAW;

namespace tessik {

struct SystemCalls {
    // CreateFileW; the invalid handle value on failure.
    void* (*open)(const wchar_t* path, unsigned long access, unsigned long share,
                  unsigned long disposition, unsigned long flags);
    int (*read)(void* file, void* buffer, unsigned long count, unsigned long* done);
    int (*write)(void* file, const void* buffer, unsigned long count, unsigned long* done);
    int (*fsync)(void* file);                                                    // FlushFileBuffers
    int (*rename)(const wchar_t* from, const wchar_t* to, unsigned long flags);  // MoveFileExW
    // ReplaceFileW: the replacement takes the replaced file's place, attributes and security.
    int (*replace)(const wchar_t* replaced, const wchar_t* replacement);
    int (*link)(const wchar_t* existing, const wchar_t* name);           // CreateHardLinkW
    int (*mkdir)(const wchar_t* path);                                   // CreateDirectoryW
    void* (*opendir)(const wchar_t* pattern, _WIN32_FIND_DATAW* first);  // FindFirstFileW
    int (*readdir)(void* search, _WIN32_FIND_DATAW* next);               // FindNextFileW
    // A read-only view of `length` bytes of the file from `offset`; nullptr on failure.
    void* (*mmap)(void* file, std::uint64_t offset, std::size_t length);
    // ReadFile from `offset`, wherever the file is positioned; the position then moves.
    int (*pread)(void* file, std::uint64_t offset, void* buffer, unsigned long count,
                 unsigned long* done);
};

// Starts out as the real calls. Replaced only while no other thread uses it.
extern SystemCalls systemCalls;

}  // namespace tessik
