#pragma once
// JPEG in and out for the form images: the header of a scan, a decode for raster previews and
// the encoder the form-image generator writes its pages with.

#include "platform/printing/render_target.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kestrun::printing {

struct jpeg_header {
    int width = 0, height = 0;
};

// Throws kestrun::error (kind render) naming `origin` when the bytes are not a JPEG that can be
// decoded, or when its markers do not run whole from start to end of image (a file cut short).
jpeg_header read_jpeg_header(std::span<const std::uint8_t> bytes, const std::string& origin);

// Decodes the scan into rows of 32-bit pixels in cairo's RGB24 memory order; `stride` is the
// distance between rows in bytes (at least 4 × width).
void decode_jpeg_rgb24(const jpeg_image& image, std::uint8_t* pixels, int stride);

struct jpeg_encoding {
    int quality = 85;
    int dots_per_inch = 120; // written into the JFIF header
    bool grayscale = false;  // otherwise colour with 4:2:0 chroma
};

// Encodes rows of 32-bit pixels in cairo's RGB24 memory order. The same pixels give the same
// bytes.
std::vector<std::uint8_t> encode_jpeg_rgb24(const std::uint8_t* pixels, int width, int height,
                                            int stride, const jpeg_encoding& how);

} // namespace kestrun::printing
