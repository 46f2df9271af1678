// Little-endian bytes of the program's files: 32-bit integers and IEEE doubles written and read
// without padding, whatever the machine's own order and alignment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

class ByteWriter {
  public:
    explicit ByteWriter(std::vector<uint8_t>* out) : out(out) {}
    void byte(uint8_t value) { out->push_back(value); }
    void int32(int32_t value) { unsignedBytes(static_cast<uint32_t>(value), 4); }
    void real(double value) {
        uint64_t bits;
        memcpy(&bits, &value, sizeof bits);
        unsignedBytes(bits, 8);
    }
    void text(const char* bytes, size_t count) { out->insert(out->end(), bytes, bytes + count); }

  private:
    void unsignedBytes(uint64_t value, int count) {
        for (int i = 0; i < count; i++)
            out->push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    std::vector<uint8_t>* out;
};

// Callers check remaining() before each section, so reads never overrun.
class ByteReader {
  public:
    ByteReader(const uint8_t* bytes, size_t size) : bytes(bytes), size(size) {}
    size_t remaining() const { return size - position; }
    uint8_t byte() { return bytes[position++]; }
    int32_t int32() { return static_cast<int32_t>(unsignedBytes(4)); }
    double real() {
        uint64_t bits = unsignedBytes(8);
        double value;
        memcpy(&value, &bits, sizeof value);
        return value;
    }
    const uint8_t* take(size_t count) {
        const uint8_t* start = bytes + position;
        position += count;
        return start;
    }

  private:
    uint64_t unsignedBytes(int count) {
        uint64_t value = 0;
        for (int i = 0; i < count; i++)
            value |= static_cast<uint64_t>(bytes[position++]) << (8 * i);
        return value;
    }
    const uint8_t* bytes;
    size_t size;
    size_t position = 0;
};
