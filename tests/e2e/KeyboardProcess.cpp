// Starting, reading and stopping the child processes of the end-to-end tests.
#include "KeyboardProcess.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace presetor::e2e {

namespace {

std::atomic<int> counter{0};

// fork + exec with stdout (and optionally stderr) to pipes; returns the pid.
pid_t Spawn(const std::vector<std::string>& argv, int* outFd, int* errFd) {
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    if (pipe(out) != 0 || (errFd != nullptr && pipe(err) != 0)) {
        return -1;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        if (errFd != nullptr) {
            dup2(err[1], STDERR_FILENO);
        }
        close(out[0]);
        close(out[1]);
        if (errFd != nullptr) {
            close(err[0]);
            close(err[1]);
        }
        std::vector<char*> args;
        for (const auto& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    *outFd = out[0];
    if (errFd != nullptr) {
        close(err[1]);
        *errFd = err[0];
    }
    return pid;
}

std::string ReadAll(int fd) {
    std::string text;
    char buf[4096];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) {
        text.append(buf, static_cast<std::size_t>(n));
    }
    return text;
}

} // namespace

std::string KeyboardProcess::FreshName() {
    return "e2evk" + std::to_string(getpid()) + "n" + std::to_string(counter++);
}

KeyboardProcess::KeyboardProcess(const std::vector<std::string>& options)
    : KeyboardProcess(options, FreshName()) {}

KeyboardProcess::KeyboardProcess(const std::vector<std::string>& options, const std::string& name) {
    name_ = name;
    std::vector<std::string> argv{PRESETOR_VKEYBOARD, "--api", "jack", "--name", name_};
    argv.insert(argv.end(), options.begin(), options.end());
    pid_ = Spawn(argv, &fd_, nullptr);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!ready_ && pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
        if (!ReadLines(200)) {
            break;
        }
        for (const auto& l : lines_) {
            ready_ = ready_ || l.rfind("ready " + name_, 0) == 0;
        }
    }
}

KeyboardProcess::~KeyboardProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        for (int i = 0; i < 50; ++i) {
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            usleep(100000);
        }
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
        }
    }
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool KeyboardProcess::ReadLines(int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    const int r = poll(&p, 1, timeoutMs);
    if (r <= 0) {
        return r == 0; // timeout: still alive
    }
    char buf[4096];
    const ssize_t n = read(fd_, buf, sizeof buf);
    if (n <= 0) {
        return false; // the program ended
    }
    partial_.append(buf, static_cast<std::size_t>(n));
    std::size_t nl;
    while ((nl = partial_.find('\n')) != std::string::npos) {
        lines_.push_back(partial_.substr(0, nl));
        partial_.erase(0, nl + 1);
    }
    return true;
}

bool KeyboardProcess::WaitForLine(const std::string& line, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t seen = 0;
    for (;;) {
        for (; seen < lines_.size(); ++seen) {
            if (lines_[seen] == line) {
                return true;
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0 || !ReadLines(static_cast<int>(left))) {
            return false;
        }
    }
}

const std::vector<std::string>& KeyboardProcess::Lines() {
    while (ReadLines(0) && fd_ >= 0) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, 0) <= 0) {
            break;
        }
    }
    return lines_;
}

int RunCli(const std::vector<std::string>& args, std::string* errorText, std::string* outputText) {
    std::vector<std::string> argv{PRESETOR_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    int outFd = -1;
    int errFd = -1;
    const pid_t pid = Spawn(argv, &outFd, &errFd);
    if (pid <= 0) {
        return -1;
    }
    // The CLI prints little; its pipes are read after it ends.
    int status = 0;
    waitpid(pid, &status, 0);
    const std::string out = ReadAll(outFd);
    const std::string err = ReadAll(errFd);
    if (outputText != nullptr) {
        *outputText = out;
    }
    close(outFd);
    close(errFd);
    if (errorText != nullptr) {
        *errorText = err;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool JackConfigured() {
    const char* server = std::getenv("JACK_DEFAULT_SERVER");
    return server != nullptr && *server != '\0';
}

} // namespace presetor::e2e
