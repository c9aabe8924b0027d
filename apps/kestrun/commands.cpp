#include "apps/kestrun/commands.h"

#include "framework/module.h"
#include "framework/page_report.h"
#include "host/returnfile/return_file.h"
#include "platform/error.h"
#include "platform/qr/report.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <iostream>
#include <nlohmann/json.hpp>
#include <unistd.h>

namespace kestrun::cli {

void finish_standard_output()
{
    errno = 0;
    std::cout.flush();
    if (!std::cout)
        throw io_error(std::string("cannot write the standard output") +
                       (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()));
}

host::host_state load_return(const return_source& source)
try {
    host::host_state state;
    if (source.file)
        host::load_return_file(*source.file, state);
    for (const auto& given : source.images) {
        auto eq = given.find('=');
        if (eq == std::string::npos || eq == 0 || eq + 1 == given.size())
            throw input_error("--image " + given + ": expected NAME=FILE");
        host::load_image(given.substr(0, eq), given.substr(eq + 1), state);
    }
    return state;
} catch (const error& e) {
    // A return that cannot be read is bad input, whatever failed underneath.
    if (e.kind() == error_kind::io)
        throw input_error(e.what());
    throw;
}

namespace {

const page_class& find_class(const std::string& class_name)
{
    const auto* cls = find_page_class(class_name);
    if (!cls) {
        std::string known;
        for (const auto& c : page_classes())
            known += (known.empty() ? "" : ", ") + std::string(c.class_name);
        throw input_error("unknown page report class " + class_name + " (known: " + known + ")");
    }
    return *cls;
}

void set_parameters(page_report& page, const std::string& class_name, const page_parameters& params)
{
    for (const auto& [name, value] : params) {
        int* field = page.parameter(name);
        if (!field)
            throw input_error(class_name + " takes no parameter --" + name);
        *field = value;
    }
}

double round_mm(double v)
{
    return std::round(v * 100.0) / 100.0;
}

nlohmann::ordered_json fields_json(const page_report& page, const std::string& class_name)
{
    const auto& design = page.report().Design();
    nlohmann::ordered_json out;
    out["class"] = class_name;
    auto& list = out["fields"] = nlohmann::ordered_json::array();
    for (const auto* child : page.DB_dane().Children()) {
        if (dynamic_cast<const qr::TQRImage*>(child))
            continue;
        nlohmann::ordered_json f;
        f["name"] = child->Name();
        if (const auto* memo = dynamic_cast<const qr::TQRMemo*>(child))
            f["lines"] = memo->Lines;
        else if (const auto* label = dynamic_cast<const qr::TQRLabel*>(child))
            f["caption"] = label->Caption;
        f["enabled"] = child->Enabled;
        f["font_pt"] = child->Font.size_pt;
        auto r = child->Bounds().to_mm();
        f["rect_mm"] = {round_mm(r.x + design.margins.left), round_mm(r.y + design.margins.top),
                        round_mm(r.w), round_mm(r.h)};
        list.push_back(std::move(f));
    }
    return out;
}

// The folder of an output file must exist and take files before anything is filled.
void check_writable_folder(const std::filesystem::path& file)
{
    auto dir = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec))
        throw input_error("cannot write " + file.string() + ": no folder " + dir.string());
    if (::access(dir.c_str(), W_OK) != 0)
        throw input_error("cannot write " + file.string() + ": the folder is not writable");
}

} // namespace

int fields(const std::string& class_name, const return_source& source,
           const page_parameters& params)
{
    auto state = load_return(source);
    const auto& cls = find_class(class_name);
    page_instance page(cls, nullptr, state);
    set_parameters(*page, class_name, params);
    page->Prepare();
    // One field per line: readable, and still one JSON document.
    auto doc = fields_json(*page, class_name);
    std::cout << "{\"class\": " << doc["class"].dump() << ", \"fields\": [\n";
    const auto& list = doc["fields"];
    for (std::size_t i = 0; i < list.size(); ++i)
        std::cout << "  " << list[i].dump() << (i + 1 < list.size() ? ",\n" : "\n");
    std::cout << "]}\n";
    finish_standard_output();
    return 0;
}

int page(const std::string& class_name, const return_source& source, const page_parameters& params,
         const std::filesystem::path& out)
{
    auto ext = out.extension().string();
    if (ext != ".pdf" && ext != ".png")
        throw input_error("--out " + out.string() + ": expected a .pdf or .png file");
    check_writable_folder(out);
    auto state = load_return(source);
    const auto& cls = find_class(class_name);
    qr::set_job_opener([&](int, std::string_view) {
        return ext == ".pdf" ? printing::make_pdf_target(out) : printing::make_png_target(out);
    });
    page_instance page(cls, nullptr, state);
    set_parameters(*page, class_name, params);
    page->Print();
    return 0;
}

int encode(const std::filesystem::path& return_file, const std::filesystem::path& out_dir)
{
    host::host_state state;
    host::load_return_file(return_file, state);
    std::error_code ec;
    if (!std::filesystem::is_directory(out_dir, ec))
        throw input_error("--out " + out_dir.string() + ": no such folder");
    host::write_images(state, out_dir);
    return 0;
}

int decode(const return_source& source)
{
    auto state = load_return(source);
    std::cout << host::to_return_json(state);
    finish_standard_output();
    return 0;
}

} // namespace kestrun::cli
