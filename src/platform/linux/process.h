#pragma once
#include <string>
#include <vector>

#include "platform/ip_helper.h"

namespace corvane::linux_backend {

struct ProcessOptions {
    int timeoutMs = -1;         // < 0: wait until it ends
    bool killOnTimeout = true;  // else it is left running when the time is up
    bool captureOutput = false; // else standard output and error go to /dev/null
};

struct ProcessResult {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;  // -1 when killed by a signal or still running
    SysError error = 0; // why it could not be started
    std::string output;
};

// Runs argv (argv[0] searched in the usual system directories, then PATH)
// with standard input from /dev/null, in a process group of its own.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// Whether a program of that name can be found as RunProcess would.
bool ProgramExists(const std::string& name);

// Ends a process we started or found for a connection: SIGTERM, then SIGKILL
// when it has not gone within `graceMs`.
void StopProcess(int pid, int graceMs = 2000);

} // namespace corvane::linux_backend
