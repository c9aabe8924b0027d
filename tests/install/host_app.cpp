// Loads the module, fills the PIT-2K page of a return by class name and prints its name and
// the caption of its first field: what a host needs of an installed kestrun.

#include "framework/module.h"
#include "framework/page_report.h"
#include "host/returnfile/return_file.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: host_app RETURN.json\n";
        return 2;
    }
    kestrun::Initialize();
    kestrun::host::host_state host;
    kestrun::host::load_return_file(argv[1], host);
    const auto* cls = kestrun::find_page_class("TF_w2k15_1");
    if (!cls)
        return 1;
    kestrun::page_instance page(*cls, nullptr, host);
    page->Prepare();
    auto* nip = dynamic_cast<kestrun::qr::TQRLabel*>(page->DB_dane().Find("QRL_nip"));
    std::cout << cls->class_name << " " << (nip ? nip->Caption : "?") << "\n";
    kestrun::Finalize();
    return 0;
}
