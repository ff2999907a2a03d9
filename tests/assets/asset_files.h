// Reading the generated resource files in the asset tests.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace asset_files {

inline std::vector<uint8_t> read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline uint32_t le16(const std::vector<uint8_t>& b, size_t at) {
    return at + 2 <= b.size() ? uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 : 0;
}

inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return at + 4 <= b.size() ? le16(b, at) | le16(b, at + 2) << 16 : 0;
}

inline int32_t sle32(const std::vector<uint8_t>& b, size_t at) { return static_cast<int32_t>(le32(b, at)); }

inline std::string tag(const std::vector<uint8_t>& b, size_t at) {
    return at + 4 <= b.size() ? std::string(b.begin() + at, b.begin() + at + 4) : std::string();
}

// The resources named in the generated script, by type: id -> file name.
inline std::map<int, std::string> script_entries(const std::string& rc_path, const std::string& type) {
    std::map<int, std::string> out;
    std::ifstream in(rc_path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        int id;
        std::string kind, file;
        if (!(words >> id >> kind >> file) || kind != type) continue;
        if (file.size() >= 2 && file.front() == '"' && file.back() == '"') file = file.substr(1, file.size() - 2);
        out[id] = file;
    }
    return out;
}

// A decoded 24-bit BMP: its header fields and its pixels, top row first.
struct Bitmap {
    bool ok = false;
    int width = 0, height = 0, bits = 0;
    uint32_t compression = 0, header_size = 0, data_offset = 0, file_size_field = 0;
    size_t file_size = 0;
    std::vector<uint8_t> rgb;  // width * height * 3

    const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    int brightness(int x, int y) const { return at(x, y)[0] + at(x, y)[1] + at(x, y)[2]; }
};

inline Bitmap read_bmp(const std::string& path) {
    Bitmap bm;
    const std::vector<uint8_t> b = read(path);
    bm.file_size = b.size();
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return bm;
    bm.file_size_field = le32(b, 2);
    bm.data_offset = le32(b, 10);
    bm.header_size = le32(b, 14);
    bm.width = sle32(b, 18);
    bm.height = sle32(b, 22);
    bm.bits = static_cast<int>(le16(b, 28));
    bm.compression = le32(b, 30);
    if (bm.bits != 24 || bm.width <= 0 || bm.height <= 0 || bm.width > 10000 || bm.height > 10000) return bm;
    const size_t row = (static_cast<size_t>(bm.width) * 3 + 3) & ~size_t(3);
    if (bm.data_offset + row * bm.height > b.size()) return bm;
    bm.rgb.resize(static_cast<size_t>(bm.width) * bm.height * 3);
    for (int y = 0; y < bm.height; ++y)
        for (int x = 0; x < bm.width; ++x) {
            const size_t src = bm.data_offset + row * (bm.height - 1 - y) + x * 3;
            uint8_t* dst = &bm.rgb[(static_cast<size_t>(y) * bm.width + x) * 3];
            dst[0] = b[src + 2];
            dst[1] = b[src + 1];
            dst[2] = b[src];
        }
    bm.ok = true;
    return bm;
}

}  // namespace asset_files
