// Runs a command and prints to standard error the processor time it took, all its threads' user
// and system time together, in microseconds: how bench/compare.sh's processor-time mode measures
// the peers, finer than the hundredths /usr/bin/time reports.
//
//   tessik_processor_time COMMAND [ARGUMENT...]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s COMMAND [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const pid_t child = ::fork();
    if (child < 0) return 2;
    if (child == 0) {
        ::execvp(argv[1], argv + 1);
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child) return 2;
    const auto microseconds = [](const timeval& t) { return t.tv_sec * 1000000L + t.tv_usec; };
    std::fprintf(stderr, "processor time: %ld microseconds\n",
                 microseconds(usage.ru_utime) + microseconds(usage.ru_stime));
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}
