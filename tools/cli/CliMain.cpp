// presetor-cli: finds the command in the table, parses its options and runs it.
#include "CliCommand.h"
#include "model/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace presetor::cli {

namespace {

std::vector<CliCommand>& Table() {
    static std::vector<CliCommand> table;
    return table;
}

void PrintExitStatus(std::FILE* to) {
    std::fprintf(to, "\nExit status: 0 done, 1 failed (nothing written), 2 wrong command line,\n"
                     "3 finished with damaged presets kept (receive --keep-damaged).\n");
}

void PrintUsage(std::FILE* to) {
    std::fprintf(to, "Usage: presetor-cli COMMAND [ARGS]\n\nCommands:\n");
    for (const CliCommand& c : Commands())
        std::fprintf(to, "  %s %s\n      %s\n", c.name, c.usage, c.summary);
    std::fprintf(to, "  --help\n      Show this text.\n");
    PrintExitStatus(to);
}

int UsageError(const CliCommand& c, const std::string& what) {
    std::fprintf(stderr, "presetor-cli: %s\nUsage: presetor-cli %s %s\n", what.c_str(), c.name,
                 c.usage);
    return kExitUsage;
}

bool Contains(const std::vector<std::string>& list, const std::string& s) {
    return std::find(list.begin(), list.end(), s) != list.end();
}

// Where the command's own program is: next to this one (a build folder), else in the installed
// private folder (../lib/presetor); by name on the PATH when this program's place is unknown.
std::string HelperProgram(const char* helper) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return helper;
    const std::filesystem::path beside = self.parent_path() / helper;
    if (std::filesystem::exists(beside, error))
        return beside.string();
    return (self.parent_path().parent_path() / "lib" / "presetor" / helper).string();
}

// Replaces this process with the command's own program.
int RunHelper(const CliCommand& c, const std::vector<std::string>& words) {
    const std::string program = HelperProgram(c.helper);
    std::vector<std::string> strings{program, c.name};
    strings.insert(strings.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    std::fflush(stdout);
    execvp(argv[0], argv.data());
    return Fail(std::string("the ") + c.name + " command needs " + program + ": " +
                std::strerror(errno));
}

int RunCommand(const CliCommand& c, const std::vector<std::string>& words) {
    if (c.helper)
        return RunHelper(c, words);
    CliArgs args;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() < 2 || w.compare(0, 2, "--") != 0 || w == "--") {
            args.positional.push_back(w);
            continue;
        }
        if (w == "--help") {
            std::printf("Usage: presetor-cli %s %s\n    %s\n", c.name, c.usage, c.summary);
            PrintExitStatus(stdout);
            return kExitOk;
        }
        const std::size_t eq = w.find('=');
        const std::string name = w.substr(0, eq);
        if (Contains(c.flagOptions, name) && eq == std::string::npos) {
            args.options[name] = "";
        } else if (Contains(c.valueOptions, name)) {
            if (eq != std::string::npos)
                args.options[name] = w.substr(eq + 1);
            else if (i + 1 < words.size())
                args.options[name] = words[++i];
            else
                return UsageError(c, "option " + name + " needs a value");
        } else {
            return UsageError(c, "unknown option " + w);
        }
    }
    if (args.positional.size() != c.positionalCount)
        return UsageError(c, "expected " + std::to_string(c.positionalCount) +
                                 " file argument(s), got " +
                                 std::to_string(args.positional.size()));
    return c.run(args);
}

} // namespace

CliRegistration::CliRegistration(std::vector<CliCommand> commands) {
    for (CliCommand& c : commands)
        Table().push_back(std::move(c));
}

const std::vector<CliCommand>& Commands() {
    return Table();
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "presetor-cli: %s\n", message.c_str());
    return kExitFailed;
}

int Fail(const std::string& file, const Result& result) {
    if (result.message().find(file) != std::string::npos)
        return Fail(result.message());
    return Fail(file + ": " + result.message());
}

int ParseKeyboardType(const std::string& text) {
    if (text == "lmk3")
        return 3;
    if (text == "lmk4")
        return 4;
    return 0;
}

} // namespace presetor::cli

int main(int argc, char** argv) {
    using namespace presetor::cli;
    presetor::ReportFileSizeLimitAsError();
    std::vector<std::string> words(argv + std::min(argc, 1), argv + argc);
    if (words.empty()) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        PrintUsage(stdout);
        return kExitOk;
    }
    for (const CliCommand& c : Commands())
        if (words[0] == c.name)
            return RunCommand(c, std::vector<std::string>(words.begin() + 1, words.end()));
    std::fprintf(stderr, "presetor-cli: unknown command '%s'\n", words[0].c_str());
    PrintUsage(stderr);
    return kExitUsage;
}
