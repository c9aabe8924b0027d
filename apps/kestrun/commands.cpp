#include "apps/kestrun/commands.h"

#include "framework/module.h"
#include "framework/page_report.h"
#include "framework/printrun/print_catalogue.h"
#include "host/returnfile/return_file.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/qr/report.h"

#include <algorithm>
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

void check_writable_folder(const std::filesystem::path& file, std::string_view option)
{
    auto dir = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec))
        throw input_error(std::string(option) + " " + file.string() + ": no folder " +
                          dir.string());
    if (::access(dir.c_str(), W_OK) != 0)
        throw input_error(std::string(option) + " " + file.string() +
                          ": the folder is not writable");
}

void check_output_file(const std::filesystem::path& file, std::string_view option, bool replace)
{
    const std::string named = std::string(option) + " " + file.string();
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(file, ec)) && !replace)
        throw input_error(named + ": the file already exists; give --replace to replace it");
    // The nearest folder that exists takes the missing ones, made when the file is written.
    auto dir = file.parent_path();
    while (!dir.empty() && !std::filesystem::exists(dir, ec) && dir != dir.parent_path())
        dir = dir.parent_path();
    if (dir.empty())
        dir = ".";
    if (!std::filesystem::is_directory(dir, ec))
        throw input_error(named + ": " + dir.string() + " is no folder");
    if (::access(dir.c_str(), W_OK) != 0)
        throw input_error(named + ": the folder " + dir.string() + " is not writable");
}

void make_parent_folders(const std::filesystem::path& file, std::string_view option)
{
    std::error_code ec;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ec);
    if (ec)
        throw io_error(std::string(option) + " " + file.string() +
                       ": cannot create the folder: " + ec.message());
}

namespace {

bool holds_data(const host::host_state& state, host::record_id id)
{
    const auto bytes = state.bytes(id);
    return std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b != 0; });
}

// --prepare pit28 runs what the PIT-28 dialog runs before the page; without it, a page that
// the dialog would prepare from the return's PIT-28 attachment data is warned of.
void prepare_page(const std::string& class_name, host::host_state& state,
                  const std::optional<std::string>& prepare)
{
    const auto op = preparation_of(pit28_catalogue, class_name);
    if (prepare) {
        if (*prepare != "pit28")
            throw input_error("--prepare " + *prepare +
                              ": expected pit28 (only the PIT-28 dialog prepares records)");
        if (!op)
            throw input_error("--prepare pit28: the PIT-28 dialog does not print " + class_name);
        prepare_records(*op, state);
    } else if (op && *op != record_preparation::none &&
               holds_data(state, host::record_id::pit28_zal)) {
        warn(class_name + ": the return holds PIT-28 attachment data (pit28_zal), which this "
                          "page shows only as print pit28 prepares it; add --prepare pit28");
    }
}

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
        auto r = child->Bounds().to_mm();
        r.x += design.margins.left;
        r.y += design.margins.top;
        // The size printed: a text wider than its box prints smaller, or cut at its edge.
        std::string text;
        if (const auto* memo = dynamic_cast<const qr::TQRMemo*>(child))
            for (std::size_t i = 0; i < memo->Lines.size(); ++i)
                text += (i ? "\n" : "") + memo->Lines[i];
        else if (const auto* label = dynamic_cast<const qr::TQRLabel*>(child))
            text = label->Caption;
        double size = child->Font.size_pt;
        if (!text.empty() && child->Enabled) {
            const auto fit = printing::fit_text(text, r, child->Font);
            size = fit.size_pt;
            if (fit.clipped)
                report_clipped(class_name, child->Name(), text);
        }
        f["font_pt"] = size;
        f["rect_mm"] = {round_mm(r.x), round_mm(r.y), round_mm(r.w), round_mm(r.h)};
        list.push_back(std::move(f));
    }
    return out;
}

} // namespace

int fields(const std::string& class_name, const return_source& source,
           const page_parameters& params, const std::optional<std::string>& prepare)
{
    auto state = load_return(source).state;
    const auto& cls = find_class(class_name);
    prepare_page(class_name, state, prepare);
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
         const std::filesystem::path& out, const std::optional<std::string>& prepare)
{
    auto ext = out.extension().string();
    if (ext != ".pdf" && ext != ".png")
        throw input_error("--out " + out.string() + ": expected a .pdf or .png file");
    check_writable_folder(out, "--out");
    auto state = load_return(source).state;
    const auto& cls = find_class(class_name);
    prepare_page(class_name, state, prepare);
    qr::set_job_opener([&](int, std::string_view) {
        return ext == ".pdf" ? printing::make_pdf_target(out) : printing::make_png_target(out);
    });
    page_instance page(cls, nullptr, state);
    set_parameters(*page, class_name, params);
    page->Print();
    return 0;
}

int encode(const std::filesystem::path& return_file, const std::filesystem::path& out_dir,
           bool replace)
{
    host::host_state state;
    host::load_return_file(return_file, state);
    std::error_code ec;
    if (std::filesystem::exists(out_dir, ec) && !std::filesystem::is_directory(out_dir, ec))
        throw input_error("--out " + out_dir.string() + ": not a folder");
    std::vector<std::string> names{"globals.json"};
    for (const auto id : host::all_records)
        names.push_back(host::image_file_name(id));
    if (!replace)
        for (const auto& name : names)
            if (std::filesystem::exists(std::filesystem::symlink_status(out_dir / name, ec)))
                throw input_error("--out " + out_dir.string() + ": the folder already holds " +
                                  name + " of an earlier encode; give --replace to replace it");
    host::write_images(state, out_dir);
    return 0;
}

int decode(const return_source& source, const std::optional<std::filesystem::path>& globals,
           const std::optional<std::filesystem::path>& from_pdf)
{
    if (from_pdf && (!source.images.empty() || globals))
        throw input_error("decode --from-pdf: the document holds the whole return; give no "
                          "--image or --globals with it");
    if (from_pdf && from_pdf->extension() != ".pdf")
        throw input_error("--from-pdf " + from_pdf->string() + ": expected a .pdf file");
    if (from_pdf) {
        std::cout << host::to_return_json(load_return({*from_pdf, {}}).state);
        finish_standard_output();
        return 0;
    }
    if (source.images.empty())
        throw input_error("decode: give the packed record images as --image NAME=FILE (rek28, "
                          "rekzez, rek_uz, pit28_zal, rekster)");
    auto state = load_return(source, globals).state;
    std::cout << host::to_return_json(state);
    finish_standard_output();
    return 0;
}

} // namespace kestrun::cli
