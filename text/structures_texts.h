// The texts of the Structures window, spelled once.
#pragma once

#define TEXT_STRUCTURES_TITLE "Structures"
#define TEXT_STRUCTURES_CLASS "Structures Window"
#define TEXT_STRUCTURES_BUTTONS \
    { "&Calculate", "&Stop", "C&opy", "&Export..." }
#define TEXT_STRUCTURES_EXPORT_FILTER "CSV (*.csv)\0*.csv\0GeoJSON (*.geojson)\0*.geojson\0\0"
#define TEXT_STRUCTURES_NOT_COMPLETE "The table is not complete: calculate it (F5) before exporting it."
#define TEXT_STRUCTURES_FOOTPRINT_FAILED "Error to write file\nA footprint cannot be written."
