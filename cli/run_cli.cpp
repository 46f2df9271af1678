#include <cstdio>
#include <cstring>

#include "cli/cli_commands.h"
#include "text/version.h"

namespace {

const char UsageText[] =
    "usage: zelvora-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Reads, checks and converts Zelvora drawings (.Zlv files) without opening a window.\n"
    "\n"
    "Commands:\n"
    "  info FILE.Zlv        Print the drawing's format byte, draw and calculation options, polygon\n"
    "                       and vertex counts, whether every polygon is valid for the calculation,\n"
    "                       whether the polygons form one footprint, and the number of separate\n"
    "                       outer contours; then one line per polygon with its index, name,\n"
    "                       priority (1..10) and vertex count, separated by tabs.\n"
    "      --vertices                follow each polygon's line with one line per vertex:\n"
    "                                two tabs, then x, y and height in metres\n"
    "  copy IN.Zlv OUT.Zlv  Read a drawing and write it to another file. The output is replaced in\n"
    "                       one step, so an existing OUT.Zlv is never left half-written.\n"
    "  calc FILE.Zlv        Calculate Ad and Am by the graphic method and print them in km^2, then\n"
    "                       the contour and hole counts of both outlines. Polygons that do not\n"
    "                       form one footprint are calculated all the same, with a warning.\n"
    "      --json                    print one JSON object: ad, am (km^2, 17 digits), adContours,\n"
    "                                amContours, adHoles, amHoles, neighbours, outerContours,\n"
    "                                polygons, vertices, seconds\n"
    "      --require-neighbours      refuse polygons that do not form one footprint\n"
    "      --height-projection K     use K instead of the drawing's factor (at least 1.0)\n"
    "      --distance-projection D   use D metres instead of the drawing's (at least 0.01)\n"
    "      --quiet                   no progress bar (drawn only when standard error is a terminal)\n"
    "  svg FILE.Zlv OUT.svg Calculate, then write the Ad view (or with --view am the Am view) as an\n"
    "                       SVG picture: the outline filled, the structure in grey on top, the area\n"
    "                       at the top left. Takes the projection and --quiet options of calc.\n"
    "  simple L W HMIN HMAX Ad and Am in closed form for a rectangular structure of length L and\n"
    "                       width W (metres, above 0) at the minimum height HMIN (above 0) with a\n"
    "                       protrusion of height HMAX (0 for none). Takes the projection options of\n"
    "                       calc; without them K is 3 and D is 500 m. Decimal commas are accepted.\n"
    "  import IN OUT.Zlv    Read the footprints of a DXF (.dxf) or GeoJSON (.geojson, .json) file and\n"
    "                       write them as a new drawing; prints the counts of polygons, vertices,\n"
    "                       skipped entities and where the heights came from. DXF: every closed\n"
    "                       LWPOLYLINE and POLYLINE of the model space, arcs made straight within\n"
    "                       5 cm, named after the layer and a running number; height from 3D\n"
    "                       vertices, else thickness, else elevation. GeoJSON: Polygon and\n"
    "                       MultiPolygon features in longitude/latitude (or metres when a crs\n"
    "                       member names a UTM zone or national grid); height from the property\n"
    "                       \"height\" (12, \"12 m\", \"12,5 m\"), else \"building:levels\" times the\n"
    "                       storey height. Courtyards become several polygons. The footprints are\n"
    "                       placed inside the map with a margin, north up; the shift is kept in\n"
    "                       the drawing so that outline gives back the source's coordinates.\n"
    "      --height H                height for footprints that give none (needed when some do not)\n"
    "      --level-height L          metres per storey for building:levels (default 3)\n"
    "      --layer NAME              DXF: keep only this layer (repeatable)\n"
    "      --units UNIT              DXF: the drawing's unit, whatever its $INSUNITS says; needed\n"
    "                                when $INSUNITS is no unit code (m, mm, cm, dm, km, in, ft, yd,\n"
    "                                mi, us-ft, us-in, us-yd, us-mi and the other codes of DXF, or\n"
    "                                the code's number). Without a unit (0 or none) it is metres.\n"
    "      --skip-invalid            import the footprints that pass their checks even when others\n"
    "                                fail (they are listed on standard error either way)\n"
    "  outline IN.Zlv OUT   Calculate, then write the Ad and Am outlines with their holes and the\n"
    "                       footprint as DXF (OUT.dxf: closed LWPOLYLINEs on layers AD, AM and\n"
    "                       FOOTPRINT) or GeoJSON (OUT.geojson or OUT.json: one Feature per region\n"
    "                       with properties region and area_km2), in the coordinates of the file\n"
    "                       the drawing was imported from (longitude/latitude again for GeoJSON).\n"
    "      --view ad|am|both         the outlines to write (default both)\n"
    "      --quiet                   no progress bar\n"
    "  assess IN            Find the structures (polygons that overlap or touch) of a drawing, or of a\n"
    "                       DXF or GeoJSON file imported in memory, calculate each alone and print\n"
    "                       a row per structure: height, Ad, Am, CD, ND, NM, NL, NI, NDJ, then the\n"
    "                       settings used. Options override the drawing's stored settings.\n"
    "      --edition 2|3             EN 62305-2:2012 (default) or IEC 62305-2:2024\n"
    "      --ng N | --nsg N          flashes (ground strike-points, edition 3) per km^2 per year;\n"
    "                                without one the events are not computed\n"
    "      --k K                     NSG = k * NG for edition 3 (default 2)\n"
    "      --uw KV                   lowest withstand voltage, edition 3 (default 2.5): rM = 350/UW\n"
    "      --cd auto|0.25|0.5|1|2    location factor of every structure (auto: from the surroundings)\n"
    "      --line SPEC               a line of every structure (up to 8):\n"
    "                                kind:installation:length[:environment[:transformer[:uw[:LxWxH[:cdj]]]]]\n"
    "                                power|telecom, aerial|buried|meshed, metres|unknown,\n"
    "                                rural|suburban|urban|urban-tall, yes|no\n"
    "      --json | --csv            one JSON object, or CSV with a header line\n"
    "      --geojson OUT             one Feature per structure with its values, for GIS\n"
    "      --threads N               structures calculated at once (default: every core)\n"
    "      also the projection options of calc, --quiet, and import's options for DXF or GeoJSON\n"
    "  report IN OUT.pdf    Assess as assess does (with its options, but not its outputs), then write\n"
    "                       the calculation report as a PDF: title block, settings, site plan,\n"
    "                       results, every formula with the values put in, and the method. Written\n"
    "                       also when a structure cannot be calculated (status 1); never on failure.\n"
    "      --project TEXT, --author TEXT, --checker TEXT   the title block's fields\n"
    "  help, --help         Print this text.\n"
    "  --version            Print the version, as \"zelvora-cli 1.2.3\".\n"
    "\n"
    "Exit status:\n"
    "  0   success\n"
    "  2   a file cannot be read or is not a valid drawing (\"Error to opening file\")\n"
    "      or an import is refused (the reason and every failing footprint on standard error)\n"
    "  1   the drawing cannot be calculated (\"Error to calculate Ad and Am\"), or its polygons\n"
    "      do not form one footprint and --require-neighbours was given, or the values of\n"
    "      simple are not valid (named with the range), or (assess) a structure cannot be\n"
    "      calculated; the others are still given\n"
    "  3   a file cannot be written (\"Error to write file\")\n"
    "  64  the command line is wrong, or a value is out of its range (named with the range)\n";

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
};

const Command Commands[] = {
    {"info", InfoCommand},       {"copy", CopyCommand},     {"calc", CalcCommand},
    {"svg", SvgCommand},         {"simple", SimpleCommand}, {"import", ImportCommand},
    {"outline", OutlineCommand}, {"assess", AssessCommand}, {"report", ReportCommand},
};

}  // namespace

int RunCli(int argc, char** argv) {
    if (argc >= 2 && (!strcmp(argv[1], "help") || !strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
        fputs(UsageText, stdout);
        return ExitSuccess;
    }
    if (argc == 2 && !strcmp(argv[1], "--version")) {
        printf("zelvora-cli %s\n", ZELVORA_VERSION);
        return ExitSuccess;
    }
    if (argc >= 2)
        for (const Command& command : Commands)
            if (!strcmp(argv[1], command.name))
                return command.run(argc - 2, argv + 2);
    if (argc >= 2)
        fprintf(stderr, "zelvora-cli: unknown command '%s'\n\n", argv[1]);
    fputs(UsageText, stderr);
    return ExitUsage;
}
