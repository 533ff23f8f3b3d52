#pragma once
// Custom code tables: 8-bit encodings read from the files "cp" + N + ".txt" in
// the library's folder, for encodings the operating system lacks.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace vl::xlat {

struct CodeTable {
    int32_t id = 0;
    std::array<char16_t, 256> toWide{};
    std::array<uint8_t, 65536> fromWide{};
};

// Applies every well-formed line of a code table file to fromWide: a "0x" byte
// value, blanks, a "0x" UTF-16 value, then a blank and at least one more character.
// Other lines are ignored.
void apply_code_table_text(std::string_view text, CodeTable& table);

// The table that a code table file's text makes: unmapped units become "?", and
// each byte converts back to the smallest unit mapped to it (else to its own value).
std::unique_ptr<CodeTable> build_code_table(std::string_view text, int32_t id);

// The table built from the file; nothing when the file cannot be read.
std::unique_ptr<CodeTable> load_code_table_file(const std::filesystem::path& file, int32_t id);

// The loaded tables, in loading order, under one lock. A table whose file could
// not be read is not remembered: the next request reads the file again.
class CodeTableList {
public:
    explicit CodeTableList(std::filesystem::path folder) : folder_(std::move(folder)) {}
    const CodeTable* get(int32_t id);

private:
    std::filesystem::path folder_;
    std::mutex lock_;
    std::vector<std::unique_ptr<CodeTable>> tables_;
};

// The process's table list, reading from the library's own folder.
const CodeTable* get_code_table(int32_t id);

}  // namespace vl::xlat
