#include "platform/system_calls.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>

namespace tessik {

SystemCalls systemCalls = {
    // open is variadic, so it is reached through a fixed-signature forwarder.
    [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
    ::read,
    ::write,
    ::fsync,
    std::rename,
    ::link,
    ::mkdir,
    ::opendir,
    ::readdir,
    ::mmap,
};

}  // namespace tessik
