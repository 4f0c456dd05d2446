#pragma once
#include <string>
#include <vector>

#include "platform/ip_helper.h"

namespace corvane {

// How one run of the network shell ended.
struct NetShellResult {
    bool started = false;      // false: the command interpreter could not be run
    int exitCode = -1;         // the shell's exit status; -1 when it did not exit normally
    std::string output;        // what it printed, standard output and error together; when it
                               // could not be started, why not
    SysError error = kSuccess; // the system's code for a shell that could not be started

    bool ok() const { return started && exitCode == 0; }
};

// The system's network shell: where it lives, its script file and running it.
class NetShellRunner {
  public:
    virtual ~NetShellRunner() = default;

    // The directory that holds the network shell.
    virtual std::string SystemDirectory() const = 0;
    // The command line that runs the shell on `scriptFile` (named relative to
    // the current directory).
    virtual std::string CommandLine(const std::string& scriptFile) const = 0;

    // Creates or truncates `path` and writes the lines, each followed by the
    // platform's line end. False when the file cannot be written.
    virtual bool WriteScript(const std::string& path, const std::vector<std::string>& lines) = 0;
    virtual void DeleteScript(const std::string& path) = 0;

    // Runs the command line through the system's command interpreter and
    // waits until it ends.
    virtual NetShellResult Run(const std::string& commandLine) = 0;
};

} // namespace corvane
