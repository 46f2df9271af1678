#include <io.h>
#include <windows.h>

#include <cstdio>

#include "model/file_io.h"

bool FlushFileToDisk(FILE* file) {
    return _commit(_fileno(file)) == 0;
}

// A plain rename refuses to replace an existing file on Windows; MoveFileEx does it in one step.
bool MoveFileOver(const char* source, const char* target) {
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
