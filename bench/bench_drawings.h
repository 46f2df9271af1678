// The drawings the benchmark times, from a 20-vertex office to an imported site of 20,000 vertices.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/checks/polygon_checks.h"

struct BenchDrawing {
    std::string name;
    CalcInput input;
};

// A small L-shaped house of 6 vertices, the commonest structure of a district.
CalcInput SmallBuilding();
// A 20-vertex office with wings, notches and one cut corner.
CalcInput OfficeOutline();
// A round building of radius 40 m drawn with n vertices, its height swelling and sinking around it.
CalcInput RoundBuilding(int n);
// The round building of radius 40 m with the given count of teeth 0.5 m deep, two vertices each.
CalcInput GearBuilding(int teeth);
// 250 blocks of 12 m x 15 m in pairs sharing a wall, 1000 vertices.
CalcInput BlockSite();
// An imported site plan at map coordinates: blocks, L-shaped halls, round tanks, turned sheds, pairs
// sharing a wall and courtyards, some touching and some overlapping, until at least minVertices.
CalcInput ImportedSite(size_t minVertices);

size_t VertexCount(const CalcInput& input);
// The drawing with every vertex of a polygon at the height of its first, so that a buffer of the
// footprint by one radius gives the same regions.
CalcInput ConstantHeights(CalcInput input);

// The drawings of a full run, or the three small ones.
std::vector<BenchDrawing> BenchDrawings(bool quick);
