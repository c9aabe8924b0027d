#include "framework/page_report.h"

#include "host/korvel/zezprzel.h"
#include "host/tamdor/libr.h"
#include "platform/error.h"

namespace kestrun {

page_report::page_report(vcl::TComponent* owner, host::host_state& host, const page_setup& setup)
    : vcl::TComponent(owner), m_host(&host),
      m_report(new qr::TQuickRep(this, qr::design_of(setup.unit), setup.names))
{
    SetName(std::string(m_report->Design().class_name).substr(1));
    FormCreate(this);
}

void page_report::FormCreate(vcl::TObject*)
{
    DB_dane().Height = m_report->Height();
    QRI_obr_str().SetWidth(DB_dane().Width - 2);
}

void page_report::connect_before_print(std::function<void()> handler)
{
    m_report->BeforePrint = [this, handler = std::move(handler)](vcl::TObject*, bool&) {
        check_parameters();
        handler();
    };
}

int* page_report::parameter(std::string_view)
{
    return nullptr;
}

void page_report::Prepare()
{
    m_report->Prepare();
}

void page_report::Print()
{
    m_report->Print();
}

qr::TQRLabel* page_report::label(std::string_view name) const
{
    return dynamic_cast<qr::TQRLabel*>(DB_dane().Find(name));
}

void page_report::amount(std::string_view name, double v, int decimals, int width)
{
    Zezprzel::set_amount(label(name), v, width, decimals);
}

void page_report::amount_large(std::string_view name, double v)
{
    auto* field = label(name);
    Zezprzel::reduce_font(field, v, large_amount, 1);
    Zezprzel::set_amount(field, v, 13, 2);
}

void page_report::percent(std::string_view name, double fraction)
{
    amount(name, fraction * 100.0);
}

void page_report::amount_by_name(std::string_view name, double v, int decimals)
{
    Zezprzel::ust_wart(DB_dane(), name, v, decimals);
}

void page_report::text_by_name(std::string_view name, std::string_view value)
{
    Zezprzel::ust_w_str(DB_dane(), name, value);
}

void page_report::text(std::string_view name, std::string_view value)
{
    Zezprzel::set_text(label(name), value);
}

std::string page_report::caption(std::string_view name) const
{
    if (const auto* l = label(name))
        return l->Caption;
    return {};
}

void page_report::enable(std::string_view name)
{
    Zezprzel::set_enabled(DB_dane().Find(name), true);
}

void page_report::disable(std::string_view name)
{
    Zezprzel::set_enabled(DB_dane().Find(name), false);
}

void page_report::nip(std::string_view name, std::string_view stored_nip)
{
    text(name, Pr_vcl::wydznaki(Libr::red_nip(Libr::usun_kreski(stored_nip), 1)));
}

void page_report::cells(std::string_view name, std::string_view digits)
{
    text(name, Pr_vcl::wydznaki(digits));
}

void page_report::identifier(const identifier_fields& f, const person_id& id)
{
    if (id.by_pesel) {
        enable(f.kas_nip);
        cells(f.box, id.pesel);
    } else {
        enable(f.kas_pes);
        nip(f.box, id.nip);
    }
}

void page_report::no_identifier(const identifier_fields& f)
{
    clear(f.box);
    disable(f.box);
}

void page_report::year(std::string_view name, int y)
{
    text(name, Pr_vcl::wydznaki(std::to_string(y)));
}

void page_report::date(std::string_view name, const host::dt1& d)
{
    text(name, Libr::DataToStr(d, 0));
}

void page_report::mark(std::initializer_list<std::string_view> squares, int chosen)
{
    for (auto square : squares)
        clear(square);
    if (chosen >= 0 && chosen < static_cast<int>(squares.size()))
        text(squares.begin()[chosen], "x");
}

void page_report::mark_if(std::string_view square, bool set)
{
    text(square, set ? "x" : "");
}

void page_report::reference_number(bool one_line)
{
    auto* memo = dynamic_cast<qr::TQRMemo*>(DB_dane().Find("QRL_nrref"));
    if (!memo)
        return;
    // A page filled twice (a second copy, a second print) shows the number once.
    memo->Lines.clear();
    memo->Enabled = host().dr_zez_ref();
    if (!memo->Enabled)
        return;
    const std::string& ref = host().nr_zez_refer();
    if (one_line) {
        memo->Lines.push_back(ref);
        return;
    }
    // Characters, not bytes: the reference number is split after its 16th character.
    std::size_t cut = 0;
    for (int chars = 0; cut < ref.size() && chars < 16; ++chars) {
        auto c = static_cast<unsigned char>(ref[cut]);
        cut += c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    }
    cut = std::min(cut, ref.size());
    memo->Lines.push_back(ref.substr(0, cut));
    memo->Lines.push_back(ref.substr(cut));
}

void page_report::spouses_identifiers()
{
    const auto z = host().rekzez();
    const identifier_fields spouse_box{"QRL_nip1", "QRL_kas_nip1", "QRL_kas_pes1"};
    identifier({}, person_identity(z.person(1)));
    if (joint())
        identifier(spouse_box, person_identity(z.person(2)));
    else
        no_identifier(spouse_box);
}

void page_report::spouses_names()
{
    const auto z = host().rekzez();
    const auto taxpayer = z.person(1);
    text("QRL_nazw", taxpayer.text("nazw"));
    text("QRL_im", taxpayer.text("im"));
    date("QRL_dur", taxpayer.date("dur"));
    if (joint()) {
        const auto spouse = z.person(2);
        text("QRL_nazw1", spouse.text("nazw"));
        text("QRL_im1", spouse.text("im"));
        date("QRL_dur1", spouse.date("dur"));
    } else {
        clear("QRL_nazw1");
        clear("QRL_im1");
        clear("QRL_dur1");
    }
}

void page_report::spouse_amount(std::string_view name, double v, int decimals)
{
    if (joint())
        amount(name, v, decimals);
    else
        clear(name);
}

void page_report::sign_split(std::string_view income, std::string_view loss, double v, int decimals,
                             zero_result zero)
{
    const bool is_income = zero == zero_result::income ? v >= 0 : v > 0;
    amount(income, is_income ? v : 0.0, decimals);
    amount(loss, is_income ? 0.0 : -v, decimals);
}

std::string page_report::indexed(std::string_view stem, int i)
{
    return std::string(stem) + std::to_string(i);
}

std::string page_report::indexed(std::string_view stem, int row, int column)
{
    return std::string(stem) + std::to_string(row) + std::to_string(column);
}

std::string page_report::join(std::initializer_list<std::string_view> parts,
                              std::string_view separator)
{
    std::string out;
    bool first = true;
    for (auto p : parts) {
        if (!first)
            out += separator;
        out += p;
        first = false;
    }
    return Sysutils::Trim(out);
}

} // namespace kestrun
