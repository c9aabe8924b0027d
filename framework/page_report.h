#pragma once
// The page report base: one printed page of a return or an attachment. It owns the report, its
// band, the form image and the fields of the page's design, and gives the page handlers the
// fill conventions, each written once here, so that a handler reads like its page's table.

#include "framework/module.h"
#include "host/tamdor/host_state.h"
#include "platform/qr/report.h"
#include "platform/vcl/classes.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kestrun {

// The three fields of an identifier box: the box itself and the two strike-out captions
// printed over the form's words "NIP" and "numer PESEL".
struct identifier_fields {
    std::string_view box = "QRL_nip";
    std::string_view kas_nip = "QRL_kas_nip";
    std::string_view kas_pes = "QRL_kas_pes";
};

// A person's identification as the records hold it.
struct person_id {
    bool by_pesel = false;
    std::string nip;
    std::string pesel;
};

// The identification of person p of a person view of rekzez (or of the PIT-28 record).
template <class PersonView> person_id person_identity(const PersonView& p)
{
    return {p.flag("id_pesel"), p.text("nip"), p.text("pesel")};
}

class page_report : public vcl::TComponent {
public:
    // Creates the report of `unit` from its design, then runs FormCreate.
    page_report(vcl::TComponent* owner, host::host_state& host, const page_setup& setup);

    qr::TQuickRep& report() const { return *m_report; }
    qr::TQRBand& DB_dane() const { return m_report->Band(); }
    qr::TQRImage& QRI_obr_str() const { return m_report->Image(); }

    // Identical on every page: the band takes the report's height and the image the band's
    // width less two pixels.
    void FormCreate(vcl::TObject* sender);

    // The page's public parameter of that name (nrsp, nrp, nr, ilb), or null when the page
    // has none of that name.
    virtual int* parameter(std::string_view name);
    // Throws kestrun::error (input) when a parameter lies outside what the page can show.
    virtual void check_parameters() const {}

    // Fills the fields without printing: what the page would print.
    void Prepare();
    // Fills and prints the page as one job on the report's printer.
    void Print();

protected:
    // The page's before-print handler QR_<tag>_<page>BeforePrint, connected by its
    // registration. It never stops the report from printing, so it takes no arguments.
    void connect_before_print(std::function<void()> handler);
    template <class Page> friend struct page_registrar;

    const host::host_state& host() const { return *m_host; }
    host::host_state& host_mut() { return *m_host; }
    // Joint taxation: rekzez.sp_opod is in wsp_z_malz. Every spouse field depends on it.
    bool joint() const { return m_host->joint(); }

    // --- fill conventions --------------------------------------------------------------
    // Amount: Trim(rstrsp(v, width, decimals)); zero is printed. A name the band does not
    // hold is passed over.
    void amount(std::string_view name, double v, int decimals = 2, int width = 13);
    // Large amount: above 999 999,99 the field's font is one size smaller, then the amount.
    static constexpr double large_amount = 999999.99;
    void amount_large(std::string_view name, double v);
    // Percentage: the stored fraction times 100, two decimals.
    void percent(std::string_view name, double fraction);
    // By name, as the host's field-filling operations do it: a name the band does not hold is
    // passed over even on a strict band, for pages that fill whole name patterns.
    void amount_by_name(std::string_view name, double v, int decimals = 2);
    void text_by_name(std::string_view name, std::string_view value);
    // Text as stored (or joined by the caller).
    void text(std::string_view name, std::string_view value);
    void clear(std::string_view name) { text(name, ""); }
    // The caption a field holds now (empty for a name the band does not hold), for a box that
    // repeats what another box of the page shows.
    std::string caption(std::string_view name) const;
    void enable(std::string_view name);
    void disable(std::string_view name);
    // NIP: dashes removed, edited in style 1, spread over the cells.
    void nip(std::string_view name, std::string_view stored_nip);
    // PESEL and other cell digits: spread over the cells.
    void cells(std::string_view name, std::string_view digits);
    // Identifier: by NIP strikes out "numer PESEL" and shows the NIP; by PESEL strikes out
    // "NIP" and shows the PESEL. Exactly one strike-out prints.
    void identifier(const identifier_fields& fields, const person_id& id);
    // The spouse's identifier box of a return that is not joint: empty, not printed, and
    // neither strike-out printed.
    void no_identifier(const identifier_fields& fields);
    // Tax year spread over the cells.
    void year(std::string_view name, int y);
    // Date as DD-MM-YYYY, empty when there is none.
    void date(std::string_view name, const host::dt1& d);
    // Marks: every square of the choice emptied, then "x" in square `chosen` (0-based); a value
    // outside the squares marks none.
    void mark(std::initializer_list<std::string_view> squares, int chosen);
    // One square: "x" when set, else empty.
    void mark_if(std::string_view square, bool set);
    // Reference number on first pages: printed only when dr_zez_ref is set, as two lines
    // (characters 1-16 and the rest), or the whole text on one line.
    void reference_number(bool one_line = false);

    // --- shared rules ------------------------------------------------------------------
    // The header of the attachments that name both spouses (PIT/O, PIT/D, PIT/UZ, PIT-2K):
    // the identifier boxes of the taxpayer (QRL_nip) and, under joint taxation, of the spouse
    // (QRL_nip1, otherwise empty and not printed, with neither strike-out).
    void spouses_identifiers();
    // Surname, first name and date of birth of the taxpayer (QRL_nazw, QRL_im, QRL_dur) and,
    // under joint taxation, of the spouse (the same names with 1; otherwise empty).
    void spouses_names();
    // A box of the spouse's column: the amount under joint taxation, otherwise empty.
    void spouse_amount(std::string_view name, double v, int decimals = 2);
    // Where a result of exactly zero goes: most rows count it as income; rows whose form asks
    // for a positive income print it in the loss box, negated.
    enum class zero_result { income, loss };
    // A signed result split into an income box (the result, or 0 for a loss) and a loss box
    // (the loss as a positive amount, or 0).
    void sign_split(std::string_view income, std::string_view loss, double v, int decimals = 2,
                    zero_result zero = zero_result::income);

public:
    // Field names of arrays: stem + index, two-dimensional arrays row digit then column digit.
    static std::string indexed(std::string_view stem, int i);
    static std::string indexed(std::string_view stem, int row, int column);
    // Parts joined with the separator (empty parts included, so inner blanks stay), trimmed.
    static std::string join(std::initializer_list<std::string_view> parts,
                            std::string_view separator = " ");

private:
    qr::TQRLabel* label(std::string_view name) const;

    host::host_state* m_host;
    qr::TQuickRep* m_report;
};

} // namespace kestrun
