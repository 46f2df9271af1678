#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

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

uint32_t CurrentProcessId() {
    return static_cast<uint32_t>(getpid());
}

// Signal 0 only asks whether the process exists; one of another user answers EPERM and counts as alive.
bool ProcessIsRunning(uint32_t id) {
    return id == 0 || kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH;
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
    if (!listing)
        return names;
    while (const dirent* entry = readdir(listing))
        names.push_back(entry->d_name);
    closedir(listing);
    return names;
}
