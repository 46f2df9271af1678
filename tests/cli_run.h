// zelvora-cli run inside the test process, as a script would run it, with what it printed.
#pragma once

#include <string>
#include <vector>

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// The arguments after the program's name.
CliRun RunTool(std::vector<std::string> arguments);
