#include "store/prefs_file.h"

#include <algorithm>
#include <string>

#include "contract/data_layout.h"
#include "store/file_io.h"

namespace vl {

void write_default_general_group(SettingsFile& file) {
    file.select_group(kGeneralGroup);
    file.write_comment(kGeneralGroupComment);
    for (const SettingDefinition& setting : kSettingDefinitions) {
        file.select_group(setting.group);
        for (std::u16string_view comment : setting.comments) file.write_comment(comment);
        file.write_int(setting.key, setting.default_value);
    }
}

namespace {

// Reads and clamps the settings, and writes them back into file.
SettingValues read_settings(SettingsFile& file) {
    if (!file.select_group(kGeneralGroup)) write_default_general_group(file);
    SettingValues values{};
    for (std::size_t index = 0; index < kSettingCount; ++index) {
        const SettingDefinition& setting = kSettingDefinitions[index];
        file.select_group(setting.group);
        values[index] = std::clamp(file.read_int(setting.key, setting.default_value), setting.minimum, setting.maximum);
        file.write_int(setting.key, values[index]);
    }
    return values;
}

}  // namespace

std::optional<SettingValues> load_settings_file(const std::filesystem::path& data_folder, bool may_write) {
    if (data_folder.empty()) return std::nullopt;
    const std::filesystem::path path = data_folder / kSettingsFileName;
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    if (error) return std::nullopt;
    const std::string empty = SettingsFile(SettingsLayout::group_separator).to_bytes();
    if (!exists && may_write && !write_file_atomic(path, empty)) return std::nullopt;
    const std::optional<std::string> bytes = exists ? read_file(path) : empty;
    if (!bytes) return std::nullopt;  // a folder of that name, or a file that cannot be read

    SettingsFile file = SettingsFile::parse(*bytes, SettingsLayout::group_separator);
    const SettingValues values = read_settings(file);
    // Rewritten only when that changes it, so that an engine rewriting an
    // unchanged file can never undo a configurer's apply.
    const std::string normalised = file.to_bytes();
    if (may_write && normalised != *bytes) write_file_atomic(path, normalised);
    return values;
}

SettingValues default_setting_values() {
    SettingsFile empty(SettingsLayout::group_separator);
    return read_settings(empty);
}

}  // namespace vl
