// Writes the example drawings through the program's own writer. Run it with the examples folder as
// its argument after changing a drawing here; the tests check that the stored files match.
#include <cstdio>
#include <string>
#include <vector>

#include "model/drawing_file.h"
#include "tests/drawing_builders.h"

namespace {

void AddPolygon(Drawing* target, const char* name, int32_t priority, const std::vector<TestVertex>& corners) {
    target->polygons.appendPolygon(MakePolygon(name, priority, corners));
}

// A detached house, 12 m by 9 m, eaves at 6.5 m.
Drawing House() {
    Drawing house;
    AddPolygon(&house, "House", 0, {{40, 40, 6.5}, {52, 40, 6.5}, {52, 49, 6.5}, {40, 49, 6.5}});
    return house;
}

// An L-shaped office block whose short wing is lower, on a 1 m snap grid.
Drawing LBuilding() {
    Drawing office;
    office.drawOptions.snapOn = 1;
    office.drawOptions.mapSize = 150.0;
    office.drawOptions.zoomIndex = 4;
    AddPolygon(&office, "Main wing", 0,
               {{30, 30, 18}, {90, 30, 18}, {90, 45, 18}, {50, 45, 12}, {50, 80, 12}, {30, 80, 12}});
    return office;
}

// Four blocks of different heights around a courtyard, a hall beside them and a tower with a sloping
// roof edge; the blocks share their walls, so the site is one footprint with a hole in the middle.
Drawing IndustrialSite() {
    Drawing site;
    site.drawOptions.mapSize = 300.0;
    site.drawOptions.zoomIndex = 5;
    site.drawOptions.snapIndex = 6;
    site.drawOptions.snapOn = 1;
    AddPolygon(&site, "North block", 1, {{40, 40, 15}, {120, 40, 15}, {120, 55, 15}, {40, 55, 15}});
    AddPolygon(&site, "East block", 1, {{105, 55, 9}, {120, 55, 9}, {120, 105, 9}, {105, 105, 9}});
    AddPolygon(&site, "South block", 2, {{40, 105, 12}, {120, 105, 12}, {120, 120, 12}, {40, 120, 12}});
    AddPolygon(&site, "West block", 2, {{40, 55, 8}, {55, 55, 8}, {55, 105, 8}, {40, 105, 8}});
    AddPolygon(&site, "Hall", 3, {{120, 60, 10}, {170, 60, 10}, {170, 100, 14}, {145, 115, 14}, {120, 100, 10}});
    AddPolygon(&site, "Tower", 0, {{25, 25, 32}, {45, 25, 32}, {45, 40, 40}, {25, 40, 36}});
    return site;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_examples FOLDER\n");
        return 64;
    }
    struct Example {
        const char* file;
        Drawing content;
    };
    const Example examples[] = {
        {"house.Zlv", House()},
        {"l_building.Zlv", LBuilding()},
        {"industrial_site.Zlv", IndustrialSite()},
    };
    for (const Example& example : examples) {
        std::string path = std::string(argv[1]) + "/" + example.file;
        if (WriteDrawingFile(path.c_str(), example.content) != FileError::None) {
            fprintf(stderr, "Error to write file: %s\n", path.c_str());
            return 3;
        }
    }
    return 0;
}
