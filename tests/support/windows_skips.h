#pragma once
// Tests whose fixtures only a POSIX system has (FIFOs, sockets, symbolic links, permission bits,
// a file cut short under a mapping) are skipped on Windows, saying why.

#include <gtest/gtest.h>

#ifdef _WIN32
#define SKIP_ON_WINDOWS(reason) GTEST_SKIP() << "not on Windows: " << (reason)

// Stand-ins that let the fixtures of skipped tests build; they fail, as they never run.
int mkfifo(const char* path, int mode);
int symlink(const char* target, const char* link);
// Windows ignores the permission bits chmod sets for reading, as they are for the superuser.
int geteuid();
#else
#define SKIP_ON_WINDOWS(reason) static_cast<void>(0)
#endif
