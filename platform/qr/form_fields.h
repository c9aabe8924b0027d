#pragma once
// A page's fields as its form drawing sees them: the drawing draws its rows of cells around
// what the page prints there.

#include "platform/printing/form_drawing.h"
#include "platform/qr/layout.h"

namespace kestrun::qr {

printing::form::field_prints prints_of(const page_design& design);

} // namespace kestrun::qr
