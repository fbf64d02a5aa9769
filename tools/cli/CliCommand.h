// The command table of presetor-cli and the small helpers every command group shares. A group
// registers its commands from its own source file with a static CliRegistration, so adding a
// group never touches the others.
#pragma once

#include "model/Result.h"

#include <map>
#include <string>
#include <vector>

namespace presetor::cli {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // bad input or a failed read or write
constexpr int kExitUsage = 2;   // wrong command line
constexpr int kExitDamaged = 3; // finished, with presets kept that arrived damaged

struct CliArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options; // "--type" -> "lmk4"; flags map to ""
};

struct CliCommand {
    const char* name;    // "to-syx"
    const char* usage;   // "[--bulk] IN.lmk OUT.syx"
    const char* summary; // one line for --help
    // Options the command takes: names with a value ("--type") and flags ("--bulk").
    std::vector<std::string> valueOptions;
    std::vector<std::string> flagOptions;
    std::size_t positionalCount;
    int (*run)(const CliArgs& args);
    // A command that runs in a program of its own next to presetor-cli (it needs libraries the
    // other commands must not load) names that program here and has no run function; the words
    // after the command name are handed to it unparsed: "<helper> <name> <words...>".
    const char* helper = nullptr;
};

// Adds commands to the table at program start: `static const CliRegistration reg{{...}};`.
struct CliRegistration {
    explicit CliRegistration(std::vector<CliCommand> commands);
};

// The table in registration order.
const std::vector<CliCommand>& Commands();

// Prints "presetor-cli: <message>" on stderr and returns kExitFailed. With a file given, the
// message is prefixed with it unless it already names it.
int Fail(const std::string& message);
int Fail(const std::string& file, const Result& result);

// "lmk3" or "lmk4" to a keyboard type; 0 for anything else.
int ParseKeyboardType(const std::string& text);

} // namespace presetor::cli
