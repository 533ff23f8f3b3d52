#include "configurer/core/user_dictionary_file.h"

#include "base/utf.h"

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
    const std::u16string text = utf8_to_utf16(bytes);
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
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) bytes += "\r\n";
        bytes += utf16_to_utf8(entries[i].source);
        bytes += ' ';
        bytes += utf16_to_utf8(entries[i].replacement);
    }
    return bytes;
}

}  // namespace vl
