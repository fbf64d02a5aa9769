// bench-run-timed: runs a program to its end and prints "SECONDS PEAK_KB STATUS": the time from
// starting it to its exit, its peak resident memory and its exit status. A small launcher, so
// the peak memory is the program's own and not that of a big parent process (the peak a process
// reports includes the memory of the process it was started from until it replaced itself).
// Usage: bench-run-timed STDOUT_FILE STDERR_FILE PROGRAM [ARGS...]
#include <chrono>
#include <cstdio>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "Usage: bench-run-timed STDOUT_FILE STDERR_FILE PROGRAM [ARGS...]\n");
        return 2;
    }
    const int out = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0) {
        std::perror("bench-run-timed");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    if (pid < 0) {
        std::perror("bench-run-timed");
        return 2;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.6f %ld %d\n", seconds, usage.ru_maxrss,
                WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    return 0;
}
