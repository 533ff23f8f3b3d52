#pragma once
// The configurer's model: the settings record, each language's five
// pronunciation lists with their current elements, and the program's flags. One per process, owned
// by the main program for its whole life.
#include <cstddef>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "contract/languages.h"
#include "contract/setting_definitions.h"
#include "contract/setting_fields.h"
#include "platform/single_instance.h"
#include "store/pronunciation_entry.h"

namespace vl {

// The lists; the number is also the tab position in the pronunciation panel.
enum class ListKind : uint8_t {
    LatinLetters = 0,
    CyrillicLetters = 1,
    LatinCombinations = 2,
    Symbols = 3,
    UserDictionaryList = 4,
};
inline constexpr std::size_t kListCount = 5;

// The symbol's "when" codes.
inline constexpr uint8_t kWhenSpelling = 0;  // only when read character by character
inline constexpr uint8_t kWhenAlways = 1;

struct SymbolEntry {
    std::u16string symbol;
    std::u16string replacement;
    uint8_t when = kWhenSpelling;
    bool operator==(const SymbolEntry&) const = default;
};

// An ordered list with its current element (none when empty or none chosen).
template <typename Entry>
struct EntryList {
    std::vector<Entry> entries;
    std::optional<std::size_t> current;
    // current names an element of the list.
    bool has_current() const { return current && *current < entries.size(); }
    bool operator==(const EntryList&) const = default;
};

// The settings as the configurer keeps them: nothing is clamped;
// use_dictionary and disable_decimal_separator are 8-bit.
struct SettingsRecord {
    int32_t sample_rate = definition_of(Setting::sample_rate).default_value;
    int32_t pause = definition_of(Setting::pause).default_value;  // -1: the library's own pauses
    uint8_t use_dictionary = static_cast<uint8_t>(definition_of(Setting::use_dictionary).default_value);
    int32_t intonation = definition_of(Setting::intonation).default_value;
    int32_t silence_at_begin = definition_of(Setting::silence_at_begin).default_value;
    int32_t silence_at_end = definition_of(Setting::silence_at_end).default_value;
    uint8_t disable_decimal_separator =
        static_cast<uint8_t>(definition_of(Setting::disable_decimal_separator).default_value);
    bool operator==(const SettingsRecord&) const = default;
};

// The record's field of each setting.
inline constexpr std::tuple kSettingsRecordFields{
    SettingField<SettingsRecord, int32_t>{Setting::sample_rate, &SettingsRecord::sample_rate},
    SettingField<SettingsRecord, int32_t>{Setting::pause, &SettingsRecord::pause},
    SettingField<SettingsRecord, uint8_t>{Setting::use_dictionary, &SettingsRecord::use_dictionary},
    SettingField<SettingsRecord, int32_t>{Setting::intonation, &SettingsRecord::intonation},
    SettingField<SettingsRecord, int32_t>{Setting::silence_at_begin, &SettingsRecord::silence_at_begin},
    SettingField<SettingsRecord, int32_t>{Setting::silence_at_end, &SettingsRecord::silence_at_end},
    SettingField<SettingsRecord, uint8_t>{Setting::disable_decimal_separator,
                                          &SettingsRecord::disable_decimal_separator},
};
static_assert(covers_every_setting(kSettingsRecordFields), "the configurer keeps every setting");

// Calls visit(definition, field) for each setting in file order.
template <typename Record, typename Visit>
void for_each_setting(Record& record, Visit visit) {
    for_each_setting_field(kSettingsRecordFields, record, visit);
}

// The "Словарь" tab exists exactly while the user dictionary is in use.
inline bool user_dictionary_tab_shown(const SettingsRecord& settings) { return settings.use_dictionary >= 2; }

// The pronunciation lists and the user dictionary of one language.
struct LanguageLists {
    EntryList<PronunciationEntry> latin_letters;
    EntryList<PronunciationEntry> cyrillic_letters;
    EntryList<PronunciationEntry> latin_combinations;
    EntryList<SymbolEntry> symbols;
    EntryList<PronunciationEntry> user_dictionary;

    // The list of an entry kind: every kind but Symbols.
    EntryList<PronunciationEntry>& entry_list(ListKind kind);
    const EntryList<PronunciationEntry>& entry_list(ListKind kind) const;
    bool operator==(const LanguageLists&) const = default;
};

struct ConfigurerState {
    SettingsRecord settings;  // common to every language
    // Each language's lists, in the order of kLanguages; the pronunciation
    // panel shows and edits those of `language`.
    std::array<LanguageLists, kLanguageCount> languages;
    std::size_t language = 0;
    // Set by every change of a setting and every add, edit or delete; cleared by Apply only.
    bool modified = false;
    // The first command-line argument was "-runaftersetup" (any case).
    bool run_after_setup = false;
    // Held from start-up to exit so that a second copy can tell.
    std::optional<SingleInstance> instance;

    LanguageLists& lists() { return languages[language]; }
    const LanguageLists& lists() const { return languages[language]; }
    EntryList<PronunciationEntry>& entry_list(ListKind kind) { return lists().entry_list(kind); }
    const EntryList<PronunciationEntry>& entry_list(ListKind kind) const { return lists().entry_list(kind); }
};

}  // namespace vl
