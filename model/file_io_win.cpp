#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdio>

#include "model/file_io.h"

FILE* CreateNewFile(const char* path) {
    int descriptor = _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0)
        return nullptr;
    FILE* file = _fdopen(descriptor, "wb");
    if (!file)
        _close(descriptor);
    return file;
}

bool FlushFileToDisk(FILE* file) {
    return _commit(_fileno(file)) == 0;
}

// A plain rename refuses to replace an existing file on Windows; MoveFileEx does it in one step.
bool MoveFileOver(const char* source, const char* target) {
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
