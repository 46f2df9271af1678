// The commands of zelvora-cli. Each takes its own arguments (after the command word) and returns the
// process exit status.
#pragma once

#include <cstdint>

enum ExitStatus {
    ExitSuccess = 0,
    ExitFailure = 1,
    ExitCannotRead = 2,
    ExitCannotWrite = 3,
    ExitUsage = 64,
};

// The whole tool: argv[0] is the program, argv[1] the command word.
int RunCli(int argc, char** argv);

int InfoCommand(int argc, char** argv);
int CopyCommand(int argc, char** argv);
int CalcCommand(int argc, char** argv);
int SvgCommand(int argc, char** argv);
int SimpleCommand(int argc, char** argv);
int ImportCommand(int argc, char** argv);
int OutlineCommand(int argc, char** argv);
int AssessCommand(int argc, char** argv);
int ReportCommand(int argc, char** argv);

// Reads path into target with the file's own options applied; on failure tells why on standard error.
bool LoadDrawing(const char* path, struct Drawing* target, uint8_t* format = nullptr);

// The shortest decimal text that reads back as the same double.
const char* ShortestText(double value, char (&buffer)[32]);
