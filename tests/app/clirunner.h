#pragma once

// Runs the built programs (their paths come from the build as ZV_CLI_PATH and ZV_GUI_PATH) and
// collects what they print with their exit code.

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

struct CliRun
{
    std::string out;
    int exitCode = -1;
};

inline std::string ShellQuoted(const std::string &arg)
{
    // Single quotes keep every argument as typed, negative numbers and blanks included.
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs program with args under the shell's command prefix (environment settings); stderr is
// collected with stdout when withErrors is set.
inline CliRun RunProgram(const std::string &prefix, const char *program,
                         const std::vector<std::string> &args, bool withErrors = false)
{
    std::string command = prefix + " " + program;
    for (const auto &a : args)
        command += " " + ShellQuoted(a);
    command += withErrors ? " 2>&1" : " 2>/dev/null";
    CliRun run;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

inline CliRun RunCli(const std::vector<std::string> &args, const char *locale = "C")
{
    return RunProgram(std::string("LC_ALL=") + locale, ZV_CLI_PATH, args);
}
