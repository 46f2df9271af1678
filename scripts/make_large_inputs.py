#!/usr/bin/env python3
"""Writes the two inputs of the size limits' measurements into a folder (default build/large):
district.geojson, a district of 720 x 720 = 518,400 square buildings (2.07 M vertices, about 100 MB),
and polygon.dxf, one closed LWPOLYLINE of 1,000,000 vertices on a circle of 1 km radius.

    scripts/make_large_inputs.py [FOLDER]
    ulimit -v 2097152; /usr/bin/time -v build/release/cli/zelvora-cli import FOLDER/district.geojson d.Zlv
"""
import math
import os
import sys

folder = sys.argv[1] if len(sys.argv) > 1 else "build/large"
os.makedirs(folder, exist_ok=True)

# Buildings of about 11 m by 11 m every 22 m, at 8 E 47 N.
side = 720
step_lon, step_lat, size_lon, size_lat = 0.0003, 0.0002, 0.00015, 0.0001
with open(os.path.join(folder, "district.geojson"), "w") as out:
    out.write('{"type":"FeatureCollection","features":[\n')
    for row in range(side):
        for column in range(side):
            x, y = 8.0 + column * step_lon, 47.0 + row * step_lat
            ring = [(x, y), (x + size_lon, y), (x + size_lon, y + size_lat), (x, y + size_lat), (x, y)]
            positions = ",".join("[%.7f,%.7f]" % p for p in ring)
            comma = "," if row + column < 2 * (side - 1) else ""
            out.write('{"type":"Feature","properties":{"height":%d},"geometry":{"type":"Polygon",'
                      '"coordinates":[[%s]]}}%s\n' % (8 + (row + column) % 20, positions, comma))
    out.write("]}\n")

vertices = 1000000
with open(os.path.join(folder, "polygon.dxf"), "w") as out:
    out.write("0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n6\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n")
    out.write("0\nLWPOLYLINE\n8\nring\n90\n%d\n70\n1\n39\n12\n" % vertices)
    for k in range(vertices):
        angle = 2 * math.pi * k / vertices
        out.write("10\n%.4f\n20\n%.4f\n" % (1000 * math.cos(angle), 1000 * math.sin(angle)))
    out.write("0\nENDSEC\n0\nEOF\n")
