// zelvora-cli: reads, checks and converts drawings without a window, for scripts and tests.
#include "cli/cli_commands.h"

int main(int argc, char** argv) {
    return RunCli(argc, argv);
}
