#include "platform/qr/report.h"

#include "platform/error.h"

#include <optional>

namespace kestrun::qr {

namespace {
job_opener& opener()
{
    // Per thread, like the printer it opens jobs on.
    thread_local job_opener the_opener;
    return the_opener;
}
} // namespace

void set_job_opener(job_opener o)
{
    opener() = std::move(o);
}

TQRPrintable::TQRPrintable(vcl::TComponent* owner, TQRBand& parent, const component_design& design)
    : vcl::TComponent(owner), Enabled(design.enabled), Font(design.style), m_parent(&parent),
      m_design(design), m_bounds(design.rect)
{
    SetName(design.name);
    parent.m_children.push_back(this);
}

TQRMemo::TQRMemo(vcl::TComponent* owner, TQRBand& parent, const component_design& design)
    : TQRPrintable(owner, parent, design)
{
    std::string_view text = design.caption;
    while (!text.empty()) {
        auto nl = text.find('\n');
        Lines.emplace_back(text.substr(0, nl));
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
    }
}

TQRPrintable* TQRBand::Lookup(std::string_view name) const
{
    // Children are the image and then the design's components, in design order.
    if (m_design) {
        auto it = m_design->index.find(name);
        return it == m_design->index.end() ? nullptr : m_children[it->second + 1];
    }
    for (auto* c : m_children)
        if (c->Name() == name)
            return c;
    return nullptr;
}

TQRPrintable* TQRBand::Find(std::string_view name) const
{
    auto* child = Lookup(name);
    if (!child && m_names == field_names::reported)
        throw host_error("the band has no field named " + std::string(name));
    return child;
}

TQuickRep::TQuickRep(vcl::TComponent* owner, const page_design& design, field_names names)
    : vcl::TComponent(owner), m_design(&design)
{
    SetName(design.report_name);
    m_band = new TQRBand(owner, design.band_width_mm / mm_per_px, design.band_height_mm / mm_per_px,
                         names);
    m_band->SetName("DB_dane");
    m_band->m_design = &design;
    m_image = new TQRImage(owner, *m_band, design.image, design.form);
    for (const auto& c : design.components) {
        if (c.kind == component_kind::memo)
            new TQRMemo(owner, *m_band, c);
        else
            new TQRLabel(owner, *m_band, c);
    }
}

double TQuickRep::Height() const
{
    return m_design->band_height_mm / mm_per_px;
}

bool TQuickRep::Prepare()
{
    bool print_report = true;
    if (BeforePrint)
        BeforePrint(this, print_report);
    return print_report;
}

void TQuickRep::Print()
{
    if (!Prepare())
        return;
    if (!opener())
        throw render_error("no printer is set up to print " + m_design->unit);
    auto job = opener()(PrinterSettings.PrinterIndex, m_design->unit);
    Render(*job);
    job->finish();
}

void TQuickRep::Render(printing::render_target& target) const
{
    Render(target, {});
}

void TQuickRep::Render(printing::render_target& target, const render_options& options) const
{
    const auto& m = m_design->margins;
    auto on_page = [&](rect_px r) {
        auto mm = r.to_mm();
        mm.x += m.left + options.dx_mm;
        mm.y += m.top + options.dy_mm;
        return mm;
    };
    const TQRPrintable* drawing = nullptr;
    std::optional<printing::scoped_clip_listener> clipped;
    if (OnClipped)
        clipped.emplace([&](std::string_view text) {
            if (drawing)
                OnClipped(*drawing, text);
        });
    target.begin_page({210.0, 297.0});
    for (auto* child : m_band->Children()) {
        if (!child->Enabled)
            continue;
        drawing = child;
        if (auto* image = dynamic_cast<TQRImage*>(child)) {
            if (image->Picture && options.form_image)
                target.draw_picture(image->Picture, on_page(image->Bounds()));
        } else if (auto* memo = dynamic_cast<TQRMemo*>(child)) {
            std::string text;
            for (std::size_t i = 0; i < memo->Lines.size(); ++i)
                text += (i ? "\n" : "") + memo->Lines[i];
            if (!text.empty())
                target.draw_text(text, on_page(memo->Bounds()), memo->Font);
        } else if (auto* label = dynamic_cast<TQRLabel*>(child)) {
            if (!label->Caption.empty())
                target.draw_text(label->Caption, on_page(label->Bounds()), label->Font);
        }
    }
    target.end_page();
}

} // namespace kestrun::qr
