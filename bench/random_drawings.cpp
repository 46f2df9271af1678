#include "bench/random_drawings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "bench/random_source.h"

namespace {

const double Pi = 4.0 * std::atan(1.0);
constexpr int MaxPolygons = 5;
constexpr size_t MaxVertices = 32;  // keeps the literal construction within a second or so

class DrawingMaker {
  public:
    DrawingMaker(uint64_t seed, RandomDrawing* drawing) : random(seed), drawing(drawing) {
        // Half of the drawings lie at map coordinates, where rounding is coarsest.
        if (random.chance(0.5)) {
            origin = {random.uniform(2e5, 8e5), random.uniform(1e6, 9e6)};
            note("map coordinates");
        }
    }

    // Up to 40 m; a fifth of the vertices at height 0 and a tenth of the polygons at 0 throughout.
    double height() { return random.chance(0.2) ? 0.0 : random.uniform(0.5, 40.0); }

    Point place() { return {origin.x + random.uniform(-30, 30), origin.y + random.uniform(-30, 30)}; }

    void rectangle(bool turned) {
        Point c = place();
        double a = turned ? random.uniform(0, Pi) : 0.0, hw = random.uniform(1, 20), hd = random.uniform(0.5, 15);
        const double corners[4][2] = {{-hw, -hd}, {hw, -hd}, {hw, hd}, {-hw, hd}};
        std::vector<CalcVertex> v;
        for (const auto& k : corners)
            v.push_back({c.x + k[0] * std::cos(a) - k[1] * std::sin(a), c.y + k[0] * std::sin(a) + k[1] * std::cos(a),
                         height()});
        add(v, turned ? "turned rectangle" : "rectangle");
    }

    // Sorted angles around a centre give a simple polygon with acute convex and reflex corners.
    void star() {
        Point c = place();
        int n = 3 + random.below(10);
        double r = random.uniform(3, 25);
        std::vector<double> angles;
        for (int i = 0; i < n; i++)
            angles.push_back(2 * Pi * (i + random.uniform(0.05, 0.95)) / n);
        std::vector<CalcVertex> v;
        for (double a : angles) {
            double d = r * random.uniform(0.3, 1.0);
            v.push_back({c.x + d * std::cos(a), c.y + d * std::sin(a), height()});
        }
        add(v, "star");
    }

    // A sharp spike whose two long sides meet at 3 to 20 degrees, with very different heights at its ends.
    void spike() {
        Point c = place();
        double a = random.uniform(0, 2 * Pi), spread = random.uniform(3, 20) * Pi / 180, length = random.uniform(5, 40);
        std::vector<CalcVertex> v = {
            {c.x, c.y, random.uniform(0, 3)},
            {c.x + length * std::cos(a - spread / 2), c.y + length * std::sin(a - spread / 2), random.uniform(5, 40)},
            {c.x + length * std::cos(a + spread / 2), c.y + length * std::sin(a + spread / 2), random.uniform(5, 40)},
        };
        add(v, "spike");
    }

    // Four wings sharing walls around a court, at their own heights.
    void courtyard() {
        Point p = place();
        double size = random.uniform(8, 40), wall = random.uniform(1, size / 3);
        double x0 = p.x, y0 = p.y, x1 = p.x + size, y1 = p.y + size;
        box(x0, y0, x1, y0 + wall);
        box(x1 - wall, y0 + wall, x1, y1 - wall);
        box(x0, y1 - wall, x1, y1);
        box(x0, y0 + wall, x0 + wall, y1 - wall);
        note("courtyard");
    }

    // A triangle hanging from a vertex of an earlier polygon.
    void touchingAtVertex() {
        if (drawing->input.polygons.empty())
            return star();
        const CalcPolygon& other =
            drawing->input.polygons[random.below(static_cast<int>(drawing->input.polygons.size()))];
        CalcVertex at = other.vertices[random.below(static_cast<int>(other.vertices.size()))];
        double a = random.uniform(0, 2 * Pi), size = random.uniform(2, 15);
        add({{at.x, at.y, height()},
             {at.x + size * std::cos(a), at.y + size * std::sin(a), height()},
             {at.x + size * std::cos(a + 0.6), at.y + size * std::sin(a + 0.6), height()}},
            "touching at a vertex");
    }

    // A rectangle with extra vertices along its sides, and a block sharing part of one side's line.
    void collinear() {
        Point p = place();
        double w = random.uniform(4, 30), d = random.uniform(4, 30), s = random.uniform(0.2, 0.8);
        add({{p.x, p.y, height()},
             {p.x + w * s, p.y, height()},
             {p.x + w, p.y, height()},
             {p.x + w, p.y + d * s, height()},
             {p.x + w, p.y + d, height()},
             {p.x, p.y + d, height()}},
            "collinear edges");
        double shift = random.uniform(-w, w);
        box(p.x + shift, p.y - random.uniform(2, 10), p.x + shift + random.uniform(2, 12), p.y);
    }

    // Two triangles through one vertex; the second lobe runs either way round.
    void figureEight() {
        Point c = place();
        double size = random.uniform(3, 20);
        CalcVertex centre{c.x, c.y, height()};
        std::vector<CalcVertex> v = {
            centre, {c.x - size, c.y - size * 0.8, height()}, {c.x + size * 0.7, c.y - size, height()},
            centre, {c.x + size, c.y + size * 0.6, height()}, {c.x - size * 0.5, c.y + size, height()}};
        if (random.chance(0.5))
            std::swap(v[4], v[5]);
        add(v, "figure eight");
    }

    // A copy of an earlier polygon moved a little, at other heights.
    void overlapping() {
        if (drawing->input.polygons.empty())
            return rectangle(false);
        CalcPolygon copy = drawing->input.polygons[random.below(static_cast<int>(drawing->input.polygons.size()))];
        double dx = random.uniform(-8, 8), dy = random.uniform(-8, 8);
        for (CalcVertex& v : copy.vertices)
            v = {v.x + dx, v.y + dy, height()};
        add(copy.vertices, "overlapping copy");
    }

    // A round tower of 8 to 20 corners: even heights, one much taller corner, or a height that swells and
    // sinks around it, so that some discs reach far past their neighbours' bands.
    void roundTower() {
        Point c = place();
        int n = 8 + random.below(13);
        double r = random.uniform(2, 20), base = height();
        add(ring(c, n, r, base, 40, false), "round tower");
    }

    // A lone compact footprint round a point: sorted angles, distances from 90 to 100 % of a radius,
    // heights swelling or with one tall vertex. Most are walked round a point all their shapes hold; a
    // deep notch, a small disc or a height of 0 leaves the rest to the pieces.
    void compact() {
        Point c = place();
        int n = 3 + random.below(30);
        double r = random.uniform(2, 30), base = random.uniform(2, 40);
        add(ring(c, n, r, base, 60, true), "compact");
    }

    // A lone convex tank or yard at one height: 3 to 60 corners at random on an oval of 5 to 80 m, whose
    // outline is traced from its discs' crossings when it is wide enough beside them.
    void convexTank() {
        Point c = place();
        int n = 3 + random.below(58);
        double a = random.uniform(5, 80), b = random.uniform(0.3, 1.0) * a, turn = random.uniform(0, Pi);
        double one = random.uniform(2, 30);
        std::vector<double> angles;
        for (int i = 0; i < n; i++)
            angles.push_back(random.uniform(0, 2 * Pi));
        std::sort(angles.begin(), angles.end());
        std::vector<CalcVertex> v;
        for (double t : angles) {
            double x = a * std::cos(t), y = b * std::sin(t);
            v.push_back({c.x + x * std::cos(turn) - y * std::sin(turn), c.y + x * std::sin(turn) + y * std::cos(turn), one});
        }
        add(v, "convex tank");
    }

    // A lone house of square corners, turned: an L, a U or a T, its wings 2 to 30 m, at one height or
    // at a height of its own at each corner. Its notch's bands hold no point in common with the rest,
    // and a walk round it depends on the other shapes holding the sides they turn to it.
    void wingedHouse() {
        Point c = place();
        double w = random.uniform(6, 40), d = random.uniform(6, 40);
        double cutW = random.uniform(0.1, 0.8) * w, cutD = random.uniform(0.1, 0.8) * d;
        std::vector<std::pair<double, double>> corners;
        const char* kind;
        switch (random.below(3)) {
            case 0:
                corners = {{0, 0}, {w, 0}, {w, d - cutD}, {w - cutW, d - cutD}, {w - cutW, d}, {0, d}};
                kind = "L-shaped house";
                break;
            case 1: {
                double from = random.uniform(0.05, 0.9) * (w - cutW);
                corners = {{0, 0}, {w, 0}, {w, d}, {from + cutW, d}, {from + cutW, d - cutD}, {from, d - cutD}, {from, d}, {0, d}};
                kind = "U-shaped house";
                break;
            }
            default: {
                double side = (w - cutW) / 2;
                corners = {{side, 0}, {side + cutW, 0}, {side + cutW, cutD}, {w, cutD},
                           {w, d},    {0, d},           {0, cutD},           {side, cutD}};
                kind = "T-shaped house";
            }
        }
        double a = random.uniform(0, 2 * Pi), one = random.uniform(2, 30);
        bool even = random.chance(0.5);
        std::vector<CalcVertex> v;
        for (const auto& [x, y] : corners)
            v.push_back({c.x + x * std::cos(a) - y * std::sin(a), c.y + x * std::sin(a) + y * std::cos(a),
                         even ? one : random.uniform(2, 30)});
        add(v, kind);
    }

    // A bar a few decimetres to two metres wide, turned, with a tall end: a thin convex part whose discs
    // and bands reach across it.
    void thinBar() {
        Point c = place();
        double a = random.uniform(0, Pi), length = random.uniform(5, 40), width = random.uniform(0.2, 2);
        double ux = std::cos(a), uy = std::sin(a), low = height(), high = random.uniform(0.5, 40);
        add({{c.x, c.y, low},
             {c.x + length * ux, c.y + length * uy, high},
             {c.x + length * ux - width * uy, c.y + length * uy + width * ux, high},
             {c.x - width * uy, c.y + width * ux, low}},
            "thin bar");
    }

    // A block with a notch of short edges (a decimetre to half a metre) at concave corners.
    void notched() {
        Point p = place();
        double w = random.uniform(6, 25), d = random.uniform(6, 25), notch = random.uniform(0.1, 0.5);
        double at = random.uniform(1, w - 1);
        add({{p.x, p.y, height()},
             {p.x + at, p.y, height()},
             {p.x + at, p.y + notch, height()},
             {p.x + at + notch, p.y + notch, height()},
             {p.x + at + notch, p.y, height()},
             {p.x + w, p.y, height()},
             {p.x + w, p.y + d, height()},
             {p.x, p.y + d, height()}},
            "notch of short edges");
    }

    void options() {
        CalcOptions& o = drawing->options;
        o.heightProjection = random.chance(0.5) ? 3.0 : random.uniform(1.0, 8.0);
        o.distanceProjection = std::exp(random.uniform(std::log(0.01), std::log(2000.0)));
        note("K " + std::to_string(o.heightProjection) + ", D " + std::to_string(o.distanceProjection));
    }

    bool full() const {
        size_t count = 0;
        for (const CalcPolygon& polygon : drawing->input.polygons)
            count += polygon.vertices.size();
        return drawing->input.polygons.size() >= MaxPolygons || count >= MaxVertices;
    }

    RandomSource random;

  private:
    void box(double x0, double y0, double x1, double y1) {
        add({{x0, y0, height()}, {x1, y0, height()}, {x1, y1, height()}, {x0, y1, height()}}, nullptr);
    }

    // n corners round c, evenly spread or each shifted within its share of the turn and up to a tenth in;
    // all at the base height, one of them up to `rise` taller, or a height that swells three times round.
    std::vector<CalcVertex> ring(Point c, int n, double r, double base, double rise, bool shifted) {
        double swell = random.uniform(0, 10);
        int style = random.below(3), tall = random.below(n);
        std::vector<CalcVertex> v;
        for (int i = 0; i < n; i++) {
            double a = 2 * Pi * i / n, d = r;
            if (shifted) {
                a = 2 * Pi * (i + random.uniform(0.3, 0.7)) / n;
                d = r * random.uniform(0.9, 1.0);
            }
            double h = base;
            if (style == 1 && i == tall)
                h = base + random.uniform(5, rise);
            else if (style == 2)
                h = base + swell * (1 + std::sin(3 * a));
            v.push_back({c.x + d * std::cos(a), c.y + d * std::sin(a), h});
        }
        return v;
    }

    // Keeps the polygon only if it passes the check, so every drawing can be calculated.
    void add(std::vector<CalcVertex> vertices, const char* what) {
        if (random.chance(0.1))
            for (CalcVertex& v : vertices)
                v.height = 0.0;
        if (random.chance(0.3))
            std::reverse(vertices.begin(), vertices.end());
        CalcInput alone{{CalcPolygon{vertices}}};
        if (!CheckPolygons(&alone))
            return;
        drawing->input.polygons.push_back(CalcPolygon{std::move(vertices)});
        if (what)
            note(what);
    }

    void note(const std::string& what) { drawing->description += drawing->description.empty() ? what : ", " + what; }

    Point origin{0.0, 0.0};
    RandomDrawing* drawing;
};

}  // namespace

RandomDrawing MakeRandomDrawing(uint64_t seed) {
    RandomDrawing drawing;
    DrawingMaker maker(seed, &drawing);
    maker.options();
    int wanted = 1 + maker.random.below(MaxPolygons);
    for (int i = 0; i < wanted && !maker.full(); i++) {
        switch (maker.random.below(12)) {
            case 0: maker.rectangle(false); break;
            case 1: maker.rectangle(true); break;
            case 2: maker.star(); break;
            case 3: maker.spike(); break;
            case 4: maker.courtyard(); break;
            case 5: maker.touchingAtVertex(); break;
            case 6: maker.collinear(); break;
            case 7: maker.figureEight(); break;
            case 8: maker.roundTower(); break;
            case 9: maker.thinBar(); break;
            case 10: maker.notched(); break;
            default: maker.overlapping(); break;
        }
    }
    if (drawing.input.polygons.empty())
        maker.rectangle(false);
    return drawing;
}

RandomDrawing MakeRandomCompactDrawing(uint64_t seed) {
    RandomDrawing drawing;
    DrawingMaker maker(seed, &drawing);
    maker.options();
    switch (maker.random.below(3)) {
        case 0: maker.compact(); break;
        case 1: maker.wingedHouse(); break;
        default: maker.convexTank();
    }
    if (drawing.input.polygons.empty())
        maker.rectangle(false);
    return drawing;
}
