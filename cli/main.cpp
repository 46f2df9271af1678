// zelvora-cli: reads, checks and converts drawings without a window, for scripts and tests.
#include <cstdio>
#include <new>

#include "cli/cli_commands.h"

// The calculation ends a run that runs out of memory by itself; this is the last net for the rest.
int main(int argc, char** argv) {
    try {
        return RunCli(argc, argv);
    } catch (const std::bad_alloc&) {
        fputs("zelvora-cli: out of memory\n", stderr);
        return ExitFailure;
    }
}
