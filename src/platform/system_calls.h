#pragma once
// The system calls through which the platform layer reads and writes files and lists folders. They
// go through this table so that tests can make one of them fail where the machine would not (the
// test runner may be root, whom permissions do not stop). The program itself never changes it.

#ifdef _WIN32
#include "platform/system_calls_win32.h"
#else

#include <dirent.h>
#include <sys/types.h>
#include <cstddef>

namespace tessik {

struct SystemCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*read)(int fd, void* buffer, std::size_t count);
    ssize_t (*write)(int fd, const void* buffer, std::size_t count);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*link)(const char* existing, const char* name);
    int (*mkdir)(const char* path, mode_t mode);
    DIR* (*opendir)(const char* path);
    dirent* (*readdir)(DIR* folder);
    void* (*mmap)(void* address, std::size_t length, int protection, int flags, int fd,
                  off_t offset);
};

// Starts out as the real calls. Replaced only while no other thread uses it.
extern SystemCalls systemCalls;

}  // namespace tessik

#endif
