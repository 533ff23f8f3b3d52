#include "stress/xlat/code_table.h"

#include "base/char_class.h"
#include "platform/module_folder.h"
#include "store/file_io.h"

#include <optional>
#include <string>

namespace vl::xlat {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// A "0x"/"0X" hexadecimal token whose value fits in 32 bits.
std::optional<uint32_t> parse_hex_token(std::string_view token) {
    if (token.size() < 3 || token[0] != '0' || (token[1] != 'x' && token[1] != 'X')) return std::nullopt;
    uint64_t value = 0;
    for (const char c : token.substr(2)) {
        const int digit = hex_digit_value(static_cast<unsigned char>(c));
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > UINT32_MAX) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

void apply_line(std::string_view line, CodeTable& table) {
    if (line.size() < 9) return;
    size_t end = 0;
    while (end < line.size() && !is_blank(line[end])) ++end;
    if (end == line.size()) return;
    const auto byte = parse_hex_token(line.substr(0, end));
    size_t start = end;
    while (start < line.size() && is_blank(line[start])) ++start;
    end = start;
    while (end < line.size() && !is_blank(line[end])) ++end;
    if (end + 1 >= line.size()) return;  // a blank and a comment must follow
    const auto unit = parse_hex_token(line.substr(start, end - start));
    if (!byte || !unit || *byte > 0xFF || *unit > 0xFFFF) return;
    table.fromWide[*unit] = static_cast<uint8_t>(*byte);
}

}  // namespace

void apply_code_table_text(std::string_view text, CodeTable& table) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        apply_line(text.substr(start, end - start), table);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

std::unique_ptr<CodeTable> build_code_table(std::string_view text, int32_t id) {
    auto table = std::make_unique<CodeTable>();
    table->id = id;
    for (int b = 0; b < 256; ++b) table->toWide[b] = static_cast<char16_t>(b);
    table->fromWide.fill('?');
    apply_code_table_text(text, *table);
    for (int unit = 0xFFFF; unit >= 0; --unit) table->toWide[table->fromWide[unit]] = static_cast<char16_t>(unit);
    return table;
}

std::unique_ptr<CodeTable> load_code_table_file(const std::filesystem::path& file, int32_t id) {
    const std::optional<std::string> text = read_file(file);
    return text ? build_code_table(*text, id) : nullptr;
}

const CodeTable* CodeTableList::get(int32_t id) {
    {
        std::lock_guard guard(lock_);
        for (const auto& table : tables_)
            if (table->id == id) return table.get();
    }
    // Read outside the lock; two threads loading the same table both keep theirs.
    auto table = load_code_table_file(folder_ / ("cp" + std::to_string(id) + ".txt"), id);
    if (!table) return nullptr;
    std::lock_guard guard(lock_);
    tables_.push_back(std::move(table));
    return tables_.back().get();
}

const CodeTable* get_code_table(int32_t id) {
    static CodeTableList tables(module_folder());
    return tables.get(id);
}

}  // namespace vl::xlat
