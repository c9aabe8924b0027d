#include "platform/qr/layout.h"

#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/io/json.h"
#include "platform/qr/form_fields.h"

#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <link.h>
#include <map>
#include <nlohmann/json.hpp>

namespace kestrun::qr {

namespace {

using nlohmann::json;

struct parse_context {
    const std::string& origin;
    [[noreturn]] void fail(const std::string& path, const std::string& what) const
    {
        throw input_error(origin + ": " + path + ": " + what);
    }
};

const json& member(const parse_context& cx, const json& obj, const std::string& path,
                   const char* key)
{
    auto it = obj.find(key);
    if (it == obj.end())
        cx.fail(path + "." + key, "missing");
    return *it;
}

rect_px read_rect(const parse_context& cx, const json& v, const std::string& path)
{
    if (!v.is_array() || v.size() != 4)
        cx.fail(path, "expected [left, top, width, height]");
    for (const auto& n : v)
        if (!n.is_number())
            cx.fail(path, "expected numbers");
    rect_px r{v[0].get<double>(), v[1].get<double>(), v[2].get<double>(), v[3].get<double>()};
    if (r.width <= 0 || r.height <= 0)
        cx.fail(path, "width and height must be positive");
    return r;
}

component_kind read_kind(const parse_context& cx, const std::string& s, const std::string& path)
{
    static const std::map<std::string, component_kind> kinds = {
        {"amount", component_kind::amount}, {"text", component_kind::text},
        {"cells", component_kind::cells},   {"mark", component_kind::mark},
        {"strike", component_kind::strike}, {"memo", component_kind::memo}};
    auto it = kinds.find(s);
    if (it == kinds.end())
        cx.fail(path, "unknown kind \"" + s + "\"");
    return it->second;
}

// The look of each kind of field: amounts right-justified, cell digits in the fixed-pitch
// font, marks centred, the strike-out captions small and struck through.
printing::text_style default_style(component_kind kind)
{
    printing::text_style s;
    switch (kind) {
    case component_kind::amount:
        s.align = printing::h_align::right;
        break;
    case component_kind::cells:
        s.family = printing::font_family::mono;
        s.word_wrap = false;
        break;
    case component_kind::mark:
        s.align = printing::h_align::center;
        s.word_wrap = false;
        break;
    case component_kind::strike:
        s.size_pt = 6.0;
        s.bold = false;
        s.strike_out = true;
        s.word_wrap = false;
        break;
    case component_kind::text:
    case component_kind::memo:
    case component_kind::image:
        break;
    }
    return s;
}

component_design read_component(const parse_context& cx, const json& c, const std::string& path)
{
    if (!c.is_object())
        cx.fail(path, "expected an object");
    component_design d;
    const auto& name = member(cx, c, path, "name");
    if (!name.is_string() || name.get<std::string>().empty())
        cx.fail(path + ".name", "expected a non-empty text");
    d.name = name.get<std::string>();
    const auto& kind = member(cx, c, path, "kind");
    if (!kind.is_string())
        cx.fail(path + ".kind", "expected a text");
    d.kind = read_kind(cx, kind.get<std::string>(), path + ".kind");
    d.rect = read_rect(cx, member(cx, c, path, "rect_px"), path + ".rect_px");
    d.style = default_style(d.kind);
    d.enabled = !(d.kind == component_kind::strike || d.kind == component_kind::memo);
    for (const auto& [key, v] : c.items()) {
        std::string p = path + "." + key;
        if (key == "name" || key == "kind" || key == "rect_px")
            continue;
        if (key == "box") {
            if (!v.is_number_integer() || v.get<int>() < 0)
                cx.fail(p, "expected a box number");
            d.box = v.get<int>();
        } else if (key == "enabled") {
            if (!v.is_boolean())
                cx.fail(p, "expected true or false");
            d.enabled = v.get<bool>();
        } else if (key == "spouse") {
            std::string s = v.is_string() ? v.get<std::string>() : "";
            if (s == "joint")
                d.spouse = spouse_field::joint_only;
            else if (s == "always")
                d.spouse = spouse_field::always;
            else if (s == "both")
                d.spouse = spouse_field::both;
            else
                cx.fail(p, "expected joint, always or both");
        } else if (key == "caption") {
            if (!v.is_string())
                cx.fail(p, "expected a text");
            d.caption = v.get<std::string>();
        } else if (key == "align") {
            std::string a = v.is_string() ? v.get<std::string>() : "";
            if (a == "left")
                d.style.align = printing::h_align::left;
            else if (a == "center")
                d.style.align = printing::h_align::center;
            else if (a == "right")
                d.style.align = printing::h_align::right;
            else
                cx.fail(p, "expected left, center or right");
        } else if (key == "wrap") {
            if (!v.is_boolean())
                cx.fail(p, "expected true or false");
            d.style.word_wrap = v.get<bool>();
        } else if (key == "font") {
            if (!v.is_object())
                cx.fail(p, "expected an object");
            for (const auto& [fk, fv] : v.items()) {
                std::string fp = p + "." + fk;
                if (fk == "family" && fv.is_string() && (fv == "sans" || fv == "mono"))
                    d.style.family =
                        fv == "mono" ? printing::font_family::mono : printing::font_family::sans;
                else if (fk == "size_pt" && fv.is_number() && fv.get<double>() >= 4 &&
                         fv.get<double>() <= 30)
                    d.style.size_pt = fv.get<double>();
                else if (fk == "bold" && fv.is_boolean())
                    d.style.bold = fv.get<bool>();
                else if (fk == "strike_out" && fv.is_boolean())
                    d.style.strike_out = fv.get<bool>();
                else
                    cx.fail(
                        fp,
                        "not a font setting (family sans|mono, size_pt 4-30, bold, strike_out)");
            }
        } else {
            cx.fail(p, "unknown key");
        }
    }
    return d;
}

} // namespace

std::string_view kind_name(component_kind kind)
{
    switch (kind) {
    case component_kind::amount:
        return "amount";
    case component_kind::text:
        return "text";
    case component_kind::cells:
        return "cells";
    case component_kind::mark:
        return "mark";
    case component_kind::strike:
        return "strike";
    case component_kind::memo:
        return "memo";
    case component_kind::image:
        return "image";
    }
    return "?";
}

page_design parse_design(std::string_view json_text, const std::string& origin)
{
    parse_context cx{origin};
    json doc = io::parse_json(json_text, origin);
    if (!doc.is_object())
        cx.fail("$", "not a JSON object");
    page_design d;
    auto text_member = [&](const char* key) {
        const auto& v = member(cx, doc, "$", key);
        if (!v.is_string())
            cx.fail(std::string("$.") + key, "expected a text");
        return v.get<std::string>();
    };
    d.unit = text_member("unit");
    d.class_name = text_member("class");
    d.report_name = text_member("report");
    if (auto it = doc.find("margins_mm"); it != doc.end()) {
        for (const auto* key : {"top", "bottom", "left", "right"})
            if (!it->contains(key) || !(*it)[key].is_number())
                cx.fail(std::string("$.margins_mm.") + key, "expected a number");
        d.margins = {(*it)["top"].get<double>(), (*it)["bottom"].get<double>(),
                     (*it)["left"].get<double>(), (*it)["right"].get<double>()};
    }
    if (auto it = doc.find("band_mm"); it != doc.end()) {
        if (!it->is_array() || it->size() != 2 || !(*it)[0].is_number() || !(*it)[1].is_number())
            cx.fail("$.band_mm", "expected [width, height]");
        d.band_width_mm = (*it)[0].get<double>();
        d.band_height_mm = (*it)[1].get<double>();
    }
    const auto& image = member(cx, doc, "$", "image");
    d.image.name = image.value("name", "QRI_obr_str");
    d.image.kind = component_kind::image;
    d.image.rect = read_rect(cx, member(cx, image, "$.image", "rect_px"), "$.image.rect_px");
    const auto& comps = member(cx, doc, "$", "components");
    if (!comps.is_array())
        cx.fail("$.components", "expected an array");
    for (std::size_t i = 0; i < comps.size(); ++i) {
        auto c = read_component(cx, comps[i], "$.components[" + std::to_string(i) + "]");
        if (c.name == d.image.name ||
            std::any_of(d.components.begin(), d.components.end(),
                        [&](const component_design& prior) { return prior.name == c.name; }))
            cx.fail("$.components[" + std::to_string(i) + "].name", "duplicate name " + c.name);
        d.components.push_back(std::move(c));
    }
    for (std::size_t i = 0; i < d.components.size(); ++i)
        d.index.emplace(d.components[i].name, i);
    return d;
}

std::filesystem::path asset_dir()
{
    if (const char* env = std::getenv("KESTRUN_ASSETS"); env && *env)
        return env;
    // Installed: <prefix>/lib/libkestrun.so or <prefix>/bin/kestrun next to
    // <prefix>/share/kestrun/assets (the library may lie one folder deeper, lib/<triplet>).
    Dl_info info{};
    link_map* loaded = nullptr;
    if (!dladdr1(reinterpret_cast<void*>(&asset_dir), &info, reinterpret_cast<void**>(&loaded),
                 RTLD_DL_LINKMAP) ||
        !info.dli_fname)
        throw io_error("the assets: cannot tell where the kestrun module lies; set KESTRUN_ASSETS "
                       "to the folder holding layouts/ and forms/");
    // Linked into a program, the module is the program, whose loaded name is empty and which
    // the loader names by argv[0] as typed: a bare name found on PATH, or a symlink. The kernel
    // knows the file it runs.
    std::error_code ec;
    std::filesystem::path module = info.dli_fname;
    if (loaded && *loaded->l_name == '\0')
        if (auto exe = std::filesystem::read_symlink("/proc/self/exe", ec); !ec)
            module = exe;
    if (auto real = std::filesystem::weakly_canonical(module, ec); !ec)
        module = real;
    const auto folder = module.parent_path();
    const std::filesystem::path candidates[] = {folder.parent_path() / KESTRUN_INSTALL_ASSETS_DIR,
                                                folder.parent_path().parent_path() /
                                                    KESTRUN_INSTALL_ASSETS_DIR};
    for (const auto& candidate : candidates) {
        if (std::filesystem::is_directory(candidate / "layouts", ec))
            return candidate;
    }
    // Only a module that was built here, and not installed, reads the build tree's assets.
    auto build = std::filesystem::weakly_canonical(KESTRUN_BUILD_DIR, ec);
    if (ec)
        build = KESTRUN_BUILD_DIR;
    const auto [end, ignored] =
        std::mismatch(build.begin(), build.end(), module.begin(), module.end());
    if (end == build.end())
        return KESTRUN_BUILD_ASSETS_DIR;
    throw io_error("the assets are not installed next to " + module.string() + " (looked in " +
                   candidates[0].string() + " and " + candidates[1].string() +
                   "); set KESTRUN_ASSETS to the folder holding layouts/ and forms/");
}

printing::form::field_prints prints_of(const page_design& design)
{
    printing::form::field_prints prints;
    for (const auto& c : design.components)
        prints[c.name] = {
            {c.rect.left, c.rect.top, c.rect.width, c.rect.height}, c.style, c.caption};
    return prints;
}

const page_design& design_of(std::string_view unit)
{
    // One cache per thread: a form drawing is a cairo recording that builds its index when first
    // replayed, so two print runs side by side must not replay the same one at once.
    thread_local std::map<std::string, std::unique_ptr<page_design>, std::less<>> cache;
    if (auto it = cache.find(unit); it != cache.end())
        return *it->second;
    auto dir = asset_dir();
    auto file = dir / "layouts" / (std::string(unit) + ".json");
    if (!std::filesystem::exists(file))
        throw input_error("missing asset " + file.string() + " (the layout of " +
                          std::string(unit) + ")");
    const auto text = io::read_text_file(file, io::document_limit, "layout");
    auto design = std::make_unique<page_design>(parse_design(text, file.string()));
    const auto scan = dir / "scans" / (std::string(unit) + ".jpg");
    const auto drawing = dir / "forms" / (std::string(unit) + ".json");
    if (std::filesystem::exists(scan)) {
        design->form.raster = printing::jpeg_image::load(scan);
    } else {
        if (!std::filesystem::exists(drawing))
            throw input_error("missing asset " + drawing.string() + " (the form drawing of " +
                              std::string(unit) + ")");
        const auto form_text = io::read_text_file(drawing, io::document_limit, "form drawing");
        const auto& r = design->image.rect;
        design->form.vector =
            printing::form::draw_picture(form_text, {r.left, r.top, r.width, r.height},
                                         drawing.string(), prints_of(*design))
                .picture;
    }
    return *cache.emplace(std::string(unit), std::move(design)).first->second;
}

} // namespace kestrun::qr
