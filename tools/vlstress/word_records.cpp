#include "tools/vlstress/word_records.h"

#include <charconv>
#include <vector>

#include "base/cp1251.h"
#include "base/utf.h"
#include "stress/stress_characters.h"

namespace vl::stress_tool {

namespace {

constexpr size_t kMaxMarks = 3;
// Several positions are told from a short replacement text by a first byte of at most 0x20.
constexpr int kMaxFirstOfSeveral = 0x20;

std::optional<std::string> to_1251(std::string_view utf8) {
    if (!is_valid_utf8(utf8)) return std::nullopt;
    std::string bytes;
    for (char16_t c : utf8_to_utf16(utf8)) {
        const std::optional<uint8_t> byte = unicode_to_cp1251(c);
        if (!byte) return std::nullopt;
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> result;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && is_blank(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !is_blank(line[i])) ++i;
        if (i > start) result.push_back(line.substr(start, i - start));
    }
    return result;
}

// Stress positions as lookup inserts them: each counted in the word with only
// the marks before it, the later ones inserted first.
std::optional<std::string> position_data(std::string_view key, std::string_view form) {
    std::string bare;
    std::string positions;
    for (char c : form) {
        if (c == '-') continue;
        if (c != '+') {
            bare += c;
            continue;
        }
        const size_t position = bare.size() + 1;
        if (positions.size() == kMaxMarks || position > 255) return std::nullopt;
        positions += static_cast<char>(position);
    }
    if (bare != key || positions.empty()) return std::nullopt;
    if (positions.size() > 1 && static_cast<uint8_t>(positions[0]) > kMaxFirstOfSeveral) return std::nullopt;
    return positions;
}

LineResult malformed() { return {LineResult::Kind::malformed, {}}; }

}  // namespace

std::string word_key(std::string_view cp1251_word) {
    std::string key;
    for (char c : cp1251_word) {
        if (c != '-') key += dict::is_stress_letter(c) ? dict::lower_stress_letter(c) : c;
    }
    return key;
}

std::optional<WordRecord> make_record(std::string_view cp1251_word, std::string_view cp1251_form) {
    WordRecord record{word_key(cp1251_word), {}};
    if (record.key.empty()) return std::nullopt;
    if (std::optional<std::string> positions = position_data(record.key, cp1251_form)) {
        record.data = std::move(*positions);
        return record;
    }
    // A replacement text must not look like positions when read back.
    const size_t size = cp1251_form.size();
    if (size <= 1 || (size <= 3 && static_cast<uint8_t>(cp1251_form[0]) <= kMaxFirstOfSeveral)) return std::nullopt;
    record.data = cp1251_form;
    return record;
}

LineResult parse_list_line(std::string_view line) {
    const std::vector<std::string_view> parts = fields(line);
    if (parts.empty()) return {};
    if (parts.size() != 2) return malformed();
    const std::optional<std::string> word = to_1251(parts[0]);
    const std::optional<std::string> form = to_1251(parts[1]);
    if (!word || !form) return malformed();
    std::optional<WordRecord> record = make_record(*word, *form);
    if (!record) return malformed();
    return {LineResult::Kind::record, std::move(*record)};
}

FestivalLine parse_festival_entry(std::string_view line) {
    if (!line.starts_with('(')) return {};
    const FestivalLine malformed{FestivalLine::Kind::malformed, {}};
    // ("word" POS (N) [flags])
    const size_t close_quote = line.find('"', 2);
    if (!line.starts_with("(\"") || close_quote == std::string_view::npos) return malformed;
    const std::optional<std::string> word = to_1251(line.substr(2, close_quote - 2));
    const size_t open = line.find('(', close_quote);
    const size_t close = line.find(')', open == std::string_view::npos ? line.size() : open);
    if (!word || open == std::string_view::npos || close == std::string_view::npos) return malformed;
    FestivalLine result{FestivalLine::Kind::entry, {word_key(*word), {}, 0, false}};
    const char* first = line.data() + open + 1;
    const char* last = line.data() + close;
    const auto [end, error] = std::from_chars(first, last, result.entry.vowel_number);
    if (error != std::errc() || end != last || result.entry.vowel_number < 0) return malformed;
    const std::vector<std::string_view> pos = fields(line.substr(close_quote + 1, open - close_quote - 1));
    if (pos.size() == 1) result.entry.part_of_speech = pos[0];
    result.entry.yo = fields(line.substr(close + 1)) == std::vector<std::string_view>{"fix_yo)"};
    return result;
}

LineResult parse_festival_line(std::string_view line) {
    const FestivalLine parsed = parse_festival_entry(line);
    if (parsed.kind == FestivalLine::Kind::skipped) return {};
    if (parsed.kind == FestivalLine::Kind::malformed) return malformed();
    const LineResult unstressed{LineResult::Kind::unstressed, {}};
    const int vowel_number = parsed.entry.vowel_number;
    if (vowel_number == 0) return unstressed;
    // The mark goes after the N-th vowel of the key.
    const std::string& key = parsed.entry.key;
    std::string form;
    int vowels = 0;
    for (char c : key) {
        form += c;
        if (dict::is_stress_vowel(c) && ++vowels == vowel_number) form += '+';
    }
    if (vowels < vowel_number) return unstressed;
    std::optional<WordRecord> record = make_record(key, form);
    if (!record) return malformed();
    return {LineResult::Kind::record, std::move(*record)};
}

}  // namespace vl::stress_tool
