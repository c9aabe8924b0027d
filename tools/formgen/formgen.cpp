// formgen FORM.json LAYOUT.json OUT.json
// Checks a form description against its layout by recording its drawing over the layout's form
// image, as the report does when it first prints the page, and installs the description in the
// build's assets unchanged. A bad description stops the build with one line naming the item,
// instead of stopping the first print run.

#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/io/json.h"
#include "platform/printing/render_target.h"

#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

namespace {

using kestrun::input_error;

std::string read_text(const std::string& file)
{
    return kestrun::io::read_text_file(file, kestrun::io::document_limit, "form description");
}

// The form image component's rectangle: the part of the band the form is drawn over.
kestrun::printing::vector_picture::frame_px image_frame(const std::string& layout_file)
{
    const auto layout = kestrun::io::parse_json(read_text(layout_file), layout_file);
    const auto fail = [&]() -> kestrun::error {
        return input_error(layout_file + ": $.image.rect_px: expected [x, y, w, h] of the form "
                                         "image with a positive width and height");
    };
    if (!layout.is_object() || !layout.contains("image") || !layout["image"].is_object()) {
        throw fail();
    }
    const auto& r = layout["image"].value("rect_px", nlohmann::json{});
    if (!r.is_array() || r.size() != 4 ||
        !std::all_of(r.begin(), r.end(), [](const auto& v) { return v.is_number(); }) ||
        !(r[2].get<double>() > 0 && r[3].get<double>() > 0)) {
        throw fail();
    }
    return {r[0].get<double>(), r[1].get<double>(), r[2].get<double>(), r[3].get<double>()};
}

void check_and_install(const std::string& form_file, const std::string& layout_file,
                       const std::string& out_file)
{
    const std::string form = read_text(form_file);
    kestrun::printing::vector_picture::from_form(form, image_frame(layout_file), form_file);
    kestrun::io::write_file(out_file, form);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: formgen FORM.json LAYOUT.json OUT.json\n";
        return 2;
    }
    try {
        check_and_install(argv[1], argv[2], argv[3]);
        return 0;
    } catch (const kestrun::error& e) {
        std::cerr << "formgen: " << e.what() << "\n";
        return e.kind() == kestrun::error_kind::input ? 2 : 1;
    } catch (const std::exception& e) {
        std::cerr << "formgen: " << e.what() << "\n";
        return 1;
    }
}
