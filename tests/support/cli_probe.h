#pragma once
// The command line as the independent checks use it: what `kestrun fields` prints, and a page
// printed with `kestrun page` checked with qpdf and pdftotext.

#include "tests/support/render_probe.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

namespace kestrun::testing {

using printing::probe::read_bytes;
using printing::probe::run;
using printing::probe::scratch_dir;

inline const std::string cli = KESTRUN_CLI;

inline std::string shell_quote(const std::filesystem::path& p)
{
    return "'" + p.string() + "'";
}

// The hidden files under a folder, as a run's temporary files are; none when there is no folder.
inline std::vector<std::string> hidden_files(const std::filesystem::path& folder)
{
    std::vector<std::string> out;
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
        if (it->path().filename().string().starts_with("."))
            out.push_back(it->path().string());
    return out;
}

inline void write_text(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

struct cli_field {
    std::string caption; // memo lines joined by "\n"
    bool enabled = false;
    double font_pt = 0;
    std::vector<double> rect_mm;
};

// `kestrun fields ARGS`, by field name.
inline std::map<std::string, cli_field> cli_fields(const std::string& args)
{
    // Warnings go to standard error; the JSON alone is read.
    auto r = printing::probe::run("{ " + cli + " fields " + args + " 2>/dev/null; }");
    EXPECT_EQ(r.status, 0) << r.output;
    std::map<std::string, cli_field> out;
    auto doc = nlohmann::json::parse(r.output, nullptr, false);
    if (doc.is_discarded() || !doc.contains("fields"))
        return out;
    for (const auto& f : doc.at("fields")) {
        cli_field field{{}, f.at("enabled"), f.at("font_pt"), f.at("rect_mm")};
        if (f.contains("lines")) {
            for (const auto& line : f.at("lines"))
                field.caption += (field.caption.empty() ? "" : "\n") + line.get<std::string>();
        } else {
            field.caption = f.at("caption");
        }
        out[f.at("name")] = field;
    }
    return out;
}

// `kestrun fields ARGS` prints each of the fields expected with its caption.
inline void expect_captions(const std::string& args,
                            const std::map<std::string, std::string>& expected)
{
    auto f = cli_fields(args);
    for (const auto& [name, caption] : expected) {
        ASSERT_TRUE(f.count(name)) << name;
        EXPECT_EQ(f[name].caption, caption) << name;
    }
}

// Prints the page of `kestrun page ARGS` twice into `pdf`: qpdf accepts it without a warning,
// both runs give the same bytes, and pdftotext finds every word of every printed caption inside
// its field's rectangle (1 pt of slack for the glyphs' descent).
inline void expect_page_prints_inside_fields(const std::string& args,
                                             const std::filesystem::path& pdf)
{
    auto again = pdf;
    again.replace_extension(".again.pdf");
    for (const auto& out : {pdf, again}) {
        auto r = printing::probe::run(cli + " page " + args + " --out " + shell_quote(out));
        ASSERT_EQ(r.status, 0) << r.output;
    }
    auto check = printing::probe::run(std::string(KESTRUN_QPDF) + " --check " + shell_quote(pdf));
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(printing::probe::read_bytes(pdf), printing::probe::read_bytes(again))
        << "same input, same bytes";

    const auto words = printing::probe::words_of(pdf);
    constexpr double pt = printing::probe::pt_per_mm, slack = 1.0;
    for (const auto& [name, f] : cli_fields(args)) {
        if (!f.enabled || f.caption.empty())
            continue;
        const double x0 = f.rect_mm[0] * pt - slack, y0 = f.rect_mm[1] * pt - slack;
        const double x1 = (f.rect_mm[0] + f.rect_mm[2]) * pt + slack;
        const double y1 = (f.rect_mm[1] + f.rect_mm[3]) * pt + slack;
        std::istringstream tokens(f.caption);
        for (std::string token; tokens >> token;) {
            const bool inside = std::any_of(words.begin(), words.end(), [&](const auto& w) {
                return w.text == token && w.x_min >= x0 && w.y_min >= y0 && w.x_max <= x1 &&
                       w.y_max <= y1;
            });
            EXPECT_TRUE(inside) << "\"" << token << "\" is not inside " << name;
        }
    }
}

// A page of a bundled example, its parameters, and a few of its boxes: the rules behind them are
// the page tests'.
struct example_page {
    std::string page, params;
    std::map<std::string, std::string> expected;
};

// Each page of `examples/FILE` prints the boxes expected and renders inside its fields.
inline void expect_example(const std::string& file, const std::vector<example_page>& pages)
{
    scratch_dir dir;
    int n = 0;
    for (const auto& p : pages) {
        const auto args = p.page + " " +
                          shell_quote(std::string(KESTRUN_SOURCE_DIR) + "/examples/" + file) +
                          p.params;
        SCOPED_TRACE(args);
        expect_captions(args, p.expected);
        expect_page_prints_inside_fields(args, dir / (std::to_string(++n) + ".pdf"));
    }
}

} // namespace kestrun::testing
