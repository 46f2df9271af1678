#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "model/drawing_file.h"
#include "tests/test_support.h"

namespace {

// File images written out byte by byte, independent of the writer under test.
class Bytes {
  public:
    Bytes& hex(const char* text) {
        for (const char* p = text; *p;) {
            if (*p == ' ') {
                p++;
                continue;
            }
            data.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
            p += 2;
        }
        return *this;
    }
    Bytes& zeros(size_t count) {
        data.insert(data.end(), count, 0);
        return *this;
    }
    Bytes& int32(int32_t value) {
        for (int i = 0; i < 4; i++)
            data.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
        return *this;
    }
    Bytes& text(const char* value) {
        data.insert(data.end(), value, value + strlen(value) + 1);
        return *this;
    }
    std::vector<uint8_t> data;
};

// Default options: snap off, snap index 4, zoom index 3, map size 100, projections 3 and 500.
Bytes DefaultHeader(const char* formatByte = "01") {
    Bytes b;
    b.hex(formatByte).hex("00").zeros(98);
    b.hex("04 00 00 00").hex("03 00 00 00").zeros(392);
    b.hex("00 00 00 00 00 00 59 40").hex("00 00 00 00 00 00 08 40").hex("00 00 00 00 00 40 7F 40").zeros(776);
    return b;
}

const char* const Zero = "00 00 00 00 00 00 00 00";
const char* const Ten = "00 00 00 00 00 00 24 40";

// One polygon "A", priority index 2, vertices (0,0,10), (10,0,10), (10,5,12): 1390 bytes.
std::vector<uint8_t> WorkedExample() {
    Bytes b = DefaultHeader();
    b.int32(1).int32(3).int32(2).int32(1).text("A");
    b.hex(Zero).hex(Ten).hex(Ten);
    b.hex(Zero).hex(Zero).hex("00 00 00 00 00 00 14 40");
    b.hex(Ten).hex(Ten).hex("00 00 00 00 00 00 28 40");
    return b.data;
}

PolygonRecord TriangleA() {
    return MakePolygon("A", 2, {{0, 0, 10}, {10, 0, 10}, {10, 5, 12}});
}

PolygonRecord SquareBC() {
    return MakePolygon("BC", 0, {{20, 20, 3}, {30, 20, 3}, {30, 30, 4}, {20, 30, 4}});
}

Drawing TwoPolygons() {
    Drawing source;
    source.polygons.appendPolygon(TriangleA());
    source.polygons.appendPolygon(SquareBC());
    return source;
}

FileError Decode(const std::vector<uint8_t>& bytes, DrawingImage* image) {
    return DecodeDrawing(bytes.data(), bytes.size(), image);
}

void PutInt32(std::vector<uint8_t>* bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; i++)
        (*bytes)[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

void PutReal(std::vector<uint8_t>* bytes, size_t offset, double value) {
    memcpy(bytes->data() + offset, &value, 8);  // both targets are little-endian
}

}  // namespace

TEST(DrawingFileWrite, WorkedExampleByteForByte) {
    Drawing source;
    source.polygons.appendPolygon(TriangleA());
    std::vector<uint8_t> expected = WorkedExample();
    ASSERT_EQ(expected.size(), 1390u);
    EXPECT_EQ(EncodeDrawing(source), expected);
}

TEST(DrawingFileWrite, SectionsFollowEachOtherWithoutPadding) {
    std::vector<uint8_t> bytes = EncodeDrawing(TwoPolygons());
    ASSERT_EQ(bytes.size(), 1501u);
    const uint8_t* at = bytes.data();
    EXPECT_EQ(memcmp(at + 1300, Bytes().int32(2).int32(3).int32(4).int32(2).int32(0).int32(1).int32(2).data.data(), 28),
              0);
    EXPECT_EQ(memcmp(at + 1328, "A\0BC\0", 5), 0);
    double first, secondPolygonFirstX, lastHeight;
    memcpy(&first, at + 1333 + 8, 8);
    memcpy(&secondPolygonFirstX, at + 1333 + 24, 8);
    memcpy(&lastHeight, at + 1445 + 48, 8);
    EXPECT_EQ(first, 10.0);
    EXPECT_EQ(secondPolygonFirstX, 20.0);
    EXPECT_EQ(lastHeight, 4.0);
}

TEST(DrawingFileWrite, EmptyDrawingIsHeaderAndZeroCount) {
    Drawing empty;
    std::vector<uint8_t> bytes = EncodeDrawing(empty);
    Bytes expected = DefaultHeader();
    expected.int32(0);
    EXPECT_EQ(bytes, expected.data);
}

TEST(DrawingFileWrite, StoresEveryOptionInItsSlot) {
    Drawing source;
    source.drawOptions = {1, 7, 6, 2500.0};
    source.calcOptions = {1.5, 0.25};
    std::vector<uint8_t> bytes = EncodeDrawing(source);
    EXPECT_EQ(bytes[1], 1);
    EXPECT_EQ(bytes[100], 7);
    EXPECT_EQ(bytes[104], 6);
    double values[3];
    memcpy(values, bytes.data() + 500, sizeof values);
    EXPECT_EQ(values[0], 2500.0);
    EXPECT_EQ(values[1], 1.5);
    EXPECT_EQ(values[2], 0.25);
}

TEST(DrawingFileRead, WorkedExampleGivesPolygonAndOptions) {
    DrawingImage image;
    ASSERT_EQ(Decode(WorkedExample(), &image), FileError::None);
    EXPECT_EQ(image.format, 1);
    EXPECT_EQ(image.drawOptions.snapIndex, 4);
    EXPECT_EQ(image.drawOptions.zoomIndex, 3);
    EXPECT_EQ(image.drawOptions.mapSize, 100.0);
    EXPECT_EQ(image.calcOptions.distanceProjection, 500.0);
    ASSERT_EQ(image.polygons.size(), 1u);
    const PolygonRecord& p = image.polygons[0];
    EXPECT_STREQ(p.name, "A");
    EXPECT_EQ(p.priority, 2);
    EXPECT_EQ(p.vertexCount, 3);
    EXPECT_EQ(p.x, (std::vector<double>{0, 10, 10}));
    EXPECT_EQ(p.y, (std::vector<double>{0, 0, 5}));
    EXPECT_EQ(p.height, (std::vector<double>{10, 10, 12}));
}

TEST(DrawingFileRead, RoundTripKeepsEveryBit) {
    const double awkward[] = {
        0.1, -0.0, 1e-310, std::numeric_limits<double>::max(), -123456789.123456789, 5.0e2 + 0.000001, 1.0 / 3.0};
    PolygonRecord odd = MakePolygon(
        std::string(99, 'n').c_str(), 9,
        {{awkward[0], awkward[1], awkward[2]}, {awkward[3], awkward[4], awkward[5]}, {awkward[6], -awkward[0], 0.0}});
    PolygonRecord unnamed = MakePolygon("", 5, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    Drawing source;
    source.drawOptions = {1, 2, 5, 1e7};
    source.calcOptions = {2.75, 123.456};
    source.polygons.appendPolygon(odd);
    source.polygons.appendPolygon(unnamed);

    std::vector<uint8_t> bytes = EncodeDrawing(source);
    Drawing copy;
    DrawingImage image;
    ASSERT_EQ(Decode(bytes, &image), FileError::None);
    copy.drawOptions = image.drawOptions;
    copy.calcOptions = image.calcOptions;
    copy.polygons.replacePolygons(image.polygons);
    EXPECT_EQ(EncodeDrawing(copy), bytes);
    EXPECT_EQ(strlen(copy.polygons.polygon(0).name), 99u);
    EXPECT_STREQ(copy.polygons.polygon(1).name, "");
    EXPECT_TRUE(std::signbit(copy.polygons.polygon(0).y[0]));
    EXPECT_EQ(copy.polygons.polygon(0).height[0], 1e-310);
}

TEST(DrawingFileRead, EmptyNameIsLengthZeroAndOneNul) {
    Drawing source;
    source.polygons.appendPolygon(MakePolygon("", 0, {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}}));
    std::vector<uint8_t> bytes = EncodeDrawing(source);
    EXPECT_EQ(bytes.size(), 1304u + 12 + 1 + 72);
    EXPECT_EQ(bytes[1312], 0);  // length 0
    EXPECT_EQ(bytes[1316], 0);  // the NUL
}

// Only format 1 carries options to apply; any other format byte, below or above it, keeps the current ones.
TEST(DrawingFileRead, OtherFormatKeepsCurrentOptionsButReadsPolygons) {
    const struct {
        const char* byte;
        uint8_t format;
    } formats[] = {{"00", 0}, {"02", 2}, {"FF", 255}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.byte);
        Bytes b = DefaultHeader(f.byte);
        PutInt32(&b.data, 100, 7);  // options that must not be applied
        std::vector<uint8_t> example = WorkedExample();
        b.data.insert(b.data.end(), example.begin() + 1300, example.end());
        std::string path = TestPath("format0.Zlv");
        WriteBytes(path, b.data);

        Drawing target;
        target.drawOptions.snapIndex = 2;
        target.calcOptions.heightProjection = 5.0;
        uint8_t format = 99;
        ASSERT_EQ(ReadDrawingFile(path.c_str(), &target, &format), FileError::None);
        EXPECT_EQ(format, f.format);
        EXPECT_EQ(target.drawOptions.snapIndex, 2);
        EXPECT_EQ(target.calcOptions.heightProjection, 5.0);
        ASSERT_EQ(target.polygons.count(), 1);
        EXPECT_STREQ(target.polygons.polygon(0).name, "A");
    }
}

TEST(DrawingFileRead, BytesAfterTheLastHeightAreIgnored) {
    std::vector<uint8_t> bytes = WorkedExample();
    bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    DrawingImage image;
    EXPECT_EQ(Decode(bytes, &image), FileError::None);
    EXPECT_EQ(image.polygons.size(), 1u);
}

TEST(DrawingFileRead, NameIsItsStoredLengthUpToAnEarlierNul) {
    std::vector<uint8_t> bytes = WorkedExample();
    bytes[1317] = 'Z';  // the byte that should be the NUL after "A"
    DrawingImage image;
    ASSERT_EQ(Decode(bytes, &image), FileError::None);
    EXPECT_STREQ(image.polygons[0].name, "A");

    Drawing source;
    source.polygons.appendPolygon(MakePolygon("ABCD", 0, {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}}));
    bytes = EncodeDrawing(source);
    bytes[1316 + 2] = 0;
    ASSERT_EQ(Decode(bytes, &image), FileError::None);
    EXPECT_STREQ(image.polygons[0].name, "AB");

    source.polygons.setName(0, std::string(99, 'q').c_str());
    bytes = EncodeDrawing(source);
    bytes[1316 + 99] = 'Z';
    ASSERT_EQ(Decode(bytes, &image), FileError::None);
    EXPECT_EQ(strlen(image.polygons[0].name), 99u);
}

TEST(DrawingFileRefusal, EveryTruncationIsRefused) {
    std::vector<uint8_t> bytes = EncodeDrawing(TwoPolygons());
    for (size_t size = 0; size < bytes.size(); size++) {
        DrawingImage image;
        EXPECT_EQ(DecodeDrawing(bytes.data(), size, &image), FileError::Truncated) << "size " << size;
    }
}

TEST(DrawingFileRefusal, CountsAndLengthsOutOfRange) {
    struct Case {
        const char* what;
        size_t offset;  // in the two-polygon file
        int32_t value;
        FileError expected;
    };
    const Case cases[] = {
        {"negative polygon count", 1300, -1, FileError::NegativeCount},
        {"huge polygon count", 1300, INT32_MAX, FileError::Truncated},
        {"negative vertex count", 1304, -3, FileError::NegativeCount},
        {"huge vertex count", 1308, INT32_MAX, FileError::Truncated},
        {"vertex count one too many", 1308, 5, FileError::Truncated},
        {"priority 10", 1312, 10, FileError::BadPriority},
        {"priority -1", 1316, -1, FileError::BadPriority},
        {"negative name length", 1320, -1, FileError::NegativeCount},
        {"name length 100", 1324, 100, FileError::NameTooLong},
        {"huge name length", 1320, INT32_MAX, FileError::NameTooLong},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = EncodeDrawing(TwoPolygons());
        PutInt32(&bytes, c.offset, c.value);
        DrawingImage image;
        EXPECT_EQ(Decode(bytes, &image), c.expected) << c.what;
    }
}

TEST(DrawingFileRefusal, VertexTotalThatOverflowsIsRefused) {
    std::vector<uint8_t> bytes = EncodeDrawing(TwoPolygons());
    PutInt32(&bytes, 1304, INT32_MAX);
    PutInt32(&bytes, 1308, INT32_MAX);
    DrawingImage image;
    EXPECT_EQ(Decode(bytes, &image), FileError::Truncated);
}

TEST(DrawingFileRefusal, ValuesThatAreNotFinite) {
    const double bad[] = {std::nan(""), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
    const size_t offsets[] = {1333, 1389 + 8 * 6, 1445 + 8 * 3};  // an x, the last y, a height
    for (double value : bad)
        for (size_t offset : offsets) {
            std::vector<uint8_t> bytes = EncodeDrawing(TwoPolygons());
            PutReal(&bytes, offset, value);
            DrawingImage image;
            EXPECT_EQ(Decode(bytes, &image), FileError::NotFinite) << value << " at " << offset;
        }
}

TEST(DrawingFileRefusal, OptionsOutOfRangeOnlyMatterForFormatOne) {
    struct Case {
        size_t offset;
        bool real;
        double value;
    };
    // Besides indices and values that are no numbers: values below what the dialogs store (map size
    // 100 m, height projection 1.0, distance projection 0.01 m), which would give wrong areas or a
    // silently changed sign.
    const Case cases[] = {
        {100, false, 8},           {100, false, -1},          {104, false, 7},
        {104, false, -1},          {500, true, std::nan("")}, {508, true, std::numeric_limits<double>::infinity()},
        {516, true, std::nan("")}, {500, true, 99.99},        {500, true, 0.0},
        {500, true, -400.0},       {508, true, 0.5},          {508, true, 0.0},
        {508, true, -3.0},         {508, true, 0.9999999},    {516, true, 0.0},
        {516, true, -500.0},       {516, true, 0.0099},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = WorkedExample();
        if (c.real)
            PutReal(&bytes, c.offset, c.value);
        else
            PutInt32(&bytes, c.offset, static_cast<int32_t>(c.value));
        DrawingImage image;
        EXPECT_EQ(Decode(bytes, &image), FileError::BadOptions) << "offset " << c.offset;
        bytes[0] = 2;
        EXPECT_EQ(Decode(bytes, &image), FileError::None) << "offset " << c.offset << ", format 2";
    }
}

TEST(DrawingFileRead, OptionsAtTheDialogsLeastValuesAreTaken) {
    std::vector<uint8_t> bytes = WorkedExample();
    PutReal(&bytes, 500, 100.0);
    PutReal(&bytes, 508, 1.0);
    PutReal(&bytes, 516, 0.01);
    DrawingImage image;
    ASSERT_EQ(Decode(bytes, &image), FileError::None);
    EXPECT_EQ(image.drawOptions.mapSize, 100.0);
    EXPECT_EQ(image.calcOptions.heightProjection, 1.0);
    EXPECT_EQ(image.calcOptions.distanceProjection, 0.01);
}

// Millions of polygons without vertices would take about fifteen times the file's size in memory;
// such a file is refused before the polygons are made. Real polygons stay well inside the bound.
TEST(DrawingFileRefusal, PolygonsFarLargerInMemoryThanOnDiskAreRefused) {
    auto file = [](int32_t polygons, int32_t vertices) {
        Bytes b = DefaultHeader();
        b.int32(polygons);
        for (int32_t i = 0; i < polygons; i++)
            b.int32(vertices);
        b.zeros(4 * static_cast<size_t>(polygons) * 2 + static_cast<size_t>(polygons));  // priorities, lengths, NULs
        b.zeros(24 * static_cast<size_t>(polygons) * vertices);
        return b.data;
    };
    DrawingImage image;
    EXPECT_EQ(Decode(file(200000, 0), &image), FileError::TooLarge);
    EXPECT_EQ(image.polygons.size(), 0u);
    EXPECT_EQ(Decode(file(20000, 3), &image), FileError::None);
    EXPECT_EQ(image.polygons.size(), 20000u);
    EXPECT_EQ(Decode(file(5000, 0), &image), FileError::None) << "a small file may hold empty polygons";
}

TEST(DrawingFileRefusal, RefusedFileLeavesTheDrawingAsItWas) {
    Drawing target = TwoPolygons();
    target.drawOptions.zoomIndex = 6;
    target.calcOptions.distanceProjection = 42.0;
    std::vector<uint8_t> before = EncodeDrawing(target);

    std::vector<uint8_t> bytes = WorkedExample();
    PutInt32(&bytes, 1308, 12);  // priority out of range, after options that would otherwise apply
    std::string path = TestPath("refused.Zlv");
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadDrawingFile(path.c_str(), &target), FileError::BadPriority);
    EXPECT_EQ(ReadDrawingFile(TestPath("missing.Zlv").c_str(), &target), FileError::CannotOpen);
    bytes.resize(1000);
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadDrawingFile(path.c_str(), &target), FileError::Truncated);
    EXPECT_EQ(EncodeDrawing(target), before);
}

TEST(DrawingFileRefusal, ErrorTextsNameTheFault) {
    EXPECT_STREQ(FileErrorText(FileError::Truncated), "the file is shorter than its counts and lengths announce");
    EXPECT_STREQ(FileErrorText(FileError::InvalidPolygons),
                 "a polygon has fewer than three vertices, repeats a vertex or crosses itself");
}
