#include "engine/load_settings.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <utility>

#include "base/file_io.h"
#include "contract/data_layout.h"
#include "contract/setting_definitions.h"

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

}  // namespace

void write_default_general_group(SettingsFile& file) {
    file.select_group(kGeneralGroup);
    for (const DefaultGeneralLine& line : kDefaultGeneralLines) {
        if (line.kind == DefaultGeneralLine::comment)
            file.write_comment(line.text);
        else
            file.write_int(line.text, setting_definition(line.text).default_value);
    }
}

namespace {

// Reads, clamps and stores the seven settings, and writes them back into file.
void read_settings(SettingsFile& file, Settings& settings) {
    if (!file.select_group(kGeneralGroup)) write_default_general_group(file);
    for (const SettingDefinition& setting : kSettingDefinitions) {
        const int32_t value =
            std::clamp(file.read_int(setting.key, setting.default_value), setting.minimum, setting.maximum);
        (settings.*field_of(setting.key)).store(value, std::memory_order_relaxed);
        file.write_int(setting.key, value);
    }
}

}  // namespace

bool load_settings(const std::filesystem::path& data_folder, Settings& settings, bool may_write) {
    if (data_folder.empty()) return false;
    const std::filesystem::path path = data_folder / kSettingsFileName;
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    if (error) return false;
    const std::string empty = SettingsFile(SettingsLayout::group_separator).to_bytes();
    if (!exists && may_write && !write_file_atomic(path, empty)) return false;
    const std::optional<std::string> bytes = exists ? read_file(path) : empty;
    if (!bytes) return false;  // a folder of that name, or a file that cannot be read

    SettingsFile file = SettingsFile::parse(*bytes, SettingsLayout::group_separator);
    read_settings(file, settings);
    // Rewritten only when that changes it, so that an engine rewriting an
    // unchanged file can never undo a configurer's apply.
    const std::string normalised = file.to_bytes();
    if (may_write && normalised != *bytes) write_file_atomic(path, normalised);
    return true;
}

void use_default_settings(Settings& settings) {
    SettingsFile empty(SettingsLayout::group_separator);
    read_settings(empty, settings);
}

}  // namespace vl
