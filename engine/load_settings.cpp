#include "engine/load_settings.h"

#include <array>
#include <atomic>

#include "contract/setting_fields.h"
#include "store/prefs_file.h"

namespace vl {
namespace {

// The engine's field of each setting.
using EngineSettingField = SettingField<Settings, std::atomic<int32_t>>;
constexpr std::array<EngineSettingField, kSettingCount> kEngineSettingFields{{
    {Setting::sample_rate, &Settings::sample_rate},
    {Setting::pause, &Settings::pause},
    {Setting::use_dictionary, &Settings::use_dictionary},
    {Setting::intonation, &Settings::intonation},
    {Setting::silence_at_begin, &Settings::silence_at_begin},
    {Setting::silence_at_end, &Settings::silence_at_end},
    {Setting::disable_decimal_separator, &Settings::disable_decimal_separator},
}};
static_assert(covers_every_setting(kEngineSettingFields), "the engine has a field for every setting");

void store(const SettingValues& values, Settings& settings) {
    for_each_setting_field(kEngineSettingFields, settings, [&](const SettingDefinition& setting, auto& field) {
        field.store(values[static_cast<std::size_t>(setting.id)], std::memory_order_relaxed);
    });
}

}  // namespace

bool load_settings(const std::filesystem::path& data_folder, Settings& settings, bool may_write) {
    const std::optional<SettingValues> values = load_settings_file(data_folder, may_write);
    if (!values) return false;
    store(*values, settings);
    return true;
}

void use_default_settings(Settings& settings) { store(default_setting_values(), settings); }

}  // namespace vl
