#pragma once
// The printer-settings frame of every print dialog: the name of the printer in use and the
// button that opens the printer-selection dialog. The choice is the application's; the frame
// keeps no state of its own.

#include "platform/vcl/controls.h"
#include "platform/vcl/printer.h"

namespace kestrun {

class Tfr_ud15 : public vcl::TFrame {
public:
    explicit Tfr_ud15(vcl::TComponent* owner);

    vcl::TLabel* e_druk;
    vcl::TButton* kl_ustdr;
    vcl::TPrintDialog* Print_dlg;

    // "&Ustawienia drukarki...": a printer chosen other than the one in use is named in e_druk.
    void kl_ustdrClick(vcl::TObject* sender);

    // The size the frame takes inside a print dialog, at its lower left.
    void FitToDialog(int left, int top);

    // The name of the printer in use, or the empty text when there is none.
    static std::string CurrentPrinterName();
};

} // namespace kestrun
