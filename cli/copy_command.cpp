#include <cstdio>

#include "cli/cli_commands.h"
#include "model/drawing_file.h"

// Reads a drawing and writes it back: the file format's round trip, also a way to bring a file
// of another format byte to the current one.
int CopyCommand(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: zelvora-cli copy IN.Zlv OUT.Zlv\n");
        return ExitUsage;
    }
    Drawing source;
    if (!LoadDrawing(argv[0], &source))
        return ExitCannotRead;
    FileError error = WriteDrawingFile(argv[1], source);
    if (error != FileError::None) {
        fprintf(stderr, "Error to write file\nzelvora-cli: %s: %s\n", argv[1], FileErrorText(error));
        return ExitCannotWrite;
    }
    return ExitSuccess;
}
