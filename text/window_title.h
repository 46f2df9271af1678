// The main window's title: the drawing's file name, a star while it has unsaved changes, and the program.
#pragma once

#include <string>

// "name.Zlv - <program>", "name.Zlv* - <program>" while modified, "Untitled - <program>" for a drawing
// never saved, and the program alone when no drawing is open. The path's folders are left out.
std::string WindowTitle(const char* path, bool isOpen, bool modified);
