// libFuzzer target over the drawing reader: any byte string must be refused cleanly or read into a
// drawing that writes back to the same bytes it was read from, and that the checks can examine.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/checks/polygon_checks.h"
#include "model/drawing_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DrawingImage image;
    if (DecodeDrawing(data, size, &image) != FileError::None)
        return 0;
    Drawing loaded;
    if (image.format == CurrentFileFormat) {
        loaded.drawOptions = image.drawOptions;
        loaded.calcOptions = image.calcOptions;
    }
    if (!loaded.polygons.replacePolygons(image.polygons))
        abort();  // the reader produced a record the store refuses

    // Writing back gives the input up to its trailing bytes, except where the writer normalises:
    // the format byte, unused slots, snapOn, and bytes after a name's NUL.
    std::vector<uint8_t> written = EncodeDrawing(loaded);
    DrawingImage again;
    if (written.size() > size || DecodeDrawing(written.data(), written.size(), &again) != FileError::None)
        abort();
    if (again.polygons.size() != image.polygons.size())
        abort();
    for (size_t i = 0; i < image.polygons.size(); i++) {
        const PolygonRecord& a = image.polygons[i];
        const PolygonRecord& b = again.polygons[i];
        if (strcmp(a.name, b.name) != 0 || a.priority != b.priority || a.x != b.x || a.y != b.y || a.height != b.height)
            abort();
    }
    CheckDrawing(loaded);
    return 0;
}
