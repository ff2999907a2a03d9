// Little-endian numbers appended to a file being built (BMP, ICO and WAVE headers).
#pragma once

#include <cstdint>
#include <vector>

inline void put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}

inline void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
