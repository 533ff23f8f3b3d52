#pragma once
// How a side (the engine, the configurer) reaches its field of each setting: a
// table of SettingField, one per setting. covers_every_setting lets the side
// check at compile time that its table names every setting once, in order, so
// that a new setting cannot be forgotten by any side.
#include <cstddef>
#include <tuple>
#include <utility>

#include "contract/setting_definitions.h"

namespace vl {

template <typename Record, typename Field>
struct SettingField {
    Setting id;
    Field Record::*member;
};

// True when table (a std::array or std::tuple of SettingField) holds one entry
// per setting, the entry of each setting at the index of its id.
template <typename Table>
constexpr bool covers_every_setting(const Table& table) {
    constexpr std::size_t size = std::tuple_size_v<Table>;
    if constexpr (size != kSettingCount) {
        return false;
    } else {
        return [&]<std::size_t... index>(std::index_sequence<index...>) {
            return ((std::get<index>(table).id == static_cast<Setting>(index)) && ...);
        }(std::make_index_sequence<size>{});
    }
}

// Calls visit(definition, field) with record's field of every setting, in order.
template <typename Table, typename Record, typename Visit>
void for_each_setting_field(const Table& table, Record& record, Visit visit) {
    std::apply([&](const auto&... field) { (visit(definition_of(field.id), record.*field.member), ...); }, table);
}

}  // namespace vl
