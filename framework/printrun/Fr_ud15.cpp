#include "framework/printrun/Fr_ud15.h"

#include "framework/module.h"

namespace kestrun {

Tfr_ud15::Tfr_ud15(vcl::TComponent* owner)
    : vcl::TFrame(owner), e_druk(new vcl::TLabel(this)), kl_ustdr(new vcl::TButton(this)),
      Print_dlg(new vcl::TPrintDialog(this))
{
    SetName("fr_ud15");
    SetBounds(0, 0, 313, 83);
    e_druk->SetName("e_druk");
    e_druk->SetParent(this);
    e_druk->Align = vcl::TAlign::alTop;
    e_druk->SetBounds(0, 0, 313, 35);
    e_druk->WordWrap = true;
    e_druk->AutoSize = false;
    kl_ustdr->SetName("kl_ustdr");
    kl_ustdr->SetParent(this);
    kl_ustdr->Caption = "&Ustawienia drukarki...";
    kl_ustdr->SetBounds(12, 48, 143, 31);
    kl_ustdr->OnClick = [this](vcl::TObject* sender) { kl_ustdrClick(sender); };
    Print_dlg->SetName("Print_dlg");
}

void Tfr_ud15::FitToDialog(int left, int top)
{
    SetBounds(left, top, 254, 68);
    e_druk->SetBounds(0, 0, 254, 28);
    kl_ustdr->SetBounds(10, 39, 116, 25);
}

std::string Tfr_ud15::CurrentPrinterName()
{
    const auto* printer = vcl::Printer();
    const int i = printer->PrinterIndex;
    if (i < 0 || i >= static_cast<int>(printer->Printers.size()))
        return {};
    return printer->Printers[static_cast<std::size_t>(i)];
}

void Tfr_ud15::kl_ustdrClick(vcl::TObject*)
{
    const int before = vcl::Printer()->PrinterIndex;
    if (!Print_dlg->Execute())
        return;
    if (vcl::Printer()->PrinterIndex != before)
        e_druk->Caption = CurrentPrinterName();
}

namespace {
const bool Fr_ud15_registered = [] {
    register_unit({"Fr_ud15", {}, {}});
    return true;
}();
} // namespace

} // namespace kestrun
