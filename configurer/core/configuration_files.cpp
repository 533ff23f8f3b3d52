#include "configurer/core/configuration_files.h"

#include <optional>
#include <system_error>
#include <type_traits>

#include "base/file_io.h"
#include "base/settings_file.h"
#include "configurer/core/default_lists.h"
#include "configurer/core/texts.h"
#include "configurer/core/user_dictionary_file.h"
#include "engine/load_settings.h"
#include "platform/language_name.h"
#include "platform/shared_files_lock.h"
#include "textprep/pronunciation_defaults.h"
#include "textprep/pronunciation_file.h"
#include "textprep/user_dictionary.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kRussianLanguageId = 0x419;

// A pronunciation list and the group of prefs.ini that holds it.
struct EntryGroup {
    ListKind kind;
    std::u16string_view group;
};
constexpr EntryGroup kEntryGroups[] = {
    {ListKind::LatinLetters, kEnglishLettersGroup},
    {ListKind::CyrillicLetters, kRussianLettersGroup},
    {ListKind::LatinCombinations, kEnglishPronunciationGroup},
};

EntryList<PronunciationEntry> read_entry_group(SettingsFile& file, std::u16string_view group) {
    EntryList<PronunciationEntry> list;
    file.select_group(group);
    for (SettingsEntry& entry : file.entries()) list.entries.push_back({std::move(entry.key), std::move(entry.value)});
    return list;
}

// "name:when": the name before the first ":", the code between the first and a second ":".
SymbolEntry symbol_of(SettingsEntry entry) {
    const std::u16string_view value = entry.value;
    const std::size_t colon = value.find(u':');
    if (colon == std::u16string_view::npos) return {std::move(entry.key), std::move(entry.value), 0};
    const std::u16string_view code = value.substr(colon + 1);
    return {std::move(entry.key), std::u16string(value.substr(0, colon)),
            static_cast<uint8_t>(parse_decimal(code.substr(0, code.find(u':'))))};
}

EntryList<SymbolEntry> read_symbol_group(SettingsFile& file) {
    EntryList<SymbolEntry> list;
    file.select_group(kSymbolsGroup);
    for (SettingsEntry& entry : file.entries()) list.entries.push_back(symbol_of(std::move(entry)));
    return list;
}

// The file holding a pronunciation group: prefs.ini when it has the group,
// else pronunc.dic when that has it under one of the group's names.
class GroupSource {
public:
    GroupSource(SettingsFile& settings, const fs::path& pronunciation_path)
        : settings_(settings), pronunciation_path_(pronunciation_path) {}

    // The file and the name under which it holds the group, or nothing.
    std::optional<std::pair<SettingsFile*, std::u16string_view>> find(std::u16string_view group) {
        if (settings_.has_group(group)) return std::pair{&settings_, group};
        if (!pronunciation_) pronunciation_ = SettingsFile::open(pronunciation_path_, SettingsLayout::group_separator);
        if (!*pronunciation_) return std::nullopt;
        SettingsFile& dic = **pronunciation_;
        if (dic.has_group(group)) return std::pair{&dic, group};
        if (group == kEnglishPronunciationGroup && dic.has_group(kEnglishPronunciationDefaultsGroup))
            return std::pair{&dic, kEnglishPronunciationDefaultsGroup};
        return std::nullopt;
    }

private:
    SettingsFile& settings_;
    const fs::path& pronunciation_path_;
    std::optional<std::optional<SettingsFile>> pronunciation_;  // read on first need
};

void write_entry_group(SettingsFile& file, std::u16string_view group, const EntryList<PronunciationEntry>& list) {
    if (list.entries.empty()) return;
    file.select_group(group);
    for (const PronunciationEntry& entry : list.entries) file.write(entry.source, entry.replacement);
}

void write_symbol_group(SettingsFile& file, const EntryList<SymbolEntry>& list) {
    if (list.entries.empty()) return;
    file.select_group(kSymbolsGroup);
    for (const SymbolEntry& entry : list.entries) {
        const std::string code = std::to_string(entry.when);
        file.write(entry.symbol, entry.replacement + u":" + std::u16string(code.begin(), code.end()));
    }
}

bool write_user_dictionaries(const ConfigurationPaths& paths, const std::vector<PronunciationEntry>& entries) {
    const std::string bytes = user_dictionary_file_bytes(entries);
    bool written = write_file_atomic(paths.user_dictionary, bytes);
    std::error_code error;
    fs::create_directories(paths.engine_dictionary.parent_path(), error);
    return write_file_atomic(paths.engine_dictionary, bytes) && written;
}

}  // namespace

ConfigurationPaths configuration_paths(const fs::path& application_data) {
    const fs::path data = application_data / "VelnorSAPI";
    const fs::path russian = data / "dicts" / language_english_name(kRussianLanguageId);
    return {data / settings_file_name, data / "ru_dict.dic", russian / std::string(kUserDictionaryFileName),
            russian / std::string(kPronunciationFileName)};
}

bool load_configuration(ConfigurerState& state, const fs::path& application_data, UserInterface& ui) {
    const ConfigurationPaths paths = configuration_paths(application_data);
    std::optional<SettingsFile> opened = SettingsFile::open(paths.settings, SettingsLayout::group_separator);
    if (!opened) ui.message_box(make_message(texts::kWelcomeTitle, texts::kWelcomeText, MessageKind::information));
    SettingsFile file = opened ? std::move(*opened) : SettingsFile(SettingsLayout::group_separator);

    file.select_group(general_group);
    for_each_setting(state.settings, [&](const SettingDefinition& definition, auto& field) {
        field = static_cast<std::remove_reference_t<decltype(field)>>(
            file.read_int(definition.key, definition.default_value));
    });

    if (opened) {
        GroupSource source(file, paths.pronunciation);
        for (const EntryGroup& group : kEntryGroups) {
            const auto found = source.find(group.group);
            state.entry_list(group.kind) = found ? read_entry_group(*found->first, found->second)
                                                 : EntryList<PronunciationEntry>{};
        }
        const auto symbols = source.find(kSymbolsGroup);
        state.symbols = symbols ? read_symbol_group(*symbols->first) : EntryList<SymbolEntry>{};
    } else {
        state.latin_letters = default_entry_list(kDefaultLatinLetters);
        state.cyrillic_letters = default_entry_list(kDefaultCyrillicLetters);
        state.latin_combinations = default_entry_list(kDefaultLatinCombinations);
        state.symbols = default_symbol_list();
    }

    if (const std::optional<std::string> bytes = read_file(paths.user_dictionary)) {
        state.user_dictionary = {parse_user_dictionary_file(*bytes), std::nullopt};
    } else {
        state.user_dictionary = default_entry_list(kDefaultUserDictionary);
    }
    return opened.has_value();
}

bool apply_configuration(const ConfigurerState& state, const fs::path& application_data, bool silent,
                         UserInterface& ui, const SignalOptions& signal) {
    const ConfigurationPaths paths = configuration_paths(application_data);
    // Written under the mutex the engines rewrite these files under (past its
    // wait, written all the same); released before the engines are signalled.
    std::optional<SharedFilesLock> files(std::in_place, signal.mutex_name);
    SettingsFile file = SettingsFile::create(paths.settings, SettingsLayout::group_separator);
    file.select_group(general_group);
    for_each_setting(state.settings, [&](const SettingDefinition& definition, const auto& field) {
        file.write_int(definition.key, field);
    });
    for (const EntryGroup& group : kEntryGroups) write_entry_group(file, group.group, state.entry_list(group.kind));
    write_symbol_group(file, state.symbols);
    if (!file.close()) {
        show_error(ui, texts::kSettingsWriteFailed);
        return false;
    }

    if (!state.user_dictionary.entries.empty() && !write_user_dictionaries(paths, state.user_dictionary.entries)) {
        show_error(ui, texts::kDictionaryWriteFailed);
    }
    files.reset();
    if (!silent) {
        signal_engines(signal.mutex_name, signal.grace);
        ui.message_box(make_message(texts::kSuccessTitle, texts::kApplied, MessageKind::information));
    }
    return true;
}

}  // namespace vl
