#include "view/bmp_layout.h"

namespace {

void Put(std::vector<uint8_t>* bytes, uint32_t value, int size) {
    for (int i = 0; i < size; i++)
        bytes->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> BmpHeader(int32_t width, int32_t height) {
    uint32_t pixelBytes = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 4;
    std::vector<uint8_t> bytes;
    bytes.push_back('B');
    bytes.push_back('M');
    Put(&bytes, BmpHeaderSize + pixelBytes, 4);
    Put(&bytes, 0, 4);  // two reserved 16-bit fields
    Put(&bytes, BmpHeaderSize, 4);
    Put(&bytes, 40, 4);
    Put(&bytes, static_cast<uint32_t>(width), 4);
    Put(&bytes, static_cast<uint32_t>(height), 4);  // positive: bottom-up rows
    Put(&bytes, 1, 2);
    Put(&bytes, 32, 2);
    for (int field = 0; field < 6; field++)  // compression, image size, resolutions, colours
        Put(&bytes, 0, 4);
    return bytes;
}
