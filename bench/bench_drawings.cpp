#include "bench/bench_drawings.h"

#include <cmath>
#include <iterator>

#include "bench/random_source.h"

namespace {

const double Pi = 4.0 * std::atan(1.0);

// Pieces of the imported site, each added to the site at the corner (x, y) of its lot.
class SiteBuilder {
  public:
    SiteBuilder(CalcInput* site, RandomSource* random) : site(site), random(random) {}

    // A block whose roof slopes from low along its south side to high along its north side.
    void block(double x0, double y0, double x1, double y1, double low, double high) {
        add({{x0, y0, low}, {x1, y0, low}, {x1, y1, high}, {x0, y1, high}});
    }

    void lShapedHall(double x, double y, double height) {
        double w = random->uniform(12, 22), d = random->uniform(12, 22);
        double wing = random->uniform(4, 8);
        add({{x, y, height},
             {x + w, y, height},
             {x + w, y + wing, height},
             {x + wing, y + wing, height * 0.7},
             {x + wing, y + d, height * 0.7},
             {x, y + d, height}});
    }

    // Arcs come from CAD plans tessellated finely: 24 to 96 vertices around a tank.
    void roundTank(double cx, double cy, double height) {
        int n = 24 + random->below(73);
        double r = random->uniform(3, 10);
        CalcPolygon tank;
        for (int i = 0; i < n; i++) {
            double a = 2 * Pi * i / n;
            tank.vertices.push_back({cx + r * std::cos(a), cy + r * std::sin(a), height});
        }
        site->polygons.push_back(tank);
    }

    void turnedShed(double cx, double cy, double height) {
        double a = random->uniform(0, Pi / 2), c = std::cos(a), s = std::sin(a);
        double hw = random->uniform(3, 9), hd = random->uniform(2, 5);
        CalcPolygon shed;
        const double corners[4][2] = {{-hw, -hd}, {hw, -hd}, {hw, hd}, {-hw, hd}};
        for (const auto& k : corners)
            shed.vertices.push_back({cx + k[0] * c - k[1] * s, cy + k[0] * s + k[1] * c, height});
        site->polygons.push_back(shed);
    }

    // Four wings sharing their walls around an open court.
    void courtyard(double x, double y, double height) {
        double size = random->uniform(16, 23), wall = random->uniform(4, 6);
        block(x, y, x + size, y + wall, height, height);
        block(x + size - wall, y + wall, x + size, y + size - wall, height + 3, height + 3);
        block(x, y + size - wall, x + size, y + size, height, height);
        block(x, y + wall, x + wall, y + size - wall, height - 2, height - 2);
    }

    // A long building with a curved front of a few hundred vertices and a straight back.
    void curvedFront(double x, double y, double height) {
        int n = 150 + random->below(250);
        double r = random->uniform(8, 12);
        CalcPolygon front;
        for (int i = 0; i <= n; i++) {
            double a = Pi * i / n;
            front.vertices.push_back({x + r + r * std::cos(a), y + r * std::sin(a), height + 4 * std::sin(a)});
        }
        site->polygons.push_back(front);
    }

  private:
    void add(std::vector<CalcVertex> vertices) { site->polygons.push_back(CalcPolygon{std::move(vertices)}); }

    CalcInput* site;
    RandomSource* random;
};

}  // namespace

CalcInput SmallBuilding() {
    const CalcVertex corners[] = {{0, 0, 7}, {11, 0, 7}, {11, 6, 9}, {6, 6, 9}, {6, 10, 8}, {0, 10, 8}};
    CalcPolygon house;
    house.vertices.assign(std::begin(corners), std::end(corners));
    return CalcInput{{house}};
}

CalcInput OfficeOutline() {
    const CalcVertex corners[] = {
        {0, 0, 12},   {30, 0, 12},  {30, -6, 8},  {48, -6, 8},  {48, 12, 15}, {56, 12, 15}, {56, 30, 20},
        {44, 42, 20}, {30, 42, 18}, {30, 36, 18}, {18, 36, 10}, {18, 44, 10}, {4, 44, 14},  {4, 30, 14},
        {-6, 30, 9},  {-6, 18, 9},  {0, 18, 16},  {0, 12, 16},  {-4, 12, 11}, {-4, 4, 11},
    };
    CalcPolygon office;
    office.vertices.assign(std::begin(corners), std::end(corners));
    return CalcInput{{office}};
}

// The height swells and sinks three times around, so that neighbouring bands differ a little, as on a
// real sloped roof.
CalcInput RoundBuilding(int n) {
    CalcPolygon round;
    for (int i = 0; i < n; i++) {
        double a = 2.0 * Pi * i / n;
        round.vertices.push_back({40.0 * std::cos(a), 40.0 * std::sin(a), 20.0 + 5.0 * std::sin(3.0 * a)});
    }
    return CalcInput{{round}};
}

// The round building with teeth on its outline: every other vertex 0.5 m in, so that no edge's band
// holds the centre and each turns an end to it.
CalcInput GearBuilding(int teeth) {
    CalcPolygon gear;
    for (int i = 0; i < 2 * teeth; i++) {
        double a = Pi * i / teeth, r = i % 2 ? 39.5 : 40.0;
        gear.vertices.push_back({r * std::cos(a), r * std::sin(a), 20.0 + 5.0 * std::sin(3.0 * a)});
    }
    return CalcInput{{gear}};
}

// 10 rows of 25: in each row the blocks stand in pairs sharing a wall, with 4 m between pairs and 3 m
// between rows. Heights run from 5 to 25 m with a 2 m roof slope, so that the bands of neighbouring
// blocks overlap in every way.
CalcInput BlockSite() {
    CalcInput site;
    for (int row = 0; row < 10; row++) {
        for (int column = 0; column < 25; column++) {
            double x = (column / 2) * 28.0 + (column % 2) * 12.0;
            double y = row * 18.0;
            double low = 5.0 + 18.0 * ((column * 7 + row * 13) % 10) / 9.0;
            CalcPolygon block;
            block.vertices = {{x, y, low}, {x + 12, y, low}, {x + 12, y + 15, low + 2}, {x, y + 15, low + 2}};
            site.polygons.push_back(block);
        }
    }
    return site;
}

// Lots of 25 m in rows of 40 at UTM-sized coordinates. Some blocks are wider than their lot and overlap
// the next one; pairs share a wall; diagonal pairs touch at a corner; heights run from 3 to 45 m.
CalcInput ImportedSite(size_t minVertices) {
    const double east = 500000.0, north = 5000000.0, lot = 25.0;
    const int columns = 40;
    RandomSource random(20000);
    CalcInput site;
    SiteBuilder build(&site, &random);
    for (int n = 0; VertexCount(site) < minVertices; n++) {
        double x = east + (n % columns) * lot, y = north + (n / columns) * lot;
        double height = random.uniform(3, 40), slope = random.chance(0.5) ? random.uniform(0, 5) : 0.0;
        double w = random.uniform(8, 20), d = random.uniform(8, 20);
        switch (n % 50 == 49 ? 8 : random.below(8)) {
            case 0: build.block(x + 2, y + 2, x + 2 + w, y + 2 + d, height, height + slope); break;
            case 1:  // wider than its lot: overlaps the next block in the row
                build.block(x + 1, y + 3, x + random.uniform(27, 34), y + 3 + d, height, height + slope);
                break;
            case 2:
                build.block(x, y, x + 10, y + d, height, height);
                build.block(x + 10, y, x + 10 + w * 0.6, y + d, height + 5, height + 5);
                break;
            case 3: build.lShapedHall(x + 1, y + 1, height); break;
            case 4: build.roundTank(x + 12, y + 12, height); break;
            case 5: build.turnedShed(x + 12, y + 12, height); break;
            case 6: build.courtyard(x + 1, y + 1, height + 2); break;
            case 7:  // touching at one corner
                build.block(x + 2, y + 2, x + 12, y + 12, height, height);
                build.block(x + 12, y + 12, x + 22, y + 22, height * 0.5, height * 0.5);
                break;
            default: build.curvedFront(x + 1, y + 1, height); break;
        }
    }
    return site;
}

size_t VertexCount(const CalcInput& input) {
    size_t count = 0;
    for (const CalcPolygon& polygon : input.polygons)
        count += polygon.vertices.size();
    return count;
}

CalcInput ConstantHeights(CalcInput input) {
    for (CalcPolygon& polygon : input.polygons)
        for (CalcVertex& v : polygon.vertices)
            v.height = polygon.vertices[0].height;
    return input;
}

std::vector<BenchDrawing> BenchDrawings(bool quick) {
    std::vector<BenchDrawing> drawings = {{"small 6", SmallBuilding()},
                                          {"office 20", OfficeOutline()},
                                          {"round 100", RoundBuilding(100)},
                                          {"round 1000", RoundBuilding(1000)}};
    if (!quick) {
        drawings.push_back({"site 1000", BlockSite()});
        drawings.push_back({"round 5000", RoundBuilding(5000)});
        drawings.push_back({"gear 2000", GearBuilding(1000)});
        drawings.push_back({"imported 20000", ImportedSite(20000)});
    }
    return drawings;
}
