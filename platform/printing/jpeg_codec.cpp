#include "platform/printing/jpeg_codec.h"

#include "platform/error.h"

#include <bit>
#include <memory>
#include <turbojpeg.h>

namespace kestrun::printing {

namespace {

static_assert(std::endian::native == std::endian::little,
              "cairo's RGB24 pixels are read as B, G, R, X bytes");
constexpr int rgb24_format = TJPF_BGRX;

struct tj_closer {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using tj_handle = std::unique_ptr<void, tj_closer>;

std::string tj_message(void* handle)
{
    return tjGetErrorStr2(handle);
}

// The encoder writes a JFIF header without a density; the scans carry theirs in dots per
// inch, as the report engine reads them.
void set_jfif_density(std::vector<std::uint8_t>& jpeg, int dots_per_inch)
{
    constexpr std::uint8_t jfif[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 'J', 'F', 'I', 'F', 0};
    if (jpeg.size() < 18) {
        throw render_error("JPEG encoder: output too short for a JFIF header");
    }
    for (std::size_t i = 0; i < sizeof jfif; ++i) {
        if (i != 4 && i != 5 && jpeg[i] != jfif[i]) {
            throw render_error("JPEG encoder: output does not start with a JFIF header");
        }
    }
    const auto hi = static_cast<std::uint8_t>(dots_per_inch >> 8);
    const auto lo = static_cast<std::uint8_t>(dots_per_inch & 0xFF);
    jpeg[13] = 1; // dots per inch
    jpeg[14] = hi;
    jpeg[15] = lo;
    jpeg[16] = hi;
    jpeg[17] = lo;
}

// Walks the markers of the JPEG from its start of image through its entropy-coded scans to its
// end of image. The decoder reads a header happily from a file cut short, and the PDF would
// carry the cut scan as it is: a page with half a form.
void check_jpeg_structure(std::span<const std::uint8_t> bytes, const std::string& origin)
{
    const auto fail = [&](const std::string& what) {
        throw render_error("form image " + origin + ": " + what);
    };
    const std::size_t size = bytes.size();
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) {
        fail("not a JPEG (no start-of-image marker)");
    }
    const auto truncated = [&] { fail("truncated JPEG (no end-of-image marker)"); };
    std::size_t pos = 2;
    for (;;) {
        if (pos >= size) {
            truncated();
        }
        if (bytes[pos] != 0xFF) {
            fail("damaged JPEG (no marker at byte " + std::to_string(pos) + ")");
        }
        while (pos < size && bytes[pos] == 0xFF) {
            ++pos; // fill bytes
        }
        if (pos >= size) {
            truncated();
        }
        const std::uint8_t marker = bytes[pos++];
        if (marker == 0xD9) {
            return; // end of image
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            continue; // markers without a segment
        }
        if (pos + 2 > size) {
            truncated();
        }
        const std::size_t length = (std::size_t{bytes[pos]} << 8) | bytes[pos + 1];
        if (length < 2) {
            fail("damaged JPEG (segment length " + std::to_string(length) + " at byte " +
                 std::to_string(pos) + ")");
        }
        pos += length;
        if (pos > size) {
            truncated();
        }
        if (marker != 0xDA) {
            continue;
        }
        // Entropy-coded data runs to the next marker that is neither a stuffed 0xFF nor a
        // restart marker.
        while (pos < size) {
            if (bytes[pos] != 0xFF) {
                ++pos;
                continue;
            }
            if (pos + 1 >= size) {
                truncated();
            }
            const std::uint8_t next = bytes[pos + 1];
            if (next == 0x00 || next == 0xFF || (next >= 0xD0 && next <= 0xD7)) {
                pos += next == 0xFF ? 1 : 2;
                continue;
            }
            break;
        }
    }
}

} // namespace

jpeg_header read_jpeg_header(std::span<const std::uint8_t> bytes, const std::string& origin)
{
    check_jpeg_structure(bytes, origin);
    const tj_handle handle{tjInitDecompress()};
    if (!handle) {
        throw render_error("form image " + origin + ": JPEG decoder unavailable");
    }
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    // The decoder takes a non-const pointer but does not write through it.
    if (bytes.empty() || tjDecompressHeader3(handle.get(), const_cast<unsigned char*>(bytes.data()),
                                             static_cast<unsigned long>(bytes.size()), &width,
                                             &height, &subsampling, &colorspace) != 0) {
        throw render_error("form image " + origin + ": not a JPEG (" +
                           (bytes.empty() ? std::string("empty") : tj_message(handle.get())) + ")");
    }
    if (width <= 0 || height <= 0) {
        throw render_error("form image " + origin + ": JPEG of no size");
    }
    return {width, height};
}

void decode_jpeg_rgb24(const jpeg_image& image, std::uint8_t* pixels, int stride)
{
    const tj_handle handle{tjInitDecompress()};
    const auto& bytes = image.bytes();
    if (!handle ||
        tjDecompress2(handle.get(), bytes.data(), static_cast<unsigned long>(bytes.size()), pixels,
                      image.width_px(), stride, image.height_px(), rgb24_format,
                      TJFLAG_ACCURATEDCT) != 0) {
        throw render_error("form image " + image.origin() + ": cannot be decoded (" +
                           (handle ? tj_message(handle.get()) : std::string("no decoder")) + ")");
    }
}

std::vector<std::uint8_t> encode_jpeg_rgb24(const std::uint8_t* pixels, int width, int height,
                                            int stride, const jpeg_encoding& how)
{
    const tj_handle handle{tjInitCompress()};
    if (!handle) {
        throw render_error("JPEG encoder unavailable");
    }
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const int subsampling = how.grayscale ? TJSAMP_GRAY : TJSAMP_420;
    if (tjCompress2(handle.get(), pixels, width, stride, height, rgb24_format, &out, &size,
                    subsampling, how.quality, TJFLAG_ACCURATEDCT) != 0) {
        const std::string message = tj_message(handle.get());
        tjFree(out);
        throw render_error("JPEG encoder: " + message);
    }
    std::vector<std::uint8_t> jpeg(out, out + size);
    tjFree(out);
    set_jfif_density(jpeg, how.dots_per_inch);
    return jpeg;
}

} // namespace kestrun::printing
