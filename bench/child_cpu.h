// The CPU time of a benchmark's child process, which the other work of a
// shared machine disturbs less than the wall time.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>

namespace bench {

// Waits for `pid` (a fork's result) and gives its CPU time, user and system,
// in ms; negative when the fork failed or the child did not exit with 0.
inline double waited_cpu_ms(pid_t pid) {
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1.0;
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

} // namespace bench
