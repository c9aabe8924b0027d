// The layout check, for every page report the module exports: every field the handler fills
// exists, lies inside the band and inside the box of the form it belongs to, no two fields
// overlap, and on records full of sentinel values no design caption leaks onto the page.

#include "framework/module.h"
#include "framework/page_report.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "tests/support/page_probe.h"
#include "tests/support/sentinels.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

namespace {

using kestrun::testing::sentinel_state;
namespace qr = kestrun::qr;

std::multimap<int, qr::rect_px> form_boxes(std::string_view unit)
{
    std::ifstream in(std::string(KESTRUN_SOURCE_DIR) + "/assets/forms/" + std::string(unit) +
                     ".json");
    EXPECT_TRUE(in) << "no form drawing for " << unit;
    std::multimap<int, qr::rect_px> boxes;
    if (!in)
        return boxes;
    auto form = nlohmann::json::parse(in);
    for (const auto& item : form.at("items"))
        if (item.at("kind") == "box") {
            const auto& r = item.at("rect_px");
            boxes.insert({item.at("number").get<int>(), {r[0], r[1], r[2], r[3]}});
        }
    return boxes;
}

bool inside(const qr::rect_px& inner, const qr::rect_px& outer)
{
    constexpr double slack = 0.5; // half a layout pixel
    return inner.left >= outer.left - slack && inner.top >= outer.top - slack &&
           inner.left + inner.width <= outer.left + outer.width + slack &&
           inner.top + inner.height <= outer.top + outer.height + slack;
}

bool overlap(const qr::rect_px& a, const qr::rect_px& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// Every combination of the values 0 to 7 of the parameters the page takes: each either prints
// or is refused with an input error that names the parameter and the value.
std::vector<std::map<std::string, int>> parameter_sets(kestrun::page_report& page)
{
    std::vector<std::map<std::string, int>> sets{{}};
    for (const char* name : {"nrp", "nrsp", "nr", "ilb"}) {
        if (!page.parameter(name))
            continue;
        std::vector<std::map<std::string, int>> out;
        for (const auto& s : sets)
            for (int v = 0; v <= 7; ++v) {
                auto t = s;
                t[name] = v;
                out.push_back(t);
            }
        sets = out;
    }
    return sets;
}

// A refusal must be an input error that names one of the values given, never a host error
// from reading past a record's array.
bool refused_by_name(const kestrun::error& e, const std::map<std::string, int>& params)
{
    const std::string what = e.what();
    return e.kind() == kestrun::error_kind::input &&
           std::any_of(params.begin(), params.end(), [&](const auto& p) {
               return what.find(p.first + " " + std::to_string(p.second)) != std::string::npos;
           });
}

TEST(layout_check, every_field_lies_in_the_band_and_in_its_box_and_none_overlap)
{
    for (const auto& cls : kestrun::page_classes()) {
        SCOPED_TRACE(std::string(cls.class_name));
        const auto& design = qr::design_of(cls.unit);
        EXPECT_EQ(design.class_name, cls.class_name);
        const qr::rect_px band{0, 0, design.band_width_mm / qr::mm_per_px,
                               design.band_height_mm / qr::mm_per_px};
        auto boxes = form_boxes(cls.unit);
        EXPECT_TRUE(inside(design.image.rect, band)) << "the form image";
        for (const auto& c : design.components) {
            EXPECT_TRUE(inside(c.rect, band)) << c.name << " lies outside the band";
            if (c.box == 0)
                continue;
            // A form may number its boxes anew in each repeated block (the donees of PIT/O):
            // the field lies in one of the boxes of its number.
            auto [first, last] = boxes.equal_range(c.box);
            if (first == last) {
                ADD_FAILURE() << c.name << ": the form has no box " << c.box;
                continue;
            }
            EXPECT_TRUE(
                std::any_of(first, last, [&](const auto& b) { return inside(c.rect, b.second); }))
                << c.name << " lies outside box " << c.box;
        }
        for (std::size_t i = 0; i < design.components.size(); ++i)
            for (std::size_t j = i + 1; j < design.components.size(); ++j)
                EXPECT_FALSE(overlap(design.components[i].rect, design.components[j].rect))
                    << design.components[i].name << " overlaps " << design.components[j].name;
    }
}

TEST(layout_check, handlers_fill_only_fields_of_their_layout_and_leak_no_design_caption)
{
    // Fields that print their design caption on purpose.
    const std::map<std::string, std::set<std::string>, std::less<>> fixed = {
        {"TF_wo15_1", {"QRL_ilzalo"}},
    };
    for (const auto& cls : kestrun::page_classes()) {
        SCOPED_TRACE(std::string(cls.class_name));
        for (bool sentinels : {true, false}) {
            SCOPED_TRACE(sentinels ? "sentinel records" : "empty records");
            auto h = sentinels ? sentinel_state() : kestrun::host::host_state{};
            std::vector<std::map<std::string, int>> sets;
            {
                kestrun::page_instance probe(cls, nullptr, h);
                sets = parameter_sets(*probe);
            }
            int printed_sets = 0;
            for (const auto& params : sets) {
                std::map<std::string, kestrun::testing::printed_field> printed;
                try {
                    printed = kestrun::testing::fill_page(cls.class_name, h, params);
                    ++printed_sets;
                } catch (const kestrun::error& e) {
                    EXPECT_TRUE(refused_by_name(e, params)) << e.what();
                    continue;
                } catch (const std::exception& e) {
                    ADD_FAILURE() << e.what();
                    continue;
                }
                if (!sentinels)
                    continue;
                const auto& design = qr::design_of(cls.unit);
                auto exempt = fixed.find(cls.class_name);
                for (const auto& c : design.components) {
                    if (c.kind == qr::component_kind::strike ||
                        c.kind == qr::component_kind::mark || c.kind == qr::component_kind::memo ||
                        c.caption.empty())
                        continue;
                    if (exempt != fixed.end() && exempt->second.count(c.name))
                        continue;
                    const auto& p = printed.at(c.name);
                    EXPECT_FALSE(p.enabled && p.caption == c.caption)
                        << c.name << " prints its design caption \"" << c.caption << "\"";
                }
            }
            EXPECT_GT(printed_sets, 0) << "the page refuses every parameter value";
        }
    }
}

} // namespace
