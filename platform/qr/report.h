#pragma once
// The banded report engine: a single-page A4 report with one detail band, the form image and
// the labels and memos over it. Components are created from the page's design; the report's
// before-print event fills them; Print renders the band as one print job.

#include "platform/printing/render_target.h"
#include "platform/qr/layout.h"
#include "platform/vcl/classes.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::qr {

class TQRBand;

// A component on the band: position and size in layout pixels, enabled state, font.
class TQRPrintable : public vcl::TComponent {
public:
    TQRPrintable(vcl::TComponent* owner, TQRBand& parent, const component_design& design);

    TQRBand& Parent() const { return *m_parent; }
    const component_design& Design() const { return m_design; }
    rect_px Bounds() const { return m_bounds; }
    void SetWidth(double px) { m_bounds.width = px; }
    void SetHeight(double px) { m_bounds.height = px; }
    bool Enabled = true;
    printing::text_style Font;

private:
    TQRBand* m_parent;
    const component_design& m_design;
    rect_px m_bounds;
};

class TQRLabel : public TQRPrintable {
public:
    TQRLabel(vcl::TComponent* owner, TQRBand& parent, const component_design& design)
        : TQRPrintable(owner, parent, design), Caption(design.caption)
    {
    }
    std::string Caption;
};

class TQRMemo : public TQRPrintable {
public:
    TQRMemo(vcl::TComponent* owner, TQRBand& parent, const component_design& design);
    std::vector<std::string> Lines;
};

class TQRImage : public TQRPrintable {
public:
    TQRImage(vcl::TComponent* owner, TQRBand& parent, const component_design& design,
             printing::picture picture)
        : TQRPrintable(owner, parent, design), Picture(std::move(picture))
    {
    }
    // A scan (JPEG) or a drawing; the bundled forms are drawings.
    printing::picture Picture;
    bool Stretch = true;
};

// What a band does with a field name it does not hold: the host's by-name operations pass it
// over; a band built for page tests reports it, so that a misspelt name is not excused as a
// deliberately absent field.
enum class field_names { passed_over, reported };

class TQRBand : public vcl::TComponent {
public:
    TQRBand(vcl::TComponent* owner, double width_px, double height_px,
            field_names names = field_names::passed_over)
        : vcl::TComponent(owner), Width(width_px), Height(height_px), m_names(names)
    {
    }

    double Width, Height;

    // The band's children in creation order; the image first, so every field is drawn over it.
    const std::vector<TQRPrintable*>& Children() const { return m_children; }
    // The child of that component name, or null; a band that reports unknown names raises an
    // error instead. Every fill, by the page conventions or by the host's by-name operations,
    // looks its field up here once.
    TQRPrintable* Find(std::string_view name) const;
    // The child of that name, or null, whatever the band does with unknown names: for the
    // host's operations that fill whole name patterns, some of whose names a layout lacks.
    TQRPrintable* Lookup(std::string_view name) const;
    field_names names() const { return m_names; }

private:
    friend class TQRPrintable;
    friend class TQuickRep;
    std::vector<TQRPrintable*> m_children;
    const page_design* m_design = nullptr;
    field_names m_names;
};

// Where print jobs go: the platform's printer object opens a job on the printer of the given
// index, for the page of the given unit. Set once by the application.
using job_opener = std::function<std::unique_ptr<printing::render_target>(int printer_index,
                                                                          std::string_view unit)>;
void set_job_opener(job_opener opener);

class TQuickRep : public vcl::TComponent {
public:
    // Creates the band, the form image and every field of the unit's design, owned by `owner`
    // (the page report form) in design order.
    TQuickRep(vcl::TComponent* owner, const page_design& design,
              field_names names = field_names::passed_over);

    const page_design& Design() const { return *m_design; }
    TQRBand& Band() const { return *m_band; }
    TQRImage& Image() const { return *m_image; }
    // The report's height in layout pixels: the printable height of the page.
    double Height() const;

    struct {
        int PrinterIndex = -1;
    } PrinterSettings;

    // The before-print event; the handler may clear PrintReport (no page here ever does).
    std::function<void(vcl::TObject* sender, bool& print_report)> BeforePrint;

    // Told of a field whose text Render drew cut at the field's edge.
    std::function<void(const TQRPrintable& field, std::string_view text)> OnClipped;

    // Raises the before-print event without printing: what the page would print.
    bool Prepare();
    // Raises the before-print event, then renders the band as one print job on the printer of
    // PrinterSettings.PrinterIndex: the form image first, then every enabled field over it.
    void Print();
    // Renders the band into an open job (the job is not finished here).
    void Render(printing::render_target& target) const;
    // The same for the host's direct printing onto a pre-printed form: without the form image
    // when `form_image` is off, every field moved by (dx_mm, dy_mm).
    struct render_options {
        bool form_image = true;
        double dx_mm = 0, dy_mm = 0;
    };
    void Render(printing::render_target& target, const render_options& options) const;

private:
    const page_design* m_design;
    TQRBand* m_band;
    TQRImage* m_image;
};

} // namespace kestrun::qr
