#include "platform/posix/single_byte_tables.h"

#include <array>
#include <span>

namespace vl {

namespace {

struct UnitByte {
    uint16_t unit;
    uint8_t byte;
};

struct SingleByteTable {
    int32_t code_page;
    const uint16_t* to_wide;
    std::span<const UnitByte> from_wide_exceptions;
};

#include "platform/posix/code_page_tables.inc"

using FromWide = std::array<uint8_t, 65536>;

FromWide build_from_wide(const SingleByteTable& table) {
    FromWide from_wide;
    from_wide.fill('?');
    for (int b = 255; b >= 0; --b) from_wide[table.to_wide[b]] = static_cast<uint8_t>(b);
    for (const UnitByte& entry : table.from_wide_exceptions) from_wide[entry.unit] = entry.byte;
    return from_wide;
}

const SingleByteTable* find_table(int32_t code_page) {
    if (code_page == 0) code_page = 1251;
    for (const SingleByteTable& table : kTables)
        if (table.code_page == code_page) return &table;
    return nullptr;
}

// Built on first use, for all the tables at once (64 KiB each).
const FromWide& from_wide_of(const SingleByteTable& table) {
    static const auto all = [] {
        std::array<FromWide, std::size(kTables)> built;
        for (size_t i = 0; i < std::size(kTables); ++i) built[i] = build_from_wide(kTables[i]);
        return built;
    }();
    return all[&table - kTables];
}

}  // namespace

std::optional<std::u16string> table_to_wide(std::string_view text, int32_t code_page) {
    const SingleByteTable* table = find_table(code_page);
    if (!table || text.empty()) return std::nullopt;
    std::u16string result(text.size(), u'\0');
    for (size_t i = 0; i < text.size(); ++i) result[i] = table->to_wide[static_cast<unsigned char>(text[i])];
    return result;
}

std::optional<std::string> table_from_wide(std::u16string_view text, int32_t code_page) {
    const SingleByteTable* table = find_table(code_page);
    if (!table || text.empty()) return std::nullopt;
    const FromWide& from_wide = from_wide_of(*table);
    std::string result(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) result[i] = static_cast<char>(from_wide[text[i]]);
    return result;
}

}  // namespace vl
