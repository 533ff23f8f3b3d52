#include "store/user_dictionary_file.h"

#include <unordered_map>

#include "base/cp1251.h"
#include "base/lowercase.h"
#include "base/utf.h"
#include "store/settings_file.h"

namespace vl {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

PronunciationEntry entry_of_line(std::u16string_view line) {
    const std::size_t first_blank = line.find(u' ');
    if (first_blank == std::u16string_view::npos) return {std::u16string(line), {}};
    const std::u16string_view rest = line.substr(first_blank + 1);
    return {std::u16string(line.substr(0, first_blank)), std::u16string(rest.substr(0, rest.find(u' ')))};
}

}  // namespace

std::vector<PronunciationEntry> parse_user_dictionary_file(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    const std::u16string text = utf8_or_cp1251_to_utf16(bytes);
    std::vector<PronunciationEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string::npos) end = text.size();
        const std::u16string_view line = std::u16string_view(text).substr(start, end - start);
        if (!line.empty() && line.front() != u';') entries.push_back(entry_of_line(line));
        start = end + 1;
        if (end < text.size() && text[end] == u'\r' && start < text.size() && text[start] == u'\n') ++start;
    }
    return entries;
}

std::string user_dictionary_file_bytes(const std::vector<PronunciationEntry>& entries) {
    std::string bytes(kByteOrderMark);
    bool first = true;
    for (const PronunciationEntry& entry : entries) {
        // A line that would not read back as this entry is left out.
        if (entry.source.empty() || unstorable_word_position(entry.source) != 0 ||
            unstorable_pronunciation_position(entry.replacement) != 0) {
            continue;
        }
        if (!first) bytes += "\r\n";
        first = false;
        bytes += utf16_to_utf8(entry.source);
        bytes += ' ';
        bytes += utf16_to_utf8(entry.replacement);
    }
    return bytes;
}

std::size_t unstorable_pronunciation_position(std::u16string_view pronunciation) {
    const std::size_t separator = pronunciation.find_first_of(u" \r\n");
    return first_position(unpaired_surrogate_position(pronunciation),
                          separator == std::u16string_view::npos ? 0 : separator + 1);
}

std::size_t unstorable_word_position(std::u16string_view word) {
    return word.starts_with(u';') ? 1 : unstorable_pronunciation_position(word);
}

std::vector<PronunciationEntry> merge_user_dictionaries(std::vector<PronunciationEntry> own,
                                                        const std::vector<PronunciationEntry>& engine,
                                                        bool engine_newer) {
    const std::size_t own_size = own.size();
    std::unordered_map<std::u16string, std::size_t> index;  // lower-cased word -> its last entry
    for (std::size_t i = 0; i < own_size; ++i) index[to_lower(own[i].source)] = i;
    for (const PronunciationEntry& entry : engine) {
        const auto [found, added] = index.try_emplace(to_lower(entry.source), own.size());
        if (added) {
            own.push_back(entry);
        } else if (engine_newer || found->second >= own_size) {
            own[found->second].replacement = entry.replacement;  // within a file, the later line wins
        }
    }
    return own;
}

}  // namespace vl
