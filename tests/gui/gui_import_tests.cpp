// Data > Import in the program: the file asked for, the one height asked when the file lacks some, the
// question about footprints that fail, and the imported drawing shown whole; the outlines exported
// back for CAD and GIS.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/main_modes.h"
#include "engine/run/calc_records.h"
#include "resources/resource.h"
#include "shell/import_command_win.h"
#include "tests/gui/gui_dialog_steps.h"
#include "tests/gui/gui_test_support.h"
#include "ui/app_windows_win.h"
#include "view/canvas_state.h"
#include "view/export_win.h"
#include "view/view_transform.h"

namespace {

std::string importPath;

bool AnswerImportFile(HWND, char* path) {
    if (importPath.empty())
        return false;
    snprintf(path, FileNameSize, "%s", importPath.c_str());
    return true;
}

// A GeoJSON of two buildings near Turin, one of them with its height; its polygons as a feature text.
std::string Building(double lon, double lat, const char* properties) {
    char text[600];
    snprintf(text, sizeof text,
             "{\"type\":\"Feature\",\"properties\":%s,\"geometry\":{\"type\":\"Polygon\",\"coordinates\":"
             "[[[%.6f,%.6f],[%.6f,%.6f],[%.6f,%.6f],[%.6f,%.6f],[%.6f,%.6f]]]}}",
             properties, lon, lat, lon + 0.0004, lat, lon + 0.0004, lat + 0.0003, lon, lat + 0.0003, lon, lat);
    return text;
}

std::string Layer(const std::string& features) {
    return "{\"type\":\"FeatureCollection\",\"features\":[" + features + "]}";
}

void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

class Import : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        AskImportFile = AnswerImportFile;
        watch->OnActivate("Import", AnswerDialog);
    }
    void TearDown() override {
        AskImportFile = saved;
        importPath.clear();
        EXPECT_EQ(DialogStepsLeft(), 0u);
        ClearDialogSteps();
        MainWindowTest::TearDown();
    }
    ImportDialogFn saved = AskImportFile;
};

}  // namespace

// The height asked once stands for every footprint without one; the drawing comes as a new, untitled,
// modified one, shown whole.
TEST_F(Import, GeoJsonBecomesANewDrawingShownWhole) {
    importPath = TempPath("two buildings.geojson");
    WriteText(importPath, Layer(Building(7.68, 45.07, "{\"height\":\"18 m\"}") + "," +
                                Building(7.681, 45.0705, "{\"name\":\"shed\"}")));
    QueueDialogSteps({Type(IDC_IMPORT_HEIGHT_VALUE, "6,5"), Press(IDOK)});
    EXPECT_TRUE(ImportCommand(window));
    ASSERT_EQ(script.prompts.size(), 1u);
    EXPECT_EQ(script.prompts[0].caption, "Information");
    EXPECT_EQ(script.prompts[0].text.rfind("imported: 2 polygons with 8 vertices", 0), 0u) << script.prompts[0].text;
    EXPECT_EQ(MainSession().drawing.polygons.count(), 2);
    EXPECT_EQ(MainSession().drawing.polygons.polygon(0).height[0], 18.0);
    EXPECT_EQ(MainSession().drawing.polygons.polygon(1).height[0], 6.5);
    EXPECT_EQ(MainSession().drawing.isOpen, 1);
    EXPECT_EQ(MainSession().drawing.modified, 1);
    EXPECT_STREQ(MainSession().drawing.fileName, "");
    EXPECT_EQ(Looks(window), "Hooooo");
    // The footprints fill the canvas: inside it, and more than a third of it across or down, since the
    // next zoom step is at most two and a half times larger.
    RECT client;
    GetClientRect(canvasWindow, &client);
    ViewTransform view = CurrentView(MainSession().canvasState, MainSession().drawing);
    PixelPoint low = {INT32_MAX, INT32_MAX}, high = {INT32_MIN, INT32_MIN};
    for (int32_t i = 0; i < MainSession().drawing.polygons.count(); i++)
        for (int32_t k = 0; k < MainSession().drawing.polygons.polygon(i).vertexCount; k++) {
            PixelPoint p = ToPixel(view, MainSession().drawing.polygons.polygon(i).x[k],
                                   MainSession().drawing.polygons.polygon(i).y[k]);
            low = {std::min(low.x, p.x), std::min(low.y, p.y)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y)};
        }
    EXPECT_GE(low.x, 0);
    EXPECT_GE(low.y, 0);
    EXPECT_LT(high.x, client.right);
    EXPECT_LT(high.y, client.bottom);
    EXPECT_TRUE(3 * (high.x - low.x) > client.right || 3 * (high.y - low.y) > client.bottom)
        << high.x - low.x << " x " << high.y - low.y << " pixels of " << client.right << " x " << client.bottom;
}

// Nothing changes when the file is refused, when the height is not given, or when the user does not
// want the footprints that pass without those that fail.
TEST_F(Import, RefusalsLeaveNoDrawing) {
    std::string broken = TempPath("broken.geojson"), crossing = TempPath("crossing.geojson");
    WriteText(broken, "{\"type\": \"FeatureCollection\", \"features\": [");
    std::string bowTie =
        "{\"type\":\"Feature\",\"properties\":{\"height\":5},\"geometry\":{\"type\":\"Polygon\","
        "\"coordinates\":[[[7.68,45.07],[7.681,45.071],[7.681,45.07],[7.68,45.071],[7.68,45.07]]]}}";
    WriteText(crossing, Layer(Building(7.682, 45.07, "{\"height\":9}") + "," + bowTie));

    importPath = broken;
    EXPECT_FALSE(ImportCommand(window));
    ASSERT_EQ(script.prompts.size(), 1u);
    EXPECT_EQ(script.prompts[0].text.rfind("Error to opening file\n", 0), 0u) << script.prompts[0].text;
    EXPECT_EQ(script.prompts[0].caption, "Warning");

    importPath = TempPath("two buildings.geojson");
    WriteText(importPath, Layer(Building(7.68, 45.07, "{}")));
    QueueDialogSteps({Press(IDCANCEL)});
    EXPECT_FALSE(ImportCommand(window));

    importPath = crossing;
    script.answers.push_back(IDNO);
    EXPECT_FALSE(ImportCommand(window));
    ASSERT_EQ(script.prompts.size(), 2u);
    EXPECT_NE(script.prompts[1].text.find("Do you want to import the others?"), std::string::npos);
    EXPECT_EQ(MainSession().drawing.isOpen, 0);
    EXPECT_EQ(MainSession().drawing.polygons.count(), 0);
    EXPECT_EQ(Looks(window), "------");

    script.answers.push_back(IDYES);
    EXPECT_TRUE(ImportCommand(window));
    EXPECT_EQ(MainSession().drawing.polygons.count(), 1);
}

// A DXF whose unit code is none of DXF's: the unit is asked, with the reason, and the plan read in it;
// abandoning the question imports nothing.
TEST_F(Import, UnknownDxfUnitIsAskedFor) {
    importPath = TempPath("plan.dxf");
    WriteText(importPath,
              "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n99\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
              "0\nLWPOLYLINE\n8\nhall\n90\n4\n70\n1\n39\n40\n10\n0\n20\n0\n10\n100\n20\n0\n10\n100\n20\n50\n"
              "10\n0\n20\n50\n0\nENDSEC\n0\nEOF\n");
    QueueDialogSteps({Press(IDCANCEL)});
    EXPECT_FALSE(ImportCommand(window));
    EXPECT_EQ(MainSession().drawing.polygons.count(), 0);
    EXPECT_TRUE(script.prompts.empty());

    std::string reason;
    QueueDialogSteps({Read(IDC_IMPORT_UNIT_REASON, &reason), Choose(IDC_IMPORT_UNIT_LIST, 1), Press(IDOK)});
    EXPECT_TRUE(ImportCommand(window));
    EXPECT_NE(reason.find("$INSUNITS '99'"), std::string::npos) << reason;
    ASSERT_EQ(MainSession().drawing.polygons.count(), 1);
    EXPECT_DOUBLE_EQ(MainSession().drawing.polygons.polygon(0).height[0], 40 * 0.3048);
    ASSERT_EQ(script.prompts.size(), 1u);
    EXPECT_NE(script.prompts[0].text.find("units: feet (as given), scaled to metres\n"), std::string::npos)
        << script.prompts[0].text;
}

// In a result view the outline goes out as DXF or GeoJSON beside the pictures.
TEST_F(Import, OutlinesGoOutForCadAndGis) {
    importPath = TempPath("hall.geojson");
    WriteText(importPath, Layer(Building(7.68, 45.07, "{\"height\":12}")));
    ASSERT_TRUE(ImportCommand(window));
    script.prompts.clear();
    Click(IDC_VIEW_AD_BUTTON);
    ASSERT_EQ(MainSession().mainModes.viewMode, AdView);
    struct Case {
        ExportType type;
        const char* name;
        const char* expected;  // in the file's text
    };
    for (const Case& c :
         {Case{ExportType::Dxf, "hall.dxf", "LWPOLYLINE"}, Case{ExportType::GeoJson, "hall.geojson", "\"ad\""}}) {
        static std::string target;
        static ExportType type;
        target = TempPath(c.name);
        type = c.type;
        ExportDialogFn savedExport = AskExportFile;
        AskExportFile = [](char* path) {
            snprintf(path, MAX_PATH, "%s", target.c_str());
            return type;
        };
        EXPECT_TRUE(ExportDrawing()) << c.name;
        AskExportFile = savedExport;
        std::vector<uint8_t> bytes = FileBytes(target);
        EXPECT_NE(std::string(bytes.begin(), bytes.end()).find(c.expected), std::string::npos) << c.name;
    }
    EXPECT_TRUE(script.prompts.empty());
}
