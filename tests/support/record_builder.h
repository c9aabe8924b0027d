#pragma once
// Readable records for page tests:
//
//     host_state h = rekzez_builder{}.joint().text("nazw", "Kowalski").real("zr", 1, 3, -250.0)
//                        .person(2).text("nazw", "Kowalska");
//
// Field names are checked when the test compiles, as in the pages. A builder either owns a
// fresh host state or applies to one given to its constructor; copies share the state.

#include "host/tamdor/host_state.h"

#include <functional>
#include <memory>
#include <string_view>
#include <utility>

namespace kestrun::test {

// The mutable view of each record a builder fills.
template <host::record_id R> struct builder_view {
    using type = host::record_view<host::rekzez_layout, true>; // rekzez and pit28_zal
};
template <> struct builder_view<host::record_id::rek28> {
    using type = host::record_view<host::rek28_layout, true>;
};
template <> struct builder_view<host::record_id::rek_uz> {
    using type = host::record_view<host::rek_uz_layout, true>;
};
template <> struct builder_view<host::record_id::rekster> {
    using type = host::record_view<host::rekster_layout, true>;
};

template <host::record_id R> class person_builder;

// The setters of both builders, on the view `Self::view()` gives.
template <class Self, class View> class setters {
public:
    template <host::access A, int D> using key = typename View::template key<A, D>;

    Self& real(key<host::access::real, 0> k, double v)
    {
        self().view().set_real(k, v);
        return self();
    }
    Self& real(key<host::access::real, 1> k, int i, double v)
    {
        self().view().set_real(k, i, v);
        return self();
    }
    Self& real(key<host::access::real, 2> k, int i, int j, double v)
    {
        self().view().set_real(k, i, j, v);
        return self();
    }
    Self& text(key<host::access::text, 0> k, std::string_view v)
    {
        self().view().set_text(k, v);
        return self();
    }
    Self& text(key<host::access::text, 1> k, int i, std::string_view v)
    {
        self().view().set_text(k, i, v);
        return self();
    }
    Self& flag(key<host::access::flag, 0> k, bool v = true)
    {
        self().view().set_flag(k, v);
        return self();
    }
    Self& integer(key<host::access::integer, 0> k, std::int64_t v)
    {
        self().view().set_integer(k, v);
        return self();
    }
    Self& date(key<host::access::date, 0> k, int year, int month, int day)
    {
        self().view().set_date(k,
                               {static_cast<std::uint16_t>(year), static_cast<std::uint8_t>(month),
                                static_cast<std::uint8_t>(day)});
        return self();
    }

private:
    Self& self() { return static_cast<Self&>(*this); }
};

template <host::record_id R>
class record_builder : public setters<record_builder<R>, typename builder_view<R>::type> {
public:
    using view_type = typename builder_view<R>::type;

    record_builder() : m_own(std::make_shared<host::host_state>()), m_state(m_own.get()) {}
    explicit record_builder(host::host_state& target) : m_state(&target) {}
    template <host::record_id S>
    explicit record_builder(const record_builder<S>& other)
        : m_own(other.shared()), m_state(&other.state())
    {
    }

    // A joint return: sp_opod set to `code`, which joins wsp_z_malz.
    record_builder& joint(int code = 1) requires(R == host::record_id::rekzez)
    {
        m_state->set_in_wsp_z_malz(code, true);
        view().set_integer("sp_opod", code);
        return *this;
    }
    person_builder<R> person(int p) const
        requires(R == host::record_id::rekzez || R == host::record_id::pit28_zal)
    {
        return person_builder<R>(*this, p);
    }
    // Anything else, through the state itself (elements of arrays of records, globals).
    record_builder& with(const std::function<void(host::host_state&)>& change)
    {
        change(*m_state);
        return *this;
    }
    // The same state, continued on another record.
    template <host::record_id S> record_builder<S> then() const { return record_builder<S>(*this); }

    host::host_state& state() const { return *m_state; }
    std::shared_ptr<host::host_state> shared() const { return m_own; }
    host::host_state build() const { return *m_state; }
    operator host::host_state() const { return build(); }

    view_type view() const
    {
        if constexpr (R == host::record_id::rek28) {
            return m_state->rek28_mut();
        } else if constexpr (R == host::record_id::rekzez) {
            return m_state->rekzez_mut();
        } else if constexpr (R == host::record_id::rek_uz) {
            return m_state->rek_uz_mut();
        } else if constexpr (R == host::record_id::pit28_zal) {
            return m_state->pit28_zal_mut();
        } else {
            return m_state->rekster_mut();
        }
    }

private:
    std::shared_ptr<host::host_state> m_own; // empty when applying to a caller's state
    host::host_state* m_state;
};

// Sets person p's fields: the taxpayer's for p = 1, the spouse's twins for p = 2.
template <host::record_id R>
class person_builder
    : public setters<person_builder<R>,
                     decltype(std::declval<typename builder_view<R>::type>().person(1))> {
public:
    person_builder(record_builder<R> record, int p) : m_record(std::move(record)), m_person(p) {}

    person_builder person(int p) const { return person_builder(m_record, p); }
    record_builder<R> record() const { return m_record; }
    person_builder& with(const std::function<void(host::host_state&)>& change)
    {
        m_record.with(change);
        return *this;
    }

    host::host_state& state() const { return m_record.state(); }
    host::host_state build() const { return m_record.build(); }
    operator host::host_state() const { return build(); }
    auto view() const { return m_record.view().person(m_person); }

private:
    record_builder<R> m_record;
    int m_person;
};

using rek28_builder = record_builder<host::record_id::rek28>;
using rekzez_builder = record_builder<host::record_id::rekzez>;
using rek_uz_builder = record_builder<host::record_id::rek_uz>;
using pit28_zal_builder = record_builder<host::record_id::pit28_zal>;
using rekster_builder = record_builder<host::record_id::rekster>;

// Both spouses identified on a return of taxation code 2, joint unless said otherwise: the
// taxpayer by NIP, the spouse by PESEL, for the attachment pages' tests of the joint test.
inline rekzez_builder spouses(bool joint = true)
{
    rekzez_builder b;
    b.text("nip", "5261040828").text("pesel", "74031804573").integer("sp_opod", 2);
    b.text("nip_m", "7251801126").text("pesel_m", "76090211288").flag("id_pesel_m");
    b.text("nazw", "Wiśniewski").text("im", "Grzegorz").date("dur", 1974, 3, 18);
    b.text("nazw_m", "Wiśniewska").text("im_m", "Małgorzata").date("dur_m", 1976, 9, 2);
    b.state().set_in_wsp_z_malz(2, joint);
    return b;
}

} // namespace kestrun::test
