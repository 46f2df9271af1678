#include "tests/cli_run.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "cli/cli_commands.h"

CliRun RunTool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "zelvora-cli");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int status = RunCli(static_cast<int>(arguments.size()), argv.data());
    fflush(stdout);
    fflush(stderr);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    return {status, out, err};
}
