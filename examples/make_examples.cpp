// Writes the example drawings through the program's own writer. Run it with the examples folder as
// its argument after changing a drawing here; the tests check that the stored files match.
#include <cstdio>
#include <string>
#include <vector>

#include "model/drawing_file.h"

namespace {

struct Corner {
    double x, y, height;
};

void AddPolygon(Drawing* target, const char* name, int32_t priority, const std::vector<Corner>& corners) {
    Polygon polygon;
    SetPolygonName(&polygon, name);
    polygon.priority = priority;
    for (const Corner& c : corners) {
        polygon.x.push_back(c.x);
        polygon.y.push_back(c.y);
        polygon.height.push_back(c.height);
    }
    polygon.vertexCount = static_cast<int32_t>(corners.size());
    target->polygons.appendPolygon(std::move(polygon));
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
    AddPolygon(&office, "Main wing", 0,
               {{30, 30, 18}, {90, 30, 18}, {90, 45, 18}, {50, 45, 12}, {50, 80, 12}, {30, 80, 12}});
    return office;
}

// Four blocks of different heights around a courtyard, a hall beside them and a tower with a sloping
// roof edge; the blocks share their walls, so the site is one footprint with a hole in the middle.
Drawing IndustrialSite() {
    Drawing site;
    site.drawOptions.mapSize = 300.0;
    site.drawOptions.zoomIndex = 4;
    site.drawOptions.snapIndex = 5;
    site.drawOptions.snapOn = 1;
    AddPolygon(&site, "North block", 1, {{100, 100, 15}, {180, 100, 15}, {180, 115, 15}, {100, 115, 15}});
    AddPolygon(&site, "East block", 1, {{165, 115, 9}, {180, 115, 9}, {180, 165, 9}, {165, 165, 9}});
    AddPolygon(&site, "South block", 2, {{100, 165, 12}, {180, 165, 12}, {180, 180, 12}, {100, 180, 12}});
    AddPolygon(&site, "West block", 2, {{100, 115, 8}, {115, 115, 8}, {115, 165, 8}, {100, 165, 8}});
    AddPolygon(&site, "Hall", 3,
               {{180, 120, 10}, {230, 120, 10}, {230, 160, 14}, {205, 175, 14}, {180, 160, 10}});
    AddPolygon(&site, "Tower", 0, {{85, 85, 32}, {105, 85, 32}, {105, 100, 40}, {85, 100, 36}});
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
