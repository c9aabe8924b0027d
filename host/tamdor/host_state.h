#pragma once
// The host's state for one return: its records and globals. Two host states can print side
// by side; nothing of it lives in globals of the module.

#include "host/tamdor/record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kestrun::host {

// The records a host state owns. pit28_zal is the host's store of the PIT-28 return's
// attachments PIT/O, PIT/D and PIT-2K, a record of the rekzez layout.
enum class record_id { rek28, rekzez, rek_uz, pit28_zal, rekster };

inline constexpr record_id all_records[] = {record_id::rek28, record_id::rekzez, record_id::rek_uz,
                                            record_id::pit28_zal, record_id::rekster};

std::string_view record_name(record_id id);
const record_layout& record_layout_of(record_id id);
std::size_t record_size(record_id id);
std::optional<record_id> record_by_name(std::string_view name);

// The joint-taxation set: 16 bytes, code c is bit c mod 8 of byte c div 8.
using code_set = std::array<std::uint8_t, 16>;

class host_state {
public:
    host_state();

    record_view<rek28_layout> rek28() const { return {m_rek28.data(), {"rek28"}}; }
    record_view<rekzez_layout> rekzez() const { return {m_rekzez.data(), {"rekzez"}}; }
    record_view<rek_uz_layout> rek_uz() const { return {m_rek_uz.data(), {"rek_uz"}}; }
    record_view<rekzez_layout> pit28_zal() const { return {m_pit28_zal.data(), {"pit28_zal"}}; }
    record_view<rekster_layout> rekster() const { return {m_rekster.data(), {"rekster"}}; }

    record_view<rek28_layout, true> rek28_mut() { return {m_rek28.data(), {"rek28"}}; }
    record_view<rekzez_layout, true> rekzez_mut() { return {m_rekzez.data(), {"rekzez"}}; }
    record_view<rek_uz_layout, true> rek_uz_mut() { return {m_rek_uz.data(), {"rek_uz"}}; }
    record_view<rekzez_layout, true> pit28_zal_mut() { return {m_pit28_zal.data(), {"pit28_zal"}}; }
    record_view<rekster_layout, true> rekster_mut() { return {m_rekster.data(), {"rekster"}}; }

    // The packed bytes of a record, exactly record_size(id) of them.
    std::span<std::uint8_t> bytes(record_id id);
    std::span<const std::uint8_t> bytes(record_id id) const;

    // wsp_z_malz: the sp_opod codes that mean joint taxation with the spouse.
    const code_set& wsp_z_malz() const { return m_wsp_z_malz; }
    code_set& wsp_z_malz_mut() { return m_wsp_z_malz; }
    // Codes of 128 and above never belong, whatever the set holds.
    bool in_wsp_z_malz(int code) const;
    // Adds or removes a code; throws kestrun::error (input) for a code outside 0..127.
    void set_in_wsp_z_malz(int code, bool member);
    // The return is joint exactly when rekzez.sp_opod belongs to wsp_z_malz.
    bool joint() const;

    // The return's reference number (UTF-8) and whether first pages print it.
    const std::string& nr_zez_refer() const { return m_nr_zez_refer; }
    void set_nr_zez_refer(std::string value) { m_nr_zez_refer = std::move(value); }
    bool dr_zez_ref() const { return m_dr_zez_ref; }
    void set_dr_zez_ref(bool value) { m_dr_zez_ref = value; }

private:
    std::array<std::uint8_t, rek28_layout.size> m_rek28{};
    std::array<std::uint8_t, rekzez_layout.size> m_rekzez{};
    std::array<std::uint8_t, rek_uz_layout.size> m_rek_uz{};
    std::array<std::uint8_t, rekzez_layout.size> m_pit28_zal{};
    std::array<std::uint8_t, rekster_layout.size> m_rekster{};
    code_set m_wsp_z_malz{};
    std::string m_nr_zez_refer;
    bool m_dr_zez_ref = false;
};

} // namespace kestrun::host
