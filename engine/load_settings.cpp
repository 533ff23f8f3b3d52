#include "engine/load_settings.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <utility>

#include "store/prefs_file.h"

namespace vl {
namespace {

// The engine's field of each setting, by key.
using SettingField = std::atomic<int32_t> Settings::*;
constexpr std::array<std::pair<std::u16string_view, SettingField>, 7> setting_fields{{
    {kSampleRateKey, &Settings::sample_rate},
    {kPauseKey, &Settings::pause},
    {kUseDictionaryKey, &Settings::use_dictionary},
    {kIntonationKey, &Settings::intonation},
    {kSilenceAtBeginKey, &Settings::silence_at_begin},
    {kSilenceAtEndKey, &Settings::silence_at_end},
    {kDisableDecimalSeparatorKey, &Settings::disable_decimal_separator},
}};

constexpr SettingField field_of(std::u16string_view key) {
    for (const auto& [name, field] : setting_fields)
        if (name == key) return field;
    return nullptr;
}
static_assert(std::ranges::none_of(kSettingDefinitions,
                                   [](const SettingDefinition& setting) { return field_of(setting.key) == nullptr; }),
              "every setting has a field of the engine's");

void store(const SettingValues& values, Settings& settings) {
    for (std::size_t index = 0; index < kSettingDefinitions.size(); ++index)
        (settings.*field_of(kSettingDefinitions[index].key)).store(values[index], std::memory_order_relaxed);
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
