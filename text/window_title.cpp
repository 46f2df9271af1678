#include "text/window_title.h"

#include "text/ui_texts.h"

std::string WindowTitle(const char* path, bool isOpen, bool modified) {
    if (!isOpen)
        return TEXT_PROGRAM_TITLE;
    const char* name = path;
    for (const char* c = path; *c; c++)
        if (*c == '\\' || *c == '/' || *c == ':')
            name = c + 1;
    std::string title = name[0] ? name : TEXT_UNTITLED;
    if (modified)
        title += '*';
    return title + " - " + TEXT_PROGRAM_TITLE;
}
