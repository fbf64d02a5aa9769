// Child processes of the end-to-end tests: the virtual keyboard program on its JACK ports
// (stopped by process id when the object goes, also when a test fails) and one-shot runs of
// presetor-cli.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace presetor::e2e {

class KeyboardProcess {
public:
    // Starts presetor-vkeyboard with a fresh port name and the given options ("--type",
    // "lmk4", "--echo", ...) and waits for it to report its ports. Check Ready().
    explicit KeyboardProcess(const std::vector<std::string>& options);
    // The same with a given port name: a keyboard that comes back under its old name.
    KeyboardProcess(const std::vector<std::string>& options, const std::string& name);
    static std::string FreshName();
    const std::string& Name() const { return name_; }
    ~KeyboardProcess();
    KeyboardProcess(const KeyboardProcess&) = delete;
    KeyboardProcess& operator=(const KeyboardProcess&) = delete;

    bool Ready() const { return ready_; }
    // The ports as the editor sees them: the keyboard's output is our input.
    std::string InPort() const { return name_ + ":out"; }
    std::string OutPort() const { return name_ + "-in:in"; }
    // Waits until the program has reported a line equal to line (e.g. "stored 127"), at most
    // timeoutMs. True when it came.
    bool WaitForLine(const std::string& line, int timeoutMs);
    // Every line reported so far.
    const std::vector<std::string>& Lines();
    // Forgets the lines reported so far (the next WaitForLine looks only at new ones).
    void ClearLines() {
        Lines();
        lines_.clear();
    }

private:
    bool ReadLines(int timeoutMs);

    std::string name_;
    pid_t pid_ = -1;
    int fd_ = -1;
    bool ready_ = false;
    std::string partial_;
    std::vector<std::string> lines_;
};

// Runs presetor-cli with args; returns its exit status (-1 when it did not end normally).
// Its standard error goes to *errorText when given.
int RunCli(const std::vector<std::string>& args, std::string* errorText = nullptr,
           std::string* outputText = nullptr);

// True when JACK_DEFAULT_SERVER names a server (scripts/test starts one).
bool JackConfigured();

} // namespace presetor::e2e
