// The assessment settings in the drawing: their tagged block in the file, and how a structure's
// settings follow its first polygon through deletions and undo.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/edit_history.h"
#include "editing/tool_actions.h"
#include "model/assessment_block.h"
#include "model/drawing_file.h"
#include "tests/test_support.h"

namespace {

Drawing ThreeSquares() {
    Drawing drawing;
    for (int i = 0; i < 3; i++)
        drawing.polygons.appendPolygon(Square(30.0 * i, 0, 10, 5 + i));
    return drawing;
}

AssessmentSettings SomeSettings() {
    AssessmentSettings settings;
    settings.present = 1;
    settings.edition = 3;
    settings.ng = 4.5;
    settings.nsg = 0.0;
    settings.k = 2.5;
    settings.uw = 1.5;
    StructureSettings* first = EditStructureSettings(&settings, 0);
    first->cd = 0.25;
    LineSettings line;
    line.kind = LineKind::Telecom;
    line.installation = LineInstallation::Meshed;
    line.environment = LineEnvironment::UrbanTall;
    line.transformer = 1;
    line.length = 750.0;
    line.uw = 1.0;
    line.adjacent = {1, 20.0, 30.0, 10.0, 0.5};
    first->lines = {line, LineSettings()};
    EditStructureSettings(&settings, 2)->uw = 1.0;
    return settings;
}

void ExpectSame(const AssessmentSettings& a, const AssessmentSettings& b) {
    std::vector<uint8_t> first, second;
    AppendAssessmentBlock(a, &first);
    AppendAssessmentBlock(b, &second);
    EXPECT_EQ(a.present, b.present);
    EXPECT_EQ(first, second);
}

DrawingImage Decode(const std::vector<uint8_t>& bytes) {
    DrawingImage image;
    EXPECT_EQ(DecodeDrawing(bytes.data(), bytes.size(), &image), FileError::None);
    return image;
}

TEST(AssessmentBlock, RoundTripsWithAndWithoutGeoreference) {
    for (bool georeferenced : {false, true}) {
        Drawing drawing = ThreeSquares();
        drawing.assessment = SomeSettings();
        if (georeferenced) {
            drawing.georeference.present = 1;
            drawing.georeference.shiftX = 123.5;
        }
        DrawingImage image = Decode(EncodeDrawing(drawing));
        ExpectSame(image.assessment, drawing.assessment);
        ASSERT_EQ(image.assessment.structures.size(), 2u);
        EXPECT_EQ(image.assessment.structures[0].lines[0].adjacent.cdj, 0.5);
        EXPECT_EQ(image.georeference.present, georeferenced ? 1 : 0);
        EXPECT_EQ(image.georeference.shiftX, georeferenced ? 123.5 : 0.0);
    }
}

// A drawing that never had settings is written exactly as before, and a stored example reads and
// writes back to its own bytes.
TEST(AssessmentBlock, AbsentBlockLeavesTheFileAsBefore) {
    Drawing drawing = ThreeSquares();
    std::vector<uint8_t> without = EncodeDrawing(drawing);
    drawing.assessment = SomeSettings();
    std::vector<uint8_t> with = EncodeDrawing(drawing);
    ASSERT_GT(with.size(), without.size());
    EXPECT_TRUE(std::equal(without.begin(), without.end(), with.begin()));
    EXPECT_EQ(memcmp(with.data() + without.size(), "ZASM", 4), 0);

    std::vector<uint8_t> example = FileBytes(std::string(ZELVORA_EXAMPLES) + "/industrial_site.Zlv");
    ASSERT_FALSE(example.empty());
    Drawing read;
    ASSERT_EQ(ReadDrawingFile((std::string(ZELVORA_EXAMPLES) + "/industrial_site.Zlv").c_str(), &read),
              FileError::None);
    EXPECT_EQ(read.assessment.present, 0);
    EXPECT_EQ(EncodeDrawing(read), example);
}

// Whatever is wrong with the block, the drawing is read and the settings are as if absent.
TEST(AssessmentBlock, DamagedOrUnknownBlocksAreIgnored) {
    Drawing drawing = ThreeSquares();
    drawing.georeference.present = 1;
    std::vector<uint8_t> plain = EncodeDrawing(drawing);
    drawing.assessment = SomeSettings();
    const std::vector<uint8_t> good = EncodeDrawing(drawing);
    size_t block = plain.size();
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    auto changed = [&](const char* what, size_t at, uint8_t value) {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        cases.push_back({what, bytes});
    };
    changed("unknown version", block + 4, 3);
    changed("a payload byte flipped", block + 20, good[block + 20] ^ 0x10);
    changed("the checksum changed", good.size() - 1, good.back() ^ 1);
    changed("a length beyond the file", block + 8, 0x7f);
    cases.push_back({"cut short", std::vector<uint8_t>(good.begin(), good.end() - 3)});
    cases.push_back({"only the tag", std::vector<uint8_t>(good.begin(), good.begin() + block + 4)});
    // A block this program could have written but for a polygon index beyond the drawing's.
    Drawing fewer = drawing;
    fewer.polygons.removePolygon(2);
    cases.push_back({"index beyond the polygons", EncodeDrawing(fewer)});
    for (const Case& c : cases) {
        DrawingImage image = Decode(c.bytes);
        EXPECT_EQ(image.assessment.present, 0) << c.what;
        EXPECT_EQ(image.polygons.size(), c.what == std::string("index beyond the polygons") ? 2u : 3u) << c.what;
        EXPECT_EQ(image.georeference.present, 1) << c.what;
    }
}

// The report's signature fields go into version 2 of the block and come back as written, in any script;
// settings without them stay version 1, as older files and programs have it.
TEST(AssessmentBlock, SignaturesRoundTripInVersionTwoOnly) {
    const struct {
        const char* what;
        ReportSignatures signatures;
        uint8_t version;
    } cases[] = {
        {"none", {}, 1},
        {"project only", {"Depot 7", "", ""}, 2},
        {"checker only", {"", "", "A. Ruiz"}, 2},
        {"all three, in Greek and Chinese", {"Αποθήκη Β", "王小明", std::string(200, 'x')}, 2},
    };
    for (const auto& c : cases) {
        Drawing drawing = ThreeSquares();
        drawing.assessment = SomeSettings();
        drawing.assessment.signatures = c.signatures;
        std::vector<uint8_t> bytes = EncodeDrawing(drawing);
        size_t block = EncodeDrawing(ThreeSquares()).size();
        ASSERT_GT(bytes.size(), block + 4) << c.what;
        EXPECT_EQ(bytes[block + 4], c.version) << c.what;
        DrawingImage image = Decode(bytes);
        EXPECT_EQ(image.assessment.present, 1) << c.what;
        EXPECT_EQ(image.assessment.signatures.project, c.signatures.project) << c.what;
        EXPECT_EQ(image.assessment.signatures.author, c.signatures.author) << c.what;
        EXPECT_EQ(image.assessment.signatures.checker, c.signatures.checker) << c.what;
        ExpectSame(image.assessment, drawing.assessment);
    }
}

TEST(AssessmentBlock, ValuesOutOfRangeAreRefusedAsAWhole) {
    struct Case {
        const char* what;
        void (*spoil)(AssessmentSettings*);
    } cases[] = {
        {"edition 4", [](AssessmentSettings* s) { s->edition = 4; }},
        {"negative NG", [](AssessmentSettings* s) { s->ng = -1; }},
        {"k of 0", [](AssessmentSettings* s) { s->k = 0; }},
        {"UW of 0", [](AssessmentSettings* s) { s->uw = 0; }},
        {"CD 0.3", [](AssessmentSettings* s) { s->structures[0].cd = 0.3; }},
        {"nine lines", [](AssessmentSettings* s) { s->structures[0].lines.resize(9); }},
        {"unknown line kind", [](AssessmentSettings* s) { s->structures[0].lines[0].kind = LineKind::Count; }},
        {"adjacent without width", [](AssessmentSettings* s) { s->structures[0].lines[0].adjacent.width = 0; }},
        {"polygons out of order", [](AssessmentSettings* s) { std::swap(s->structures[0], s->structures[1]); }},
        {"author of 201 bytes", [](AssessmentSettings* s) { s->signatures.author.assign(201, 'a'); }},
        {"checker with a zero byte", [](AssessmentSettings* s) { s->signatures.checker = std::string("a\0b", 3); }},
    };
    for (const Case& c : cases) {
        Drawing drawing = ThreeSquares();
        drawing.assessment = SomeSettings();
        c.spoil(&drawing.assessment);
        EXPECT_EQ(Decode(EncodeDrawing(drawing)).assessment.present, 0) << c.what;
    }
}

TEST(AssessmentSettings, FollowTheirPolygonThroughDeletion) {
    Drawing drawing = ThreeSquares();
    drawing.assessment = SomeSettings();  // on polygons 0 and 2
    ToolOutcome outcome;
    outcome.polygon = 1;
    ConfirmDelete(&drawing, &outcome);
    ASSERT_EQ(drawing.polygons.count(), 2);
    ASSERT_EQ(drawing.assessment.structures.size(), 2u);
    EXPECT_EQ(drawing.assessment.structures[1].firstPolygon, 1);  // was polygon 2
    EXPECT_EQ(drawing.assessment.structures[1].uw, 1.0);
    outcome.polygon = 0;
    ConfirmDelete(&drawing, &outcome);
    ASSERT_EQ(drawing.assessment.structures.size(), 1u);
    EXPECT_EQ(drawing.assessment.structures[0].firstPolygon, 0);
    EXPECT_EQ(drawing.assessment.structures[0].uw, 1.0);
    EXPECT_EQ(Decode(EncodeDrawing(drawing)).assessment.structures.size(), 1u);  // still a valid block
}

TEST(AssessmentSettings, UndoRestoresThem) {
    Drawing drawing = ThreeSquares();
    drawing.isOpen = 1;
    EditHistory history;
    history.reset(drawing, true);
    drawing.assessment = SomeSettings();
    ASSERT_TRUE(history.recordChange(&drawing));
    EditStructureSettings(&drawing.assessment, 0)->cd = 1.0;
    ASSERT_TRUE(history.recordChange(&drawing));
    ASSERT_TRUE(history.undo(&drawing));
    EXPECT_EQ(FindStructureSettings(drawing.assessment, 0)->cd, 0.25);
    ASSERT_TRUE(history.undo(&drawing));
    EXPECT_EQ(drawing.assessment.present, 0);
    ASSERT_TRUE(history.redo(&drawing));
    ExpectSame(drawing.assessment, SomeSettings());
}

// Joining keeps the first polygon's settings; a part split off again starts from the defaults.
TEST(AssessmentSettings, JoinKeepsTheFirstAndASplitStartsAfresh) {
    Drawing drawing = ThreeSquares();  // squares at x 0, 30, 60: three structures
    drawing.isOpen = 1;
    EditHistory history;
    history.reset(drawing, true);
    EditStructureSettings(&drawing.assessment, 0)->cd = 0.25;
    EditStructureSettings(&drawing.assessment, 1)->cd = 2.0;
    ASSERT_TRUE(history.recordChange(&drawing));
    ASSERT_EQ(drawing.assessment.structures.size(), 2u);
    ASSERT_TRUE(drawing.polygons.movePolygon(1, -20.0, 0.0));  // now shares a wall with polygon 0
    ASSERT_TRUE(history.recordChange(&drawing));
    ASSERT_EQ(drawing.assessment.structures.size(), 1u);
    EXPECT_EQ(drawing.assessment.structures[0].firstPolygon, 0);
    ASSERT_TRUE(drawing.polygons.movePolygon(1, 20.0, 0.0));  // apart again
    ASSERT_TRUE(history.recordChange(&drawing));
    EXPECT_EQ(FindStructureSettings(drawing.assessment, 1), nullptr);
    EXPECT_EQ(FindStructureSettings(drawing.assessment, 0)->cd, 0.25);
    // Undo goes back through the joined state to the one with both structures' settings.
    ASSERT_TRUE(history.undo(&drawing));
    ASSERT_TRUE(history.undo(&drawing));
    EXPECT_EQ(FindStructureSettings(drawing.assessment, 1)->cd, 2.0);
}

}  // namespace
