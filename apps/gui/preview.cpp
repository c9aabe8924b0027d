#include "apps/gui/preview.h"

#include "apps/gui/modal.h"
#include "framework/module.h"
#include "framework/page_report.h"
#include "framework/pitb_sheets.h"
#include "host/korvel/zezprzel.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/printing/render_target.h"
#include "platform/vcl/trace.h"

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace kestrun::gui {

namespace {

// The arguments of the first print of a step: its own for a page printed once, else the
// taxpayer's first PIT/B sheet (with the person's sheet count) or the first PIT-28/B.
std::array<int, 3> first_arguments(const print_step& row, const host::host_state& host)
{
    switch (row.repeat) {
    case print_repeat::once:
        return row.args;
    case print_repeat::per_pitb_sheet:
        return {1, 1, std::max(1, pitb_sheets::of(host.rekzez(), 1).sheets())};
    case print_repeat::per_pit28b:
        return {1, 0, 0};
    }
    return row.args;
}

void prepare(record_preparation preparation, host::host_state& host)
{
    switch (preparation) {
    case record_preparation::none:
        return;
    case record_preparation::przep_zalo:
        return Zezprzel::przep_zalo(host);
    case record_preparation::przep_zald:
        return Zezprzel::przep_zald(host);
    case record_preparation::przep_zal2k:
        return Zezprzel::przep_zal2k(host);
    }
}

} // namespace

page_preview render_preview(const print_dialog& dialog, const host::host_state& host,
                            const vcl::TCheckBox& box, bool blank_paper)
{
    const auto& steps = dialog.Catalogue().steps;
    const auto row = std::find_if(steps.begin(), steps.end(),
                                  [&](const print_step& s) { return s.box == box.Name(); });
    if (row == steps.end())
        throw render_error("the " + std::string(dialog.ReturnName()) +
                           " dialog prints no page for " + box.Name());
    const auto* cls = find_page_class(row->page_class());
    if (!cls)
        throw render_error("the page report " + std::string(row->page_class()) +
                           " is not in this build");

    const vcl::trace::scoped_sink untraced(nullptr);
    host::host_state copy = host;
    prepare(row->prepare, copy);
    const auto args = first_arguments(*row, copy);
    page_preview out{std::string(row->page), {}};
    qr::set_job_opener(
        [&out](int, std::string_view) { return printing::make_png_memory_target(out.png); });
    // The print run's opener is put back whatever happens.
    struct restore {
        ~restore() { install_printer_job_opener(); }
    } restored;
    page_instance page(*cls, nullptr, copy);
    for (const auto& [name, value] : row->direct.parameters(std::span<const int>(
             args.data(), static_cast<std::size_t>(row->direct.argument_count())))) {
        if (int* field = page->parameter(name))
            *field = value;
    }
    // A pre-printed form carries the form already: only the data prints.
    page->QRI_obr_str().Enabled = blank_paper;
    page->Print();
    return out;
}

void show_preview(QWidget* parent, const page_preview& preview, bool blank_paper)
{
    QDialog window(parent);
    window.setObjectName(QStringLiteral("preview"));
    window.setWindowTitle(qs("Podgląd: " + preview.page +
                             (blank_paper ? " (czyste kartki)" : " (formularz z nadrukiem)")));
    auto* layout = new QVBoxLayout(&window);
    auto* area = new QScrollArea(&window);
    auto* page = new QLabel(area);
    page->setObjectName(QStringLiteral("page"));
    page->setPixmap(QPixmap::fromImage(
        QImage::fromData(preview.png.data(), static_cast<int>(preview.png.size()), "PNG")));
    area->setWidget(page);
    layout->addWidget(area);
    window.resize(1040, 900);
    exec_modal(window);
}

} // namespace kestrun::gui
