#include "store/settings_file.h"

#include <algorithm>

#include "base/cp1251.h"
#include "base/decimal.h"
#include "base/utf.h"
#include "store/file_io.h"

namespace vl {
namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

std::u16string decode(std::string_view bytes) {
    if (bytes.starts_with(byte_order_mark)) bytes.remove_prefix(byte_order_mark.size());
    return utf8_or_cp1251_to_utf16(bytes);
}

bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view trim_start(std::u16string_view text) {
    std::size_t start = 0;
    while (start < text.size() && is_blank(text[start])) ++start;
    return text.substr(start);
}

std::u16string_view trim_end(std::u16string_view text) {
    std::size_t end = text.size();
    while (end > 0 && is_blank(text[end - 1])) --end;
    return text.substr(0, end);
}

// The first character a line cannot hold anywhere: a line end or half a surrogate pair.
std::size_t unstorable_anywhere(std::u16string_view text) {
    const std::size_t line_end = text.find_first_of(u"\r\n");
    return first_position(unpaired_surrogate_position(text), line_end == std::u16string_view::npos ? 0 : line_end + 1);
}

// Blanks and tabs at either end are trimmed by the reader.
std::size_t untrimmed_ends(std::u16string_view text) {
    if (text.empty()) return 0;
    if (is_blank(text.front())) return 1;
    if (is_blank(text.back())) return text.size();
    return 0;
}

char16_t fold_latin(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

}  // namespace

bool settings_names_match(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold_latin(a[i]) != fold_latin(b[i])) return false;
    return true;
}

std::size_t unstorable_key_position(std::u16string_view key) {
    std::size_t position = first_position(unstorable_anywhere(key), untrimmed_ends(key));
    if (const std::size_t equals = key.find(u'='); equals != std::u16string_view::npos)
        position = first_position(position, equals + 1);
    if (!key.empty() && (key.front() == u'[' || key.front() == u';')) position = 1;
    return position;
}

std::size_t unstorable_value_position(std::u16string_view value) {
    return first_position(unstorable_anywhere(value), untrimmed_ends(value));
}

SettingsFile::SettingsFile(SettingsLayout layout) : layout_(layout) {}

std::optional<SettingsFile> SettingsFile::open(const std::filesystem::path& path, SettingsLayout layout) {
    const std::optional<std::string> bytes = read_file(path);
    if (!bytes) return std::nullopt;
    SettingsFile file = parse(*bytes, layout);
    file.path_ = path;
    return file;
}

SettingsFile SettingsFile::create(const std::filesystem::path& path, SettingsLayout layout) {
    SettingsFile file(layout);
    file.path_ = path;
    file.modified_ = true;
    return file;
}

SettingsFile SettingsFile::parse(std::string_view bytes, SettingsLayout layout) {
    SettingsFile file(layout);
    const std::u16string text = decode(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string::npos) end = text.size();
        const std::u16string_view line = trim_start(std::u16string_view(text).substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        if (line[0] == u'[') {
            const std::u16string_view rest = line.substr(1);
            file.lines_.push_back({LineKind::group, std::u16string(rest.substr(0, rest.find(u']'))), {}});
        } else if (line[0] == u';') {
            std::u16string_view comment = line.substr(1);
            if (comment.starts_with(u' ')) comment.remove_prefix(1);
            file.lines_.push_back({LineKind::comment, {}, std::u16string(comment)});
        } else {
            const std::size_t equals = line.find(u'=');
            const std::u16string_view key = trim_end(line.substr(0, equals));
            std::u16string_view value;  // a key line without "=" has an empty value
            if (equals != std::u16string_view::npos) value = trim_end(trim_start(line.substr(equals + 1)));
            file.lines_.push_back({LineKind::key, std::u16string(key), std::u16string(value)});
        }
    }
    return file;
}

SettingsFile::Range SettingsFile::current_range() const {
    std::size_t i = 0;
    if (current_group_) {
        while (i < lines_.size() &&
               !(lines_[i].kind == LineKind::group && settings_names_match(lines_[i].name, *current_group_)))
            ++i;
        if (i == lines_.size()) return {false, i, i};
        ++i;
    }
    std::size_t last = i;
    while (last < lines_.size() && lines_[last].kind != LineKind::group) ++last;
    return {true, i, last};
}

bool SettingsFile::select_group(std::u16string_view name) {
    current_group_ = std::u16string(name);
    return current_range().exists;
}

void SettingsFile::select_or_add_group(std::u16string_view name) {
    if (select_group(name)) return;
    lines_.push_back({LineKind::group, std::u16string(name), {}});
    modified_ = true;
}

bool SettingsFile::has_group(std::u16string_view name) const {
    for (const Line& line : lines_)
        if (line.kind == LineKind::group && settings_names_match(line.name, name)) return true;
    return false;
}

std::vector<std::u16string> SettingsFile::group_names() const {
    std::vector<std::u16string> names;
    for (const Line& line : lines_)
        if (line.kind == LineKind::group) names.push_back(line.name);
    return names;
}

std::optional<std::size_t> SettingsFile::find_key(std::u16string_view key) const {
    const Range range = current_range();
    for (std::size_t i = range.first; i < range.last; ++i)
        if (lines_[i].kind == LineKind::key && settings_names_match(lines_[i].name, key)) return i;
    return std::nullopt;
}

std::optional<std::u16string> SettingsFile::read(std::u16string_view key) const {
    const std::optional<std::size_t> index = find_key(key);
    if (!index) return std::nullopt;
    return lines_[*index].text;
}

int32_t SettingsFile::read_int(std::u16string_view key, int32_t fallback) const {
    const std::optional<std::size_t> index = find_key(key);
    return index ? parse_decimal(lines_[*index].text) : fallback;
}

std::vector<SettingsEntry> SettingsFile::entries() const {
    std::vector<SettingsEntry> result;
    const Range range = current_range();
    for (std::size_t i = range.first; i < range.last; ++i)
        if (lines_[i].kind == LineKind::key) result.push_back({lines_[i].name, lines_[i].text});
    return result;
}

void SettingsFile::append_to_current_group(Line line) {
    const Range range = current_range();
    if (!range.exists) {
        lines_.push_back({LineKind::group, *current_group_, {}});
        lines_.push_back(std::move(line));
    } else {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(range.last), std::move(line));
    }
    modified_ = true;
}

void SettingsFile::write(std::u16string_view key, std::u16string_view value) {
    if (const std::optional<std::size_t> index = find_key(key)) {
        if (lines_[*index].text == value) return;
        lines_[*index].text = value;
        modified_ = true;
        return;
    }
    append_to_current_group({LineKind::key, std::u16string(key), std::u16string(value)});
}

void SettingsFile::write_int(std::u16string_view key, int32_t value) {
    const std::string digits = std::to_string(value);
    write(key, std::u16string(digits.begin(), digits.end()));
}

void SettingsFile::write_comment(std::u16string_view text) {
    append_to_current_group({LineKind::comment, {}, std::u16string(text)});
}

bool SettingsFile::remove_group(std::u16string_view name) {
    bool found = false;
    bool removing = false;
    std::erase_if(lines_, [&](const Line& line) {
        if (line.kind == LineKind::group) {
            removing = settings_names_match(line.name, name);
            found = found || removing;
        }
        return removing;
    });
    modified_ = modified_ || found;
    return found;
}

std::string SettingsFile::to_bytes() const {
    std::u16string text;
    bool first_group = true;
    for (const Line& line : lines_) {
        switch (line.kind) {
            case LineKind::group:
                if (layout_ == SettingsLayout::group_separator && !first_group) text += u"\r\n";
                first_group = false;
                text += u'[';
                text += line.name;
                text += u']';
                break;
            case LineKind::comment:
                text += u"; ";
                text += line.text;
                break;
            case LineKind::key:
                text += line.name;
                text += u" = ";
                text += line.text;
                break;
        }
        text += u"\r\n";
    }
    std::string bytes(byte_order_mark);
    bytes += "\r\n";
    bytes += utf16_to_utf8(text);
    return bytes;
}

bool SettingsFile::close() {
    if (!modified_ || path_.empty()) return true;
    if (!write_file_atomic(path_, to_bytes())) return false;
    modified_ = false;
    return true;
}

}  // namespace vl
