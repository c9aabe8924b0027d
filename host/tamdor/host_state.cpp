#include "host/tamdor/host_state.h"

#include "platform/error.h"

namespace kestrun::host {

std::string_view record_name(record_id id)
{
    switch (id) {
    case record_id::rek28:
        return "rek28";
    case record_id::rekzez:
        return "rekzez";
    case record_id::rek_uz:
        return "rek_uz";
    case record_id::pit28_zal:
        return "pit28_zal";
    case record_id::rekster:
        return "rekster";
    }
    return "?";
}

const record_layout& record_layout_of(record_id id)
{
    switch (id) {
    case record_id::rek28:
        return rek28_layout;
    case record_id::rek_uz:
        return rek_uz_layout;
    case record_id::rekster:
        return rekster_layout;
    case record_id::rekzez:
    case record_id::pit28_zal:
        break;
    }
    return rekzez_layout;
}

std::size_t record_size(record_id id)
{
    return record_layout_of(id).size;
}

std::optional<record_id> record_by_name(std::string_view name)
{
    for (const record_id id : all_records) {
        if (record_name(id) == name) {
            return id;
        }
    }
    return std::nullopt;
}

host_state::host_state() = default;

std::span<std::uint8_t> host_state::bytes(record_id id)
{
    switch (id) {
    case record_id::rek28:
        return m_rek28;
    case record_id::rekzez:
        return m_rekzez;
    case record_id::rek_uz:
        return m_rek_uz;
    case record_id::pit28_zal:
        return m_pit28_zal;
    case record_id::rekster:
        return m_rekster;
    }
    return {};
}

std::span<const std::uint8_t> host_state::bytes(record_id id) const
{
    return const_cast<host_state*>(this)->bytes(id);
}

bool host_state::in_wsp_z_malz(int code) const
{
    if (code < 0 || code >= 128) {
        return false;
    }
    return (m_wsp_z_malz[static_cast<std::size_t>(code / 8)] >> (code % 8) & 1) != 0;
}

void host_state::set_in_wsp_z_malz(int code, bool member)
{
    if (code < 0 || code >= 128) {
        throw input_error("wsp_z_malz: code " + std::to_string(code) + " outside 0..127");
    }
    auto& byte = m_wsp_z_malz[static_cast<std::size_t>(code / 8)];
    const auto bit = static_cast<std::uint8_t>(1u << (code % 8));
    byte = static_cast<std::uint8_t>(member ? (byte | bit) : (byte & ~bit));
}

bool host_state::joint() const
{
    return in_wsp_z_malz(rekzez().integer("sp_opod"));
}

} // namespace kestrun::host
