#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "model/file_io.h"

FILE* CreateNewFile(const char* path) {
    int descriptor = open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (descriptor < 0)
        return nullptr;
    FILE* file = fdopen(descriptor, "wb");
    if (!file)
        close(descriptor);
    return file;
}

bool FlushFileToDisk(FILE* file) {
    return fsync(fileno(file)) == 0;
}

// rename replaces the target atomically; syncing the folder makes the new entry itself durable.
bool MoveFileOver(const char* source, const char* target) {
    if (rename(source, target) != 0)
        return false;
    std::string folder(target);
    size_t slash = folder.find_last_of('/');
    folder = slash == std::string::npos ? "." : folder.substr(0, slash + 1);
    int descriptor = open(folder.c_str(), O_RDONLY);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
    return true;
}
