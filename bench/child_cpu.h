// The CPU time of a benchmark's child process, which the other work of a
// shared machine disturbs less than the wall time, and the median of the
// rounds such runs are taken in.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

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

// Runs the program args[0] with `args` and the variables `env` added to its
// environment, its output thrown away, and gives its CPU time in ms;
// negative when it failed.
using Environment = std::vector<std::pair<std::string, std::string>>;
inline double program_cpu_ms(const std::vector<std::string>& args, const Environment& env = {}) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        for (const auto& [name, value] : env)
            setenv(name.c_str(), value.c_str(), 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return waited_cpu_ms(pid);
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace bench
