// Every text the program shows in a message box or a window title, spelled once.
#pragma once

#include "text/version.h"

#define TEXT_PROGRAM_TITLE "Zelvora v" ZELVORA_VERSION
#define TEXT_UNTITLED "Untitled"
#define TEXT_CANVAS_CLASS "Draw Window"
#define TEXT_HELP_CLASS "Help Window"
#define TEXT_EXPORT_CLASS "Export Window"
#define TEXT_START_COMPLETE "Start complete..."
#define TEXT_BUTTON_LABELS \
    { "Draw", "Create", "Edit", "Delete", "View Ad", "View Am" }

#define TEXT_WARNING "Warning"
#define TEXT_ERROR "Error"
#define TEXT_INFORMATION "Information"
#define TEXT_RESULTS "Results"
#define TEXT_FAILED "Failed"

#define TEXT_NO_STATUS_BAR "Unable to load status bar."
#define TEXT_DIALOG_FAILED "Unable to load dialog."
#define TEXT_BAD_COMMAND_LINE " Unable to parse command line"
#define TEXT_IMPORT_FAILURES "These footprints cannot be imported:\n\n%s\nDo you want to import the others?"
#define TEXT_OPEN_FAILED "Error to opening file"
#define TEXT_WRITE_FAILED "Error to write file"
#define TEXT_SAVE_CHANGES "Draw has changed. Do you want save it?"
#define TEXT_NOT_NEIGHBOURS "Polygons are not neighbors.\nDo you want to continue?"
#define TEXT_CALCULATION_FAILED "Error to calculate Ad and Am"
#define TEXT_CALCULATION_STOPPED "Calculation stopped"
#define TEXT_OUT_OF_MEMORY "The calculation ran out of memory; the drawing is as it was."
#define TEXT_BEYOND_MEMORY \
    "The calculation of %s vertices needs at least %s MB of memory and %s MB are free; it was not started."
#define TEXT_INVALID_POINT "Invalid Point"
#define TEXT_INVALID_POSITION "Invalid Position"
#define TEXT_INVALID_POLYGON "Invalid Polygon"
#define TEXT_MINIMUM_THREE_VERTICES "Minimum three vertices"
#define TEXT_CONFIRM_DELETE "Do you want to erease this polygon?"
#define TEXT_NAME_NEEDED "Polygon name cannot be empty."
#define TEXT_SIMPLIFIED_RESULTS "Ad [km^2]: %.5e\nAm [km^2]: %.5e"
#define TEXT_SNAP_ZOOM_REFUSED \
    "With these values of Snap grid and Zoom\nthe experience in designing deteriorates.\nPlease, change these values"
#define TEXT_METAFILE_FAILED "CreateEnhMetaFile Failed"
#define TEXT_COPY_FAILED "Error to copy the picture"
#define TEXT_BITMAP_FAILED "CreateCompatibleBitmap Failed"
#define TEXT_METAFILE_DESCRIPTION "Export - Zelvora\0\0"
#define TEXT_CALC_OPTIONS_RISK                                                                                     \
    "Modification of these parameters\nmay affect the validity of the results.\nModify at your own risk.\nDo you " \
    "want to continue?"

#define TEXT_FILE_FILTER "Data file(*.Zlv)\0*.Zlv\0"
#define TEXT_FILE_EXTENSION "Zlv"
#define TEXT_IMPORT_FILTER                                                                         \
    "CAD or GIS footprints (*.dxf;*.geojson;*.json)\0*.dxf;*.geojson;*.json\0DXF (*.dxf)\0*.dxf\0" \
    "GeoJSON (*.geojson;*.json)\0*.geojson;*.json\0"
// The metafile is an enhanced one, and offered as such so that programs that trust the name read it right.
#define TEXT_EXPORT_FILTER                                                                \
    "Enhanced Metafile(*.emf)\0*.emf\0Bitmap(*.bmp)\0*.bmp\0DXF outlines(*.dxf)\0*.dxf\0" \
    "GeoJSON outlines(*.geojson)\0*.geojson\0"
#define TEXT_EXPORT_EXTENSION "emf"

// The calculation report (File > Export report..., File > Print...).
#define TEXT_REPORT_FILTER "PDF report(*.pdf)\0*.pdf\0"
#define TEXT_REPORT_EXTENSION "pdf"
#define TEXT_REPORT_NOTHING "There is no drawing to report."
#define TEXT_REPORT_NOT_WRITTEN "Error to write file"
#define TEXT_REPORT_NOT_PRINTED "The report could not be printed."
#define TEXT_PRINT_FILE_FILTER "Printer output(*.prn)\0*.prn\0All files(*.*)\0*.*\0"
#define TEXT_PRINT_FILE_EXTENSION "prn"
#define TEXT_UNTITLED_DRAWING "Untitled"

// The assessment's dialogs (Data > Assessment..., the Structure and Line dialogs).
#define TEXT_NO_SUCH_STRUCTURE "This polygon does not begin a structure: open the structure from its first polygon."
#define TEXT_LINE_CHOICE_REFUSED "Choose the line's kind, installation and environment from their lists."
