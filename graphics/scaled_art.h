// The art drawn for the larger display scales, as the program rebuilds it:
// the skin of a larger scale travels as a correction to the program's own
// smooth enlargement of the 100 % skin, which it already carries, and is zero
// except where something is drawn for that scale (edges, frames, texts).
// Portable: the asset generator makes the corrections with the same code.
#pragma once

#include <cstddef>
#include <cstdint>

// Pixels of three bytes each (any channel order), rows from the top.
struct Pixels3 {
    std::uint8_t* data;
    int width, height;
    std::size_t stride;  // bytes from one row to the next
    std::uint8_t* row(int y) const { return data + static_cast<std::size_t>(y) * stride; }
};

// Resamples `from` bilinearly onto `to` (any sizes of at least one pixel),
// each pixel centre of `to` mapped onto `from`, in 8-bit fixed point: the same
// bytes on every machine and compiler.
void enlarge(const Pixels3& from, const Pixels3& to);

// Adds a correction of the same size, byte by byte modulo 256: the generator
// stores drawn minus enlarged.
void add_correction(const Pixels3& to, const Pixels3& correction);

// A fingerprint of a file's bytes (64-bit FNV-1a), to recognise the shipped
// number picture.
std::uint64_t fingerprint(const std::uint8_t* data, std::size_t size);
