// formgen FORM.json LAYOUT.json OUT.json
// Checks a form description against its layout by recording its drawing over the layout's form
// image, as the report does when it first prints the page, and installs the description in the
// build's assets unchanged. A bad description stops the build with one line naming the item,
// instead of stopping the first print run.

#include "platform/error.h"
#include "platform/printing/file_output.h"
#include "platform/printing/render_target.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>

namespace {

using kestrun::input_error;

std::string read_text(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw kestrun::io_error("cannot read " + file);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The form image component's rectangle: the part of the band the form is drawn over.
kestrun::printing::vector_picture::frame_px image_frame(const std::string& layout_file)
{
    const auto layout = nlohmann::json::parse(read_text(layout_file), nullptr, false);
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
    kestrun::printing::write_file_whole(out_file,
                                        std::vector<std::uint8_t>(form.begin(), form.end()));
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
