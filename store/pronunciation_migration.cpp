#include "store/pronunciation_migration.h"

#include <array>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/utf.h"
#include "contract/data_layout.h"
#include "contract/pronunciation_defaults.h"
#include "store/file_io.h"
#include "store/pronunciation_file.h"
#include "store/settings_file.h"

namespace vl {
namespace {

constexpr std::array<std::u16string_view, 4> kMovedGroups = {kEnglishLettersGroup, kRussianLettersGroup,
                                                              kEnglishPronunciationGroup, kSymbolsGroup};

// The group as lines of its own: header, every key line as it stands (repeated
// keys included), an empty line.
std::u16string group_block(SettingsFile& settings, std::u16string_view name) {
    settings.select_group(name);
    std::u16string block(u"[");
    block.append(name).append(u"]\r\n");
    for (const SettingsEntry& entry : settings.entries()) {
        block.append(entry.key).append(u" = ").append(entry.value).append(u"\r\n");
    }
    block.append(u"\r\n");
    return block;
}

// Every group but "General", each once, in file order.
std::vector<std::u16string> groups_to_copy(const SettingsFile& settings) {
    std::vector<std::u16string> names;
    for (const std::u16string& name : settings.group_names()) {
        if (settings_names_match(name, u"general")) continue;
        bool seen = false;
        for (const std::u16string& earlier : names) seen = seen || settings_names_match(earlier, name);
        if (!seen) names.push_back(name);
    }
    return names;
}

bool create_pronunciation_file(const std::filesystem::path& path, SettingsFile& settings) {
    std::u16string text;
    for (const std::u16string& name : groups_to_copy(settings)) text += group_block(settings, name);
    return write_file_atomic(path, "\xEF\xBB\xBF" + utf16_to_utf8(text));
}

// The moved groups of prefs.ini replace their namesakes in the existing file.
bool replace_groups(const std::filesystem::path& path, SettingsFile& settings) {
    std::optional<SettingsFile> file = SettingsFile::open(path, SettingsLayout::group_separator);
    if (!file) return false;
    std::u16string blocks;
    for (std::u16string_view name : kMovedGroups) {
        if (!settings.has_group(name)) continue;
        file->remove_group(name);
        blocks += group_block(settings, name);
    }
    if (blocks.empty()) return true;
    return write_file_atomic(path, file->to_bytes() + "\r\n" + utf16_to_utf8(blocks));
}

}  // namespace

void migrate_pronunciation_from_settings(const std::filesystem::path& settings_path,
                                         const std::filesystem::path& russian_folder) {
    std::error_code error;
    std::filesystem::create_directories(russian_folder, error);
    std::optional<SettingsFile> settings = SettingsFile::open(settings_path, SettingsLayout::plain);
    if (!settings) return;

    const std::filesystem::path path = russian_folder / kPronunciationFileName;
    const bool written = std::filesystem::exists(path, error) ? replace_groups(path, *settings)
                                                              : create_pronunciation_file(path, *settings);
    if (!written) return;
    for (std::u16string_view name : kMovedGroups) settings->remove_group(name);
    settings->close();
}

}  // namespace vl
