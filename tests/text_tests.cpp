// Tests of texts the program composes: the main window's title.
#include <gtest/gtest.h>

#include "text/window_title.h"

TEST(WindowTitle, NamesTheFileMarksChangesAndOmitsFolders) {
    const struct {
        const char* path;
        bool isOpen, modified;
        const char* title;
    } cases[] = {
        {"", false, false, "Zelvora v1.0.0"},
        {"C:\\sites\\plant.Zlv", false, true, "Zelvora v1.0.0"},
        {"", true, false, "Untitled - Zelvora v1.0.0"},
        {"", true, true, "Untitled* - Zelvora v1.0.0"},
        {"C:\\sites\\plant.Zlv", true, false, "plant.Zlv - Zelvora v1.0.0"},
        {"C:\\sites\\plant.Zlv", true, true, "plant.Zlv* - Zelvora v1.0.0"},
        {"/tmp/a b/house.Zlv", true, false, "house.Zlv - Zelvora v1.0.0"},
        {"D:site.Zlv", true, false, "site.Zlv - Zelvora v1.0.0"},
        {"house.Zlv", true, true, "house.Zlv* - Zelvora v1.0.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowTitle(c.path, c.isOpen, c.modified), c.title) << c.path << " " << c.isOpen << c.modified;
}
