#pragma once
// The settings-file format shared by prefs.ini, pronunc.dic and the configurer.
//
// Reading:
// - A leading byte-order mark EF BB BF is skipped; each line is read as UTF-8
//   when its bytes are valid UTF-8, else as code page 1251, in which such files
//   were saved by hand (utf8_or_cp1251_to_utf16).
// - CR, LF or both end a line; blanks and tabs at a line's start are skipped;
//   lines that are then empty are dropped.
// - "[" starts a group header: the name runs to "]" or to the line end, the rest
//   of the line is ignored.
// - ";" starts a comment: one blank after it is dropped, the rest is its text.
// - Any other line is a key line: the key runs to the first "=" (or to the line
//   end: a key with an empty value) without trailing blanks and tabs; the value
//   follows the "=" without leading or trailing blanks and tabs.
//
// Writing (on close, whole and atomically): the byte-order mark and an empty
// line, then every line ending in CR LF: "[name]", "; text", "key = value". With
// the group-separator layout an empty line precedes every group header but the
// first.
//
// Group and key names match when equal after folding the Latin letters A-Z to
// lower case; every other character must match exactly. Keys are looked up in
// the current group only. Lines before the first group header belong to no
// group: they are the current "group" until select_group is called.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/decimal.h"

namespace vl {

// How a settings file is laid out when written.
enum class SettingsLayout {
    plain,            // opened "without options": no empty lines between groups
    group_separator,  // an empty line before every group header but the first
};

struct SettingsEntry {
    std::u16string key;
    std::u16string value;
    bool operator==(const SettingsEntry&) const = default;
};

class SettingsFile {
public:
    // An empty file in memory, bound to no path (close writes nothing).
    explicit SettingsFile(SettingsLayout layout = SettingsLayout::group_separator);

    // Reads the file at path. Nothing when it cannot be read (missing, a folder,
    // locked). close() writes it back to the same path.
    static std::optional<SettingsFile> open(const std::filesystem::path& path, SettingsLayout layout);
    // An empty file bound to path: close() replaces whatever the path holds.
    static SettingsFile create(const std::filesystem::path& path, SettingsLayout layout);
    // Reads a file's bytes (no path: close writes nothing).
    static SettingsFile parse(std::string_view bytes, SettingsLayout layout);

    // Makes name the current group. True when the file holds that group; when it
    // does not, the group is created (with this spelling, at the end of the file)
    // by the first key or comment written to it.
    bool select_group(std::u16string_view name);
    // Makes name the current group, adding it empty at the end of the file when
    // it is missing, so that even a group with no entries is written.
    void select_or_add_group(std::u16string_view name);
    bool has_group(std::u16string_view name) const;
    // Every group name in file order, as written in the file (repeats included).
    std::vector<std::u16string> group_names() const;

    // The value of key in the current group; nothing when the key is missing.
    std::optional<std::u16string> read(std::u16string_view key) const;
    // The value read as a C-style decimal integer (parse_decimal); fallback
    // when the key is missing.
    int32_t read_int(std::u16string_view key, int32_t fallback) const;
    // Every key line of the current group, in file order (comments left out).
    std::vector<SettingsEntry> entries() const;

    // Replaces the value of key in place when the current group holds it (the
    // first such line, keeping its spelling of the key; the same value changes
    // nothing), else appends the key line at the end of the group.
    void write(std::u16string_view key, std::u16string_view value);
    void write_int(std::u16string_view key, int32_t value);
    // Appends a comment line at the end of the current group.
    void write_comment(std::u16string_view text);
    // Removes every group of that name with all its lines. True when one was found.
    bool remove_group(std::u16string_view name);

    // True when close() will write: anything changed or was removed since the
    // file was read, or the file was made by create.
    bool modified() const { return modified_; }
    // The file as it is written: UTF-8 with byte-order mark, CR LF line ends.
    std::string to_bytes() const;
    // Writes the file back whole and atomically when it was modified. True when
    // nothing needed writing or the write succeeded; false when the write failed
    // (the old file is then left as it was).
    bool close();

private:
    enum class LineKind { group, comment, key };
    struct Line {
        LineKind kind;
        std::u16string name;  // group name, or key
        std::u16string text;  // value of a key line, or text of a comment
    };
    // The lines of the current group's body, [first, last); exists is false when
    // the selected group is not in the file yet.
    struct Range {
        bool exists;
        std::size_t first;
        std::size_t last;
    };

    Range current_range() const;
    std::optional<std::size_t> find_key(std::u16string_view key) const;
    void append_to_current_group(Line line);

    SettingsLayout layout_;
    std::filesystem::path path_;
    std::vector<Line> lines_;
    std::optional<std::u16string> current_group_;  // nothing: the lines before the first header
    bool modified_ = false;
};

// What a key line can hold: the 1-based position of the first character of a
// key (or a value) that would not read back exactly as written, 0 when all
// would. Refused anywhere: CR, LF and unpaired surrogates; in a key "=", "["
// or ";" at its start; a blank or tab at either end. An empty text yields 0.
std::size_t unstorable_key_position(std::u16string_view key);
std::size_t unstorable_value_position(std::u16string_view value);

// The earlier of two 1-based positions, where 0 stands for none.
inline std::size_t first_position(std::size_t a, std::size_t b) { return a == 0 ? b : b == 0 ? a : (a < b ? a : b); }

// Case-insensitive for the Latin letters A-Z only.
bool settings_names_match(std::u16string_view a, std::u16string_view b);

}  // namespace vl
