// The rows of the program's own art, read one at a time straight from its PNG
// data (8-bit RGB, not interlaced): no whole-picture buffer is made on the
// way, which keeps the art of a larger scale quick to rebuild at start. The
// skin's rows are stored with the filter "None", which costs nothing to undo;
// the other art's with whichever filter packs it best.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class PngRows {
public:
    // Reads the header; ok() tells whether the data is such a PNG.
    PngRows(const std::uint8_t* png, std::size_t size);
    ~PngRows();
    PngRows(const PngRows&) = delete;
    PngRows& operator=(const PngRows&) = delete;

    bool ok() const { return ok_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The next row from the top: width x 3 bytes red, green, blue; nullptr when
    // the data ends early or is corrupt.
    const std::uint8_t* next_row();

private:
    bool feed();  // the next IDAT chunk into the inflater; false when there is none

    const std::uint8_t* png_;
    std::size_t size_;
    std::size_t at_ = 8;  // the next chunk
    bool ok_ = false;
    int width_ = 0, height_ = 0;
    z_stream stream_{};
    bool inflating_ = false;
    // Two rows, each the filter byte and then the pixels, taken in turn: the
    // other one is the row above, unfiltered (zeros above the first).
    std::vector<std::uint8_t> rows_[2];
    int current_ = 0;
};
