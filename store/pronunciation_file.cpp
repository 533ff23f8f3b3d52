#include "store/pronunciation_file.h"

#include <span>
#include <system_error>
#include <vector>

#include "contract/data_layout.h"
#include "contract/languages.h"
#include "store/settings_file.h"

namespace vl {
namespace {

// Selects the group, first writing its default entries when it is missing.
void select_or_write_defaults(SettingsFile& file, std::u16string_view group, std::span<const DefaultEntry> defaults,
                              std::u16string_view comment = {}) {
    if (file.select_group(group)) return;
    if (!comment.empty()) file.write_comment(comment);
    for (const DefaultEntry& entry : defaults) file.write(entry.key, entry.value);
}

void read_letters(SettingsFile& file, const LetterGroupDefaults& defaults, PronunciationTables& tables,
                  std::u16string_view comment = {}) {
    select_or_write_defaults(file, defaults.group, defaults.written, comment);
    for (char16_t letter : defaults.letters) {
        const std::optional<std::u16string> value = file.read(std::u16string_view(&letter, 1));
        tables.letters.set(letter, value ? *value : std::u16string(letter_fallback(defaults, letter)));
    }
}

// english_pronunciation when the file has it; otherwise englishPronunciation,
// whose three defaults are written again first.
void read_english_rewrites(SettingsFile& file, PronunciationTables& tables) {
    if (!file.select_group(kEnglishPronunciationGroup)) {
        file.select_group(kEnglishPronunciationDefaultsGroup);
        for (const DefaultEntry& entry : kEnglishPronunciation) file.write(entry.key, entry.value);
    }
    std::vector<Rewrite> list = tables.english.entries();
    for (SettingsEntry& entry : file.entries()) {
        // An empty source would match everywhere: such a line means nothing.
        if (!entry.key.empty()) list.push_back({std::move(entry.key), std::move(entry.value)});
    }
    tables.english = RewriteList(std::move(list));
}

void read_spelling_rewrites(SettingsFile& file, const SpellingRules& rules, PronunciationTables& tables) {
    select_or_write_defaults(file, rules.group, rules.rewrites);
    std::vector<Rewrite> list = tables.spelling.entries();
    for (SettingsEntry& entry : file.entries()) list.push_back({std::move(entry.key), std::move(entry.value)});
    tables.spelling = sorted_descending(std::move(list));
}

void read_symbols(SettingsFile& file, std::span<const DefaultEntry> defaults, PronunciationTables& tables) {
    select_or_write_defaults(file, kSymbolsGroup, defaults);
    for (const SettingsEntry& entry : file.entries()) {
        // Symbols are looked up one UTF-16 unit at a time: other keys never match.
        if (entry.key.size() == 1) tables.symbols.set(entry.key[0], parse_symbol_value(entry.value));
    }
}

}  // namespace

void read_pronunciation_tables(SettingsFile& file, std::u16string_view language, PronunciationTables& tables) {
    read_letters(file, kEnglishLetterGroup, tables, kEnglishLettersComment);
    const Language* described = find_language(language);
    if (described == nullptr) return;
    read_letters(file, *described->letters, tables);
    read_english_rewrites(file, tables);
    if (described->spelling) read_spelling_rewrites(file, *described->spelling, tables);
    read_symbols(file, described->symbols, tables);
}

bool load_pronunciation_tables(const std::filesystem::path& language_folder, std::u16string_view language,
                               PronunciationTables& tables, bool may_write) {
    const std::filesystem::path path = language_folder / kPronunciationFileName;
    if (!may_write) {
        std::optional<SettingsFile> file;
        if (!language_folder.empty()) file = SettingsFile::open(path, SettingsLayout::group_separator);
        SettingsFile read = file ? std::move(*file) : SettingsFile(SettingsLayout::group_separator);
        read_pronunciation_tables(read, language, tables);  // never closed: nothing is written
        return true;
    }
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !SettingsFile::create(path, SettingsLayout::group_separator).close()) {
        return false;
    }
    std::optional<SettingsFile> file = SettingsFile::open(path, SettingsLayout::group_separator);
    if (!file) return false;

    read_pronunciation_tables(*file, language, tables);
    file->close();
    return true;
}

PronunciationTables default_pronunciation_tables(std::u16string_view language) {
    SettingsFile empty;
    PronunciationTables tables;
    read_pronunciation_tables(empty, language, tables);
    return tables;
}

}  // namespace vl
