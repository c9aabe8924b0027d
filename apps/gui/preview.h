#pragma once
// A look at a page before any paper is used: the first page a page box prints, rendered in
// memory as the PNG a page report makes at 120 dpi, with the form and the data on blank paper
// or the data alone for a pre-printed form, shown in a scrollable window.

#include "framework/printrun/dialog_base.h"

#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrun::gui {

struct page_preview {
    std::string page;              // "PIT-36 1/6"
    std::vector<std::uint8_t> png; // the page as it will print
};

// The page of `box` for the return in `host`, printed as the dialog would print it first (the
// taxpayer, the first sheet or attachment), after the record preparation the dialog runs
// before it, on a copy of the host state: the return itself is not touched and nothing is
// traced. Throws kestrun::error when the page cannot be rendered.
page_preview render_preview(const print_dialog& dialog, const host::host_state& host,
                            const vcl::TCheckBox& box, bool blank_paper);

// Shows the page modally in a scrollable window.
void show_preview(QWidget* parent, const page_preview& preview, bool blank_paper);

} // namespace kestrun::gui
