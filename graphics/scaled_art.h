// The art drawn for the larger display scales, as the program rebuilds it:
// the skin of a larger scale travels as a correction to the program's own
// smooth enlargement of the 100 % skin, which it already carries, and is zero
// except where something is drawn for that scale (edges, frames, texts).
// Portable: the asset generator makes the corrections with the same code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Pixels of three bytes each (any channel order), rows from the top.
struct Pixels3 {
    std::uint8_t* data;
    int width, height;
    std::size_t stride;  // bytes from one row to the next
    std::uint8_t* row(int y) const { return data + static_cast<std::size_t>(y) * stride; }
};

// `from` resampled bilinearly to to_width x to_height pixels (any sizes of at
// least one pixel), each pixel centre mapped onto `from`, in 8-bit fixed
// point: the same bytes on every machine and compiler. Made a row at a time,
// rows from the top, each source row resampled across only once.
class Enlargement {
public:
    Enlargement(const Pixels3& from, int to_width, int to_height);
    // Row y (rows asked for in order) as to_width x 3 bytes into out.
    void row(int y, std::uint8_t* out);

    // For each pixel along an axis, the first of the two source pixels it
    // falls between and its weight on the second, in 1/256.
    struct Tap {
        int first;
        int weight;
    };

private:
    const std::vector<int>& across(int source_row);

    Pixels3 from_;
    std::vector<Tap> across_, down_;
    std::vector<int> resampled_[2];  // two source rows resampled across, unrounded
    int resampled_row_[2] = {-1, -1};
};

// The whole picture at once.
void enlarge(const Pixels3& from, const Pixels3& to);

// Adds a row of a correction (red first, as the generator stores drawn minus
// enlarged) to width pixels, modulo 256; to a row of a bitmap's, blue first,
// when to_blue_first.
void add_correction(std::uint8_t* to, const std::uint8_t* correction, int width, bool to_blue_first);

// A fingerprint of a file's bytes (64-bit FNV-1a), to recognise the shipped
// number picture.
std::uint64_t fingerprint(const std::uint8_t* data, std::size_t size);
