#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/drawing_lifecycle.h"
#include "tests/session_test.h"
#include "tests/test_support.h"

namespace {

class DrawingLifecycle : public SessionTest {
  protected:
    // A file of the given polygons with options unlike the defaults.
    static std::string SaveFile(const char* name, const std::vector<PolygonRecord>& polygons) {
        Drawing source;
        source.drawOptions = {1, 6, 1, 400.0};
        source.calcOptions = {2.0, 300.0};
        for (const PolygonRecord& polygon : polygons)
            source.polygons.appendPolygon(polygon);
        std::string path = TestPath(name);
        WriteDrawingFile(path.c_str(), source);
        return path;
    }

    void ExpectDefaultOptions() {
        EXPECT_EQ(drawing.drawOptions.snapOn, 0);
        EXPECT_EQ(drawing.drawOptions.snapIndex, 4);
        EXPECT_EQ(drawing.drawOptions.zoomIndex, 3);
        EXPECT_EQ(drawing.drawOptions.mapSize, 100.0);
        EXPECT_EQ(drawing.calcOptions.heightProjection, 3.0);
        EXPECT_EQ(drawing.calcOptions.distanceProjection, 500.0);
    }

    void ExpectFlags(int isOpen, int modified, int calcReady) {
        EXPECT_EQ(drawing.isOpen, isOpen);
        EXPECT_EQ(drawing.modified, modified);
        EXPECT_EQ(drawing.calcReady, calcReady);
    }
};

PolygonRecord Square(const char* name) {
    return MakePolygon(name, 0, {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 5}});
}

}  // namespace

TEST_F(DrawingLifecycle, NewKeepsOptionsStoredSinceAndEmptiesTheRest) {
    drawing.drawOptions.zoomIndex = 0;
    drawing.calcOptions.heightProjection = 4.0;
    strcpy(drawing.fileName, "old.Zlv");
    drawing.polygons.appendPolygon(Square("left over"));
    ShowResultOfDrawing(session, 3);
    NewDrawing(session);
    ExpectFlags(1, 0, 0);
    EXPECT_EQ(drawing.polygons.count(), 0);
    EXPECT_STREQ(drawing.fileName, "");
    EXPECT_EQ(ShownContours(session), 0);
    EXPECT_EQ(drawing.drawOptions.zoomIndex, 0);
    EXPECT_EQ(drawing.calcOptions.heightProjection, 4.0);
}

TEST_F(DrawingLifecycle, NewAfterCloseStartsFromDefaults) {
    NewDrawing(session);
    drawing.drawOptions = {1, 1, 1, 900.0};
    drawing.calcOptions = {9.0, 9.0};
    drawing.modified = 1;
    CloseDrawing(session);
    ExpectFlags(0, 0, 0);
    NewDrawing(session);
    ExpectDefaultOptions();
}

TEST_F(DrawingLifecycle, OpenTakesPolygonsOptionsAndName) {
    std::string path = SaveFile("open.Zlv", {Square("one"), Square("two")});
    ShowResultOfDrawing(session, 7);
    ASSERT_EQ(OpenDrawing(session, path.c_str()), FileError::None);
    ExpectFlags(1, 0, 1);
    EXPECT_EQ(drawing.polygons.count(), 2);
    EXPECT_STREQ(drawing.fileName, path.c_str());
    EXPECT_EQ(drawing.drawOptions.mapSize, 400.0);
    EXPECT_EQ(drawing.calcOptions.distanceProjection, 300.0);
    EXPECT_EQ(ShownContours(session), 0);
}

TEST_F(DrawingLifecycle, OpenOfAnEmptyDrawingSucceedsWithoutTheCheck) {
    std::string path = SaveFile("empty.Zlv", {});
    ASSERT_EQ(OpenDrawing(session, path.c_str()), FileError::None);
    ExpectFlags(1, 0, 1);
    EXPECT_EQ(drawing.polygons.count(), 0);
}

// A refused file must not leave its options behind either: the next New would calculate with them.
TEST_F(DrawingLifecycle, OpenOfInvalidPolygonsChangesNothing) {
    PolygonRecord twoVertices = MakePolygon("line", 0, {{0, 0, 1}, {5, 5, 1}});
    PolygonRecord repeated = MakePolygon("dup", 0, {{0, 0, 1}, {5, 0, 1}, {5, 0, 1}, {0, 5, 1}});
    PolygonRecord bowTie = MakePolygon("bow", 0, {{0, 0, 1}, {10, 10, 1}, {10, 0, 1}, {0, 10, 1}});
    for (const PolygonRecord& bad : {twoVertices, repeated, bowTie})
        for (bool alone : {false, true}) {
            StartDrawing(session);
            std::vector<PolygonRecord> polygons = {bad};
            if (!alone)
                polygons.insert(polygons.begin(), Square("fine"));
            std::string path = SaveFile("invalid.Zlv", polygons);
            EXPECT_EQ(OpenDrawing(session, path.c_str()), FileError::InvalidPolygons)
                << bad.name << (alone ? " alone" : "");
            EXPECT_EQ(drawing.polygons.count(), 0) << bad.name;
            ExpectFlags(0, 0, 0);
            ExpectDefaultOptions();
            EXPECT_STREQ(drawing.fileName, path.c_str());
            NewDrawing(session);
            ExpectDefaultOptions();
        }
}

TEST_F(DrawingLifecycle, OpenOfAMissingFileKeepsItsNameAndOpensNothing) {
    std::string path = TestPath("not-there.Zlv");
    EXPECT_EQ(OpenDrawing(session, path.c_str()), FileError::CannotOpen);
    ExpectFlags(0, 0, 0);
    EXPECT_STREQ(drawing.fileName, path.c_str());
    ExpectDefaultOptions();
}

TEST_F(DrawingLifecycle, OpenRefusesPathsThatDoNotFit) {
    std::string tooLong = TestPath("") + std::string(FileNameSize, 'x');
    EXPECT_EQ(OpenDrawing(session, tooLong.c_str()), FileError::PathTooLong);
    EXPECT_STREQ(drawing.fileName, "");
}

TEST_F(DrawingLifecycle, SaveClearsModifiedOnlyWhenTheWriteSucceeded) {
    NewDrawing(session);
    drawing.polygons.appendPolygon(Square("kept"));
    drawing.modified = 1;
    std::string unwritable = TestPath("missing-folder") + "/plan.Zlv";
    EXPECT_EQ(SaveDrawing(session, unwritable.c_str()), FileError::CannotWrite);
    EXPECT_EQ(drawing.modified, 1) << "a failed save must not make Close discard the work";
    EXPECT_STREQ(drawing.fileName, "");

    std::string path = TestPath("saved.Zlv");
    ASSERT_EQ(SaveDrawing(session, path.c_str()), FileError::None);
    EXPECT_EQ(drawing.modified, 0);
    EXPECT_STREQ(drawing.fileName, path.c_str());
    ASSERT_EQ(SaveDrawing(session, drawing.fileName), FileError::None) << "saving under the current name";
    EXPECT_STREQ(drawing.fileName, path.c_str());
}

TEST_F(DrawingLifecycle, SavedDrawingOpensAsItWas) {
    NewDrawing(session);
    drawing.drawOptions.snapIndex = 7;
    drawing.polygons.appendPolygon(Square("round trip"));
    std::string path = TestPath("again.Zlv");
    ASSERT_EQ(SaveDrawing(session, path.c_str()), FileError::None);
    std::vector<uint8_t> saved = EncodeDrawing(drawing);
    CloseDrawing(session);
    ASSERT_EQ(OpenDrawing(session, path.c_str()), FileError::None);
    EXPECT_EQ(EncodeDrawing(drawing), saved);
}
