// formgen FORM.json LAYOUT.json OUT.jpg
// Draws a form page from its description and writes it as the JPEG scan the page report
// prints under its fields: as wide as the form says, as high as the layout's image component
// is in proportion, 120 dots per inch. The same input gives the same bytes.

#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/io/json.h"
#include "platform/printing/jpeg_codec.h"
#include "tools/formgen/form_drawing.h"

#include <cairo.h>
#include <cmath>
#include <iostream>
#include <memory>

namespace {

using kestrun::input_error;
using nlohmann::json;

json read_json(const std::string& file)
{
    return kestrun::io::read_json_file(file, kestrun::io::document_limit, "form description");
}

void generate(const std::string& form_file, const std::string& layout_file,
              const std::string& out_file)
{
    const json form = read_json(form_file);
    const json layout = read_json(layout_file);
    if (!form.is_object()) {
        throw input_error(form_file + ": $: expected an object");
    }
    const auto image = kestrun::formgen::image_rect(layout, layout_file);
    const auto width_value = form.find("width_px");
    if (width_value == form.end() || !width_value->is_number_integer() ||
        width_value->get<int>() < 100 || width_value->get<int>() > 4000) {
        throw input_error(form_file + ": $.width_px: expected a whole number from 100 to 4000");
    }
    const int width = width_value->get<int>();
    const int height = static_cast<int>(std::lround(width * image.h / image.w));
    if (height < 1 || height > 8000) {
        throw input_error(layout_file + ": QRI_obr_str: its proportions give a page " +
                          std::to_string(height) + " pixels high");
    }

    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), &cairo_surface_destroy);
    const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                                &cairo_destroy);
    // The scan is stretched into the image component, so a band pixel maps to
    // (band px - image left) × scan width / image width.
    const double scale = width / image.w;
    cairo_scale(cr.get(), scale, scale);
    cairo_translate(cr.get(), -image.x, -image.y);
    kestrun::formgen::draw_form(cr.get(), form, form_file);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
        throw kestrun::render_error(
            form_file + ": drawing failed: " + cairo_status_to_string(cairo_status(cr.get())));
    }
    cairo_surface_flush(surface.get());
    const auto jpeg = kestrun::printing::encode_jpeg_rgb24(
        cairo_image_surface_get_data(surface.get()), width, height,
        cairo_image_surface_get_stride(surface.get()), {});
    kestrun::io::write_file(out_file, jpeg);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: formgen FORM.json LAYOUT.json OUT.jpg\n";
        return 2;
    }
    try {
        generate(argv[1], argv[2], argv[3]);
        return 0;
    } catch (const kestrun::error& e) {
        std::cerr << "formgen: " << e.what() << "\n";
        return e.kind() == kestrun::error_kind::input ? 2 : 1;
    } catch (const std::exception& e) {
        std::cerr << "formgen: " << e.what() << "\n";
        return 1;
    }
}
