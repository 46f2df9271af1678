#include "model/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <random>

FileWriteFn fileWrite = fwrite;

namespace {

constexpr size_t ShortestTemporaryName = 6;  // '~' and five digits: a million names to choose from
constexpr size_t LongestTemporaryName = 16;
constexpr int TemporaryNameTries = 100;

size_t FileSizeHint(FILE* file) {
    if (fseek(file, 0, SEEK_END) != 0)
        return 0;
    long size = ftell(file);
    rewind(file);
    return size > 0 ? static_cast<size_t>(size) : 0;
}

}  // namespace

bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes) {
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    bytes->clear();
    uint8_t chunk[64 * 1024];
    size_t got;
    bool ok = true;
    try {
        bytes->reserve(FileSizeHint(file));  // one allocation of the right size, not a doubling series
        while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes->insert(bytes->end(), chunk, chunk + got);
        ok = !ferror(file);
    } catch (const std::bad_alloc&) {  // a file larger than memory is refused, not a crash
        ok = false;
        std::vector<uint8_t>().swap(*bytes);
    }
    fclose(file);
    return ok;
}

std::string TemporaryNameBeside(const char* path) {
    std::string folder(path);
    size_t slash = folder.find_last_of("/\\");
    folder = slash == std::string::npos ? "" : folder.substr(0, slash + 1);
    size_t length = std::clamp(strlen(path) - folder.size(), ShortestTemporaryName, LongestTemporaryName);
    static std::mt19937 random{std::random_device{}()};
    std::string name = folder + "~";
    for (size_t i = 1; i < length; i++)
        name += "0123456789abcdef"[random() % 16];
    return name;
}

// The name is drawn again only while it is taken: in an unwritable folder another name would not help.
FILE* CreateTemporaryBeside(const char* path, std::string* name) {
    for (int attempt = 0; attempt < TemporaryNameTries; attempt++) {
        *name = TemporaryNameBeside(path);
        FILE* file = CreateNewFile(name->c_str());
        if (file || errno != EEXIST)
            return file;
    }
    return nullptr;
}

// The temporary file sits in the target's own folder so that the final rename never crosses volumes,
// and is created under a name nobody uses, so that no file of the user's is ever overwritten by it.
bool WriteFileAtomically(const char* path, const std::vector<uint8_t>& bytes) {
    std::string temporary;
    FILE* file = CreateTemporaryBeside(path, &temporary);
    if (!file)
        return false;
    bool ok = bytes.empty() || fileWrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = ok && fflush(file) == 0 && FlushFileToDisk(file);
    ok = (fclose(file) == 0) && ok;
    ok = ok && MoveFileOver(temporary.c_str(), path);
    if (!ok)
        remove(temporary.c_str());
    return ok;
}
