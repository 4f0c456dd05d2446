#pragma once
#include <string>
#include <vector>

namespace corvane::ctl {

using Args = std::vector<std::string>;

// Each subcommand gets the arguments after its name and returns the exit code:
// 0 success, 1 failure, 2 usage error.
struct Command {
    const char* name;
    const char* usage;
    int (*run)(const Args& args);
};

// Prints the usage line of the named subcommand; returns the usage exit code.
int Usage(const char* name);

int Load(const Args& args);
int Script(const Args& args);
int Adapters(const Args& args);
int Interfaces(const Args& args);
int Routes(const Args& args);
int Host(const Args& args);
int Go(const Args& args);
int Renew(const Args& args);
int Ping(const Args& args);
int Lookup(const Args& args);
int System(const Args& args);

} // namespace corvane::ctl
