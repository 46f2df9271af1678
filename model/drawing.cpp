#include "model/drawing.h"

#include <cstring>

void resetOptions(Drawing* target) {
    target->drawOptions = DrawOptions();
    target->calcOptions = CalcOptions();
}

bool SetFileName(Drawing* target, const char* path) {
    size_t length = strlen(path);
    if (length >= FileNameSize)
        return false;
    memmove(target->fileName, path, length + 1);  // path may be the file name itself
    return true;
}
