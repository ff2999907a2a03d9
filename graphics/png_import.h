// Turning a chosen PNG file into the BMP file the tiles are cut from.
#pragma once

#include <string>

// Decodes the PNG at png_path to 8-bit RGB and writes it with encode_bmp to
// bmp_path. False, with bmp_path untouched, when the file cannot be read or
// decoded, or declares a picture too large to import.
bool convert_png_to_bmp(const std::string& png_path, const std::string& bmp_path);
