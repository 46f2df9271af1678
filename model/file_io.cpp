#include "model/file_io.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>

FileWriteFn fileWrite = fwrite;

namespace {

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

namespace {

std::string FolderOf(const char* path) {
    std::string folder(path);
    size_t slash = folder.find_last_of("/\\");
    return slash == std::string::npos ? "" : folder.substr(0, slash + 1);
}

std::string Hex(uint32_t value, int digits) {
    std::string text;
    for (int i = digits - 1; i >= 0; i--)
        text += "0123456789abcdef"[(value >> (4 * i)) & 15];
    return text;
}

// FNV-1a over the file name in lower case, as Windows does not tell "Plan.Zlv" from "plan.zlv".
uint32_t NameHash(const char* name) {
    uint32_t hash = 2166136261u;
    for (const char* c = name; *c; c++) {
        hash ^= static_cast<uint8_t>(tolower(static_cast<unsigned char>(*c)));
        hash *= 16777619u;
    }
    return hash;
}

// The process id of a name made by TemporaryNameBeside after the given prefix; false for other names.
bool WriterOf(const std::string& name, const std::string& prefix, uint32_t* process) {
    constexpr size_t Digits = 12;
    if (name.size() != prefix.size() + Digits + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - 4, 4, ".tmp") != 0 ||
        name.find_first_not_of("0123456789abcdef", prefix.size()) != prefix.size() + Digits)
        return false;
    *process = static_cast<uint32_t>(strtoul(name.substr(prefix.size(), 8).c_str(), nullptr, 16));
    return true;
}

}  // namespace

std::string TemporaryPrefixBeside(const char* path) {
    std::string folder = FolderOf(path);
    return folder + "~zlv" + Hex(NameHash(path + folder.size()), 8);
}

std::string TemporaryNameBeside(const char* path) {
    static std::mt19937 random{std::random_device{}()};
    return TemporaryPrefixBeside(path) + Hex(CurrentProcessId(), 8) + Hex(random(), 4) + ".tmp";
}

int RemoveLeftoverTemporaries(const char* path) {
    std::string folder = FolderOf(path);
    std::string prefix = TemporaryPrefixBeside(path).substr(folder.size());
    int removed = 0;
    uint32_t process;
    for (const std::string& name : FileNamesIn(folder))
        if (WriterOf(name, prefix, &process) && process != CurrentProcessId() && !ProcessIsRunning(process))
            removed += remove((folder + name).c_str()) == 0 ? 1 : 0;
    return removed;
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
    RemoveLeftoverTemporaries(path);
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
