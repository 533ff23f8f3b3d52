#include "configurer/core/configuration_files.h"

#include <array>
#include <optional>
#include <system_error>
#include <type_traits>

#include "base/utf.h"
#include "configurer/core/default_lists.h"
#include "configurer/core/entry_storage.h"
#include "configurer/core/texts.h"
#include "contract/data_layout.h"
#include "contract/pronunciation_defaults.h"
#include "platform/shared_files_lock.h"
#include "store/file_io.h"
#include "store/pronunciation_file.h"
#include "store/settings_file.h"
#include "store/user_dictionary_file.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

// A pronunciation list and the group that holds it.
struct EntryGroup {
    ListKind kind;
    std::u16string_view group;
};

std::array<EntryGroup, 3> entry_groups(const Language& language) {
    return {{{ListKind::LatinLetters, kEnglishLettersGroup},
             {ListKind::CyrillicLetters, language.letters->group},
             {ListKind::LatinCombinations, kEnglishPronunciationGroup}}};
}

// prefs.ini carries the Russian groups only: the engine moves them into the Russian pronunc.dic.
bool carried_by_settings_file(const Language& language) { return &language == &kRussian; }

EntryList<PronunciationEntry> read_entry_group(SettingsFile& file, std::u16string_view group) {
    EntryList<PronunciationEntry> list;
    file.select_group(group);
    for (SettingsEntry& entry : file.entries()) list.entries.push_back({std::move(entry.key), std::move(entry.value)});
    return list;
}

// "name:when", read as the engine reads a symbol's value.
SymbolEntry symbol_of(SettingsEntry entry) {
    SymbolName name = parse_symbol_value(entry.value);
    return {std::move(entry.key), std::move(name.name), static_cast<uint8_t>(name.always)};
}

EntryList<SymbolEntry> read_symbol_group(SettingsFile& file) {
    EntryList<SymbolEntry> list;
    file.select_group(kSymbolsGroup);
    for (SettingsEntry& entry : file.entries()) list.entries.push_back(symbol_of(std::move(entry)));
    return list;
}

// The file holding a pronunciation group: prefs.ini when it has the group,
// else pronunc.dic when that has it under one of the group's names, else the
// default groups the engine writes into a new pronunc.dic (what it would read).
class GroupSource {
public:
    // settings: prefs.ini when it carries the language's groups, else null.
    GroupSource(SettingsFile* settings, const fs::path& pronunciation_path, const Language& language)
        : settings_(settings), pronunciation_path_(pronunciation_path), language_(language) {}

    // The file and the name under which it holds the group.
    std::pair<SettingsFile*, std::u16string_view> find(std::u16string_view group) {
        if (settings_ && settings_->has_group(group)) return {settings_, group};
        if (!pronunciation_) pronunciation_ = SettingsFile::open(pronunciation_path_, SettingsLayout::group_separator);
        if (*pronunciation_) {
            if (auto found = find_in(**pronunciation_, group)) return *found;
        }
        if (!engine_defaults_) {
            engine_defaults_.emplace();
            PronunciationTables ignored;
            read_pronunciation_tables(*engine_defaults_, language_.code, ignored);
        }
        return find_in(*engine_defaults_, group).value_or(std::pair{&*engine_defaults_, group});
    }

private:
    static std::optional<std::pair<SettingsFile*, std::u16string_view>> find_in(SettingsFile& file,
                                                                                 std::u16string_view group) {
        if (file.has_group(group)) return std::pair{&file, group};
        if (group == kEnglishPronunciationGroup && file.has_group(kEnglishPronunciationDefaultsGroup))
            return std::pair{&file, kEnglishPronunciationDefaultsGroup};
        return std::nullopt;
    }

    SettingsFile* settings_;
    const fs::path& pronunciation_path_;
    const Language& language_;
    std::optional<std::optional<SettingsFile>> pronunciation_;  // read on first need
    std::optional<SettingsFile> engine_defaults_;                // made on first need
};

// Every list is written as its group, an empty list as an empty group, so that
// the group replaces its namesake in pronunc.dic and an emptied list stays
// empty. An entry its file could not hold back is left out (the dialogs refuse
// such entries; this keeps it from taking its neighbours with it).
void write_entry_group(SettingsFile& file, std::u16string_view group, ListKind kind,
                       const EntryList<PronunciationEntry>& list) {
    file.select_or_add_group(group);
    for (const PronunciationEntry& entry : list.entries) {
        if (unstorable_position(kind, Field::source, entry.source) != 0 ||
            unstorable_position(kind, Field::replacement, entry.replacement) != 0) {
            continue;
        }
        file.write(entry.source, entry.replacement);
    }
}

void write_symbol_group(SettingsFile& file, const EntryList<SymbolEntry>& list) {
    file.select_or_add_group(kSymbolsGroup);
    for (const SymbolEntry& entry : list.entries) {
        if (unstorable_position(ListKind::Symbols, Field::source, entry.symbol) != 0 ||
            unstorable_position(ListKind::Symbols, Field::replacement, entry.replacement) != 0) {
            continue;
        }
        const std::string code = std::to_string(entry.when);
        file.write(entry.symbol, entry.replacement + u":" + std::u16string(code.begin(), code.end()));
    }
}

std::size_t group_count(const SettingsFile& file, std::u16string_view name) {
    std::size_t count = 0;
    for (const std::u16string& found : file.group_names()) count += settings_names_match(found, name) ? 1 : 0;
    return count;
}

// The language's groups replace their namesakes in the file. A group that
// already holds the same entries is left as it is, comments included, so that
// applying what was read changes nothing; the rest of the file stays.
void write_groups(SettingsFile& file, const LanguageLists& lists, const Language& language) {
    SettingsFile fresh;
    for (const EntryGroup& group : entry_groups(language))
        write_entry_group(fresh, group.group, group.kind, lists.entry_list(group.kind));
    write_symbol_group(fresh, lists.symbols);
    for (const std::u16string& name : fresh.group_names()) {
        fresh.select_group(name);
        const std::vector<SettingsEntry> entries = fresh.entries();
        if (group_count(file, name) == 1 && file.select_group(name) && file.entries() == entries) continue;
        file.remove_group(name);
        file.select_or_add_group(name);
        for (const SettingsEntry& entry : entries) file.write(entry.key, entry.value);
    }
}

// The file at path as it stands, else a new one there; nothing when the path
// holds something unreadable, which is not to be replaced blindly.
std::optional<SettingsFile> open_for_writing(const fs::path& path) {
    std::error_code error;
    if (auto file = SettingsFile::open(path, SettingsLayout::group_separator)) return file;
    if (fs::exists(path, error)) return std::nullopt;
    return SettingsFile::create(path, SettingsLayout::group_separator);
}

bool write_pronunciation_file(const fs::path& path, const LanguageLists& lists, const Language& language) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::optional<SettingsFile> file = open_for_writing(path);
    if (!file) return false;
    write_groups(*file, lists, language);
    return file->close();
}

std::optional<std::vector<PronunciationEntry>> read_user_dictionary(const fs::path& path) {
    const std::optional<std::string> bytes = read_file(path);
    if (!bytes) return std::nullopt;
    return parse_user_dictionary_file(*bytes);
}

// A UTF-8 dictionary file that already holds these entries is not written, so
// its comments and any field after the pronunciation stay; one with lines in
// code page 1251 is written anew in UTF-8.
bool write_user_dictionary(const fs::path& path, const std::vector<PronunciationEntry>& entries,
                           const std::string& bytes) {
    const std::optional<std::string> existing = read_file(path);
    if (existing && is_valid_utf8(*existing) && parse_user_dictionary_file(*existing) == entries) return true;
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    return write_file_atomic(path, bytes);
}

bool write_user_dictionaries(const ConfigurationPaths& paths, const std::vector<PronunciationEntry>& entries) {
    const std::string bytes = user_dictionary_file_bytes(entries);
    const bool written = write_user_dictionary(paths.user_dictionary, entries, bytes);
    return write_user_dictionary(paths.engine_dictionary, entries, bytes) && written;
}

bool modified_later(const fs::path& path, const fs::path& than) {
    std::error_code error;
    const fs::file_time_type time = fs::last_write_time(path, error);
    if (error) return false;
    const fs::file_time_type other = fs::last_write_time(than, error);
    return error || time > other;
}

// The configurer's file and the engine's, merged; the defaults when neither opens.
EntryList<PronunciationEntry> read_user_dictionaries(const ConfigurationPaths& paths,
                                                     std::vector<PronunciationEntry> defaults) {
    const auto own = read_user_dictionary(paths.user_dictionary);
    const auto engine = read_user_dictionary(paths.engine_dictionary);
    if (!own && !engine) return {std::move(defaults), std::nullopt};
    return {merge_user_dictionaries(own.value_or(std::vector<PronunciationEntry>{}),
                                    engine.value_or(std::vector<PronunciationEntry>{}),
                                    modified_later(paths.engine_dictionary, paths.user_dictionary)),
            std::nullopt};
}

}  // namespace

ConfigurationPaths configuration_paths(const fs::path& application_data, const Language& language) {
    const fs::path data = application_data / kDataFolderName;
    const fs::path folder = language_folder(data, language.folder);
    return {data / kSettingsFileName, data / language.configurer_dictionary, folder / kUserDictionaryFileName,
            folder / kPronunciationFileName};
}

bool load_configuration(ConfigurerState& state, const fs::path& application_data, UserInterface& ui) {
    const fs::path settings_path = configuration_paths(application_data).settings;
    std::optional<SettingsFile> opened = SettingsFile::open(settings_path, SettingsLayout::group_separator);
    if (!opened) ui.message_box(make_message(texts::kWelcomeTitle, texts::kWelcomeText, MessageKind::information));
    SettingsFile file = opened ? std::move(*opened) : SettingsFile(SettingsLayout::group_separator);

    for_each_setting(state.settings, [&](const SettingDefinition& definition, auto& field) {
        file.select_group(definition.group);
        field = static_cast<std::remove_reference_t<decltype(field)>>(
            file.read_int(definition.key, definition.default_value));
    });

    for (std::size_t index = 0; index < kLanguageCount; ++index) {
        const Language& language = kLanguages[index];
        const ConfigurationPaths paths = configuration_paths(application_data, language);
        LanguageLists& lists = state.languages[index];
        const std::optional<LanguageLists> defaults = configurer_defaults(language);
        if (!opened && defaults) {
            lists = *defaults;
        } else {
            GroupSource source(carried_by_settings_file(language) ? &file : nullptr, paths.pronunciation, language);
            for (const EntryGroup& group : entry_groups(language)) {
                const auto [holder, name] = source.find(group.group);
                lists.entry_list(group.kind) = read_entry_group(*holder, name);
            }
            lists.symbols = read_symbol_group(*source.find(kSymbolsGroup).first);
        }
        lists.user_dictionary = read_user_dictionaries(paths, defaults ? defaults->user_dictionary.entries
                                                                       : std::vector<PronunciationEntry>{});
    }
    return opened.has_value();
}

bool apply_configuration(const ConfigurerState& state, const fs::path& application_data, bool silent,
                         UserInterface& ui, const SignalOptions& signal) {
    // Written under the mutex the engines rewrite these files under; released
    // before the engines are signalled.
    std::optional<SharedFilesLock> files(std::in_place, signal.mutex_name, signal.files_wait);
    if (!files->owned()) {
        if (!silent) show_error(ui, texts::kSharedFilesBusy);
        return false;
    }
    std::optional<SettingsFile> file = open_for_writing(configuration_paths(application_data).settings);
    if (file) {
        for_each_setting(state.settings, [&](const SettingDefinition& definition, const auto& field) {
            file->select_group(definition.group);
            file->write_int(definition.key, field);
        });
        for (std::size_t index = 0; index < kLanguageCount; ++index) {
            if (carried_by_settings_file(kLanguages[index]))
                write_groups(*file, state.languages[index], kLanguages[index]);
        }
    }
    if (!file || !file->close()) {
        show_error(ui, texts::kSettingsWriteFailed);
        return false;
    }

    for (std::size_t index = 0; index < kLanguageCount; ++index) {
        const Language& language = kLanguages[index];
        const ConfigurationPaths paths = configuration_paths(application_data, language);
        const LanguageLists& lists = state.languages[index];
        if (!carried_by_settings_file(language) && !write_pronunciation_file(paths.pronunciation, lists, language)) {
            show_error(ui, texts::kSettingsWriteFailed);
        }
        if (!write_user_dictionaries(paths, lists.user_dictionary.entries)) {
            show_error(ui, texts::kDictionaryWriteFailed);
        }
    }
    files.reset();
    if (!silent) {
        signal_engines(signal.mutex_name, signal.grace);
        ui.message_box(make_message(texts::kSuccessTitle, texts::kApplied, MessageKind::information));
    }
    return true;
}

}  // namespace vl
