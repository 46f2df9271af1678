#include "model/file_io.h"

#include <new>
#include <string>

FileWriteFn fileWrite = fwrite;

bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes) {
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    bytes->clear();
    uint8_t chunk[64 * 1024];
    size_t got;
    bool ok = true;
    try {
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

// The temporary name sits in the target's own folder so that the final rename never crosses volumes.
bool WriteFileAtomically(const char* path, const std::vector<uint8_t>& bytes) {
    std::string temporary = std::string(path) + ".saving";
    FILE* file = fopen(temporary.c_str(), "wb");
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
