// formgen FORM.json LAYOUT.json OUT.json
// Checks a form description against its layout by recording its drawing over the layout's form
// image, as the report does when it first prints the page, and installs the description in the
// build's assets unchanged. A bad description stops the build with one line naming the item,
// instead of stopping the first print run.

#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/io/json.h"
#include "platform/printing/form_drawing.h"
#include "platform/qr/form_fields.h"

#include <iostream>

namespace {

using kestrun::input_error;

std::string read_text(const std::string& file)
{
    return kestrun::io::read_text_file(file, kestrun::io::document_limit, "form description");
}

void check_and_install(const std::string& form_file, const std::string& layout_file,
                       const std::string& out_file)
{
    const std::string form = read_text(form_file);
    const auto design = kestrun::qr::parse_design(read_text(layout_file), layout_file);
    const auto& r = design.image.rect;
    kestrun::printing::form::draw_picture(form, {r.left, r.top, r.width, r.height}, form_file,
                                          kestrun::qr::prints_of(design));
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
