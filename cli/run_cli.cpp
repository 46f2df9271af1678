#include <cstdio>
#include <cstring>

#include "cli/cli_commands.h"

namespace {

const char UsageText[] =
    "usage: zelvora-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Reads, checks and converts Zelvora drawings (.Zlv files) without opening a window.\n"
    "\n"
    "Commands:\n"
    "  info FILE.Zlv        Print the drawing's format byte, draw and calculation options, polygon\n"
    "                       and vertex counts, whether every polygon is valid for the calculation,\n"
    "                       whether the polygons form one footprint, and the number of separate\n"
    "                       outer contours; then one line per polygon with its index, name,\n"
    "                       priority (1..10) and vertex count, separated by tabs.\n"
    "  copy IN.Zlv OUT.Zlv  Read a drawing and write it to another file. The output is replaced in\n"
    "                       one step, so an existing OUT.Zlv is never left half-written.\n"
    "  help, --help         Print this text.\n"
    "\n"
    "Exit status:\n"
    "  0   success\n"
    "  2   a file cannot be read or is not a valid drawing (\"Error to opening file\")\n"
    "  3   a file cannot be written (\"Error to write file\")\n"
    "  64  the command line is wrong\n";

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
};

const Command Commands[] = {
    {"info", InfoCommand},
    {"copy", CopyCommand},
};

}  // namespace

int RunCli(int argc, char** argv) {
    if (argc >= 2 && (!strcmp(argv[1], "help") || !strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
        fputs(UsageText, stdout);
        return ExitSuccess;
    }
    if (argc >= 2)
        for (const Command& command : Commands)
            if (!strcmp(argv[1], command.name))
                return command.run(argc - 2, argv + 2);
    if (argc >= 2)
        fprintf(stderr, "zelvora-cli: unknown command '%s'\n\n", argv[1]);
    fputs(UsageText, stderr);
    return ExitUsage;
}
