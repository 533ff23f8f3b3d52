#include "textprep/user_dictionary.h"

#include <algorithm>

#include "base/file_io.h"
#include "base/lowercase.h"
#include "base/utf.h"

namespace vl {
namespace {

// The UTF-8 mark, and the UTF-16 marks, which are skipped as well (the text
// is still read as UTF-8).
std::string_view without_byte_order_mark(std::string_view bytes) {
    for (std::string_view mark : {std::string_view("\xEF\xBB\xBF"), std::string_view("\xFF\xFE"),
                                  std::string_view("\xFE\xFF")}) {
        if (bytes.starts_with(mark)) return bytes.substr(mark.size());
    }
    return bytes;
}

std::u16string_view before_blank(std::u16string_view text) { return text.substr(0, text.find(u' ')); }

}  // namespace

UserDictionary UserDictionary::parse(std::string_view bytes) {
    auto text = std::make_shared<std::u16string>(utf8_to_utf16(without_byte_order_mark(bytes)));
    for (char16_t& c : *text) c = to_lower(c);

    UserDictionary dictionary;
    const std::u16string_view rest_of_file(*text);
    dictionary.entries_.reserve(std::count(rest_of_file.begin(), rest_of_file.end(), u'\n') +
                                std::count(rest_of_file.begin(), rest_of_file.end(), u'\r') + 1);
    size_t start = 0;
    while (start < rest_of_file.size()) {
        size_t end = rest_of_file.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) end = rest_of_file.size();
        const std::u16string_view line = rest_of_file.substr(start, end - start);
        const std::u16string_view word = before_blank(line);
        const std::u16string_view pronunciation =
            word.size() < line.size() ? before_blank(line.substr(word.size() + 1)) : std::u16string_view();
        dictionary.entries_.insert_or_assign(word, pronunciation);

        start = end + 1;
        if (end < rest_of_file.size() && rest_of_file[end] == u'\r' && start < rest_of_file.size() &&
            rest_of_file[start] == u'\n') {
            ++start;
        }
    }
    dictionary.text_ = std::move(text);
    return dictionary;
}

std::optional<UserDictionary> load_user_dictionary(const std::filesystem::path& file) {
    const std::optional<std::string> bytes = read_file(file);
    if (!bytes) return std::nullopt;
    return UserDictionary::parse(*bytes);
}

bool reload_user_dictionary(Published<UserDictionary>& dictionary, const std::filesystem::path& file) {
    std::optional<UserDictionary> loaded = load_user_dictionary(file);
    if (!loaded) return false;
    dictionary.publish(std::move(*loaded));
    return true;
}

void clear_user_dictionary(Published<UserDictionary>& dictionary) { dictionary.publish(UserDictionary()); }

}  // namespace vl
