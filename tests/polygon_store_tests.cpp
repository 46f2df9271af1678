#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/drawing.h"
#include "tests/test_support.h"

namespace {

PolygonRecord Triangle(const char* name, int32_t priority, double offset) {
    return MakePolygon(name, priority, {{offset, 0, 1}, {offset + 10, 0, 2}, {offset, 5, 3}});
}

// The parallel arrays must equal the records after every operation.
void ExpectArraysAgree(const PolygonStore& store) {
    ASSERT_EQ(store.vertexCounts().size(), static_cast<size_t>(store.count()));
    ASSERT_EQ(store.priorities().size(), static_cast<size_t>(store.count()));
    for (int32_t i = 0; i < store.count(); i++) {
        EXPECT_EQ(store.vertexCounts()[i], store.polygon(i).vertexCount) << "polygon " << i;
        EXPECT_EQ(store.priorities()[i], store.polygon(i).priority) << "polygon " << i;
        EXPECT_EQ(store.polygon(i).x.size(), static_cast<size_t>(store.polygon(i).vertexCount));
    }
}

std::vector<std::string> Names(const PolygonStore& store) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < store.count(); i++)
        names.push_back(store.polygon(i).name);
    return names;
}

PolygonStore StoreOfFour() {
    PolygonStore store;
    store.appendPolygon(Triangle("A", 0, 0));
    store.appendPolygon(MakePolygon("B", 5, {{0, 0, 1}, {4, 0, 1}, {4, 4, 1}, {0, 4, 1}}));
    store.appendPolygon(Triangle("C", 9, 20));
    store.appendPolygon(Triangle("D", 2, 40));
    return store;
}

}  // namespace

TEST(PolygonStore, RemovingFirstMiddleAndLastKeepsOrderAndContent) {
    for (int32_t removed : {0, 1, 3}) {
        PolygonStore store = StoreOfFour();
        ASSERT_TRUE(store.removePolygon(removed));
        std::vector<std::string> expected = {"A", "B", "C", "D"};
        expected.erase(expected.begin() + removed);
        EXPECT_EQ(Names(store), expected) << "removed " << removed;
        ExpectArraysAgree(store);
    }
    PolygonStore store = StoreOfFour();
    store.removePolygon(1);
    EXPECT_EQ(store.polygon(1).priority, 9);
    EXPECT_EQ(store.polygon(1).x[1], 30.0);
    EXPECT_EQ(store.polygon(1).height[2], 3.0);
}

TEST(PolygonStore, RemovingOutOfRangeChangesNothing) {
    PolygonStore store = StoreOfFour();
    for (int32_t index : {-1, 4, 1000, INT32_MIN})
        EXPECT_FALSE(store.removePolygon(index)) << index;
    EXPECT_EQ(store.count(), 4);
    ExpectArraysAgree(store);
}

TEST(PolygonStore, RemovingTheOnlyPolygonLeavesEmptyArrays) {
    PolygonStore store;
    store.appendPolygon(Triangle("only", 3, 0));
    ASSERT_TRUE(store.removePolygon(0));
    EXPECT_EQ(store.count(), 0);
    EXPECT_TRUE(store.vertexCounts().empty());
    EXPECT_TRUE(store.priorities().empty());
}

TEST(PolygonStore, ArraysAgreeAfterMixedSequence) {
    PolygonStore store;
    for (int round = 0; round < 30; round++) {
        std::string name = "P" + std::to_string(round);
        if (round % 3 == 0)
            store.appendPolygon(MakePolygon(name.c_str(), round % 10, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}));
        else
            store.appendPolygon(Triangle(name.c_str(), round % 10, round));
        if (round % 4 == 3)
            store.removePolygon(round % store.count());
        if (round % 5 == 4)
            store.setPriority(store.count() - 1, (round * 7) % 10);
        ExpectArraysAgree(store);
    }
}

TEST(PolygonStore, AppendRefusesMalformedRecords) {
    PolygonStore store;
    PolygonRecord shortArrays = Triangle("x", 0, 0);
    shortArrays.height.pop_back();
    PolygonRecord badPriority = Triangle("x", 10, 0);
    PolygonRecord negativePriority = Triangle("x", -1, 0);
    PolygonRecord wrongCount = Triangle("x", 0, 0);
    wrongCount.vertexCount = 4;
    PolygonRecord unterminated = Triangle("x", 0, 0);
    memset(unterminated.name, 'n', PolygonNameSize);
    for (PolygonRecord* bad : {&shortArrays, &badPriority, &negativePriority, &wrongCount, &unterminated})
        EXPECT_FALSE(store.appendPolygon(*bad));
    EXPECT_EQ(store.count(), 0);
    ExpectArraysAgree(store);
}

TEST(PolygonStore, ReplaceTakesAllOrNothing) {
    PolygonStore store = StoreOfFour();
    std::vector<PolygonRecord> list = {Triangle("X", 1, 0), Triangle("Y", 11, 0)};
    EXPECT_FALSE(store.replacePolygons(list));
    EXPECT_EQ(Names(store), (std::vector<std::string>{"A", "B", "C", "D"}));

    list[1].priority = 4;
    EXPECT_TRUE(store.replacePolygons(list));
    EXPECT_EQ(Names(store), (std::vector<std::string>{"X", "Y"}));
    ExpectArraysAgree(store);
}

TEST(PolygonStore, InPlaceChangesReachOnlyTheirTarget) {
    PolygonStore store = StoreOfFour();
    EXPECT_TRUE(store.moveVertex(1, 2, 7.5, -3.25));
    EXPECT_EQ(store.polygon(1).x[2], 7.5);
    EXPECT_EQ(store.polygon(1).y[2], -3.25);
    EXPECT_TRUE(store.movePolygon(2, 1.5, -2));
    EXPECT_EQ(store.polygon(2).x[0], 21.5);
    EXPECT_EQ(store.polygon(2).y[2], 3.0);
    EXPECT_TRUE(store.setVertexHeight(3, 0, 42));
    EXPECT_EQ(store.polygon(3).height[0], 42.0);
    EXPECT_EQ(store.polygon(0).x[0], 0.0);  // untouched neighbour

    EXPECT_FALSE(store.moveVertex(1, 4, 0, 0));
    EXPECT_FALSE(store.moveVertex(4, 0, 0, 0));
    EXPECT_FALSE(store.setVertexHeight(0, -1, 1));
    EXPECT_FALSE(store.movePolygon(-1, 1, 1));
    EXPECT_FALSE(store.setPriority(0, 10));
    EXPECT_EQ(store.priorities()[0], 0);
}

TEST(PolygonStore, PriorityChangeWritesRecordAndArray) {
    PolygonStore store = StoreOfFour();
    ASSERT_TRUE(store.setPriority(2, 0));
    EXPECT_EQ(store.polygon(2).priority, 0);
    EXPECT_EQ(store.priorities()[2], 0);
}

TEST(PolygonName, LongTextIsCutAt99Bytes) {
    PolygonRecord polygon;
    std::string text(150, 'w');
    SetPolygonName(&polygon, text.c_str());
    EXPECT_EQ(strlen(polygon.name), 99u);
    SetPolygonName(&polygon, "short");
    EXPECT_STREQ(polygon.name, "short");
    EXPECT_EQ(polygon.name[98], 0) << "the rest of the buffer is cleared";
}

TEST(DrawingOptions, ResetRestoresEveryDefault) {
    Drawing target;
    target.drawOptions = {1, 7, 0, 1234.5};
    target.calcOptions = {4.5, 250.0};
    resetOptions(&target);
    EXPECT_EQ(target.drawOptions.snapOn, 0);
    EXPECT_EQ(target.drawOptions.snapIndex, 4);
    EXPECT_STREQ(SnapSteps[target.drawOptions.snapIndex].label, "1.0 m");
    EXPECT_EQ(target.drawOptions.zoomIndex, 3);
    EXPECT_STREQ(ZoomSteps[target.drawOptions.zoomIndex].label, "x 1.0");
    EXPECT_EQ(target.drawOptions.mapSize, 100.0);
    EXPECT_EQ(target.calcOptions.heightProjection, 3.0);
    EXPECT_EQ(target.calcOptions.distanceProjection, 500.0);
}

TEST(FileName, PathsThatDoNotFitAreRefusedAndTheOldNameKept) {
    Drawing target;
    ASSERT_TRUE(SetFileName(&target, "C:\\plans\\site.Zlv"));
    std::string tooLong(FileNameSize, 'p');
    EXPECT_FALSE(SetFileName(&target, tooLong.c_str()));
    EXPECT_STREQ(target.fileName, "C:\\plans\\site.Zlv");
    std::string longest(FileNameSize - 1, 'p');
    EXPECT_TRUE(SetFileName(&target, longest.c_str()));
    EXPECT_TRUE(SetFileName(&target, target.fileName)) << "a name set from itself";
    EXPECT_EQ(strlen(target.fileName), longest.size());
}
