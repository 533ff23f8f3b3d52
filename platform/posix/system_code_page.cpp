#include "platform/system_code_page.h"

#include "platform/posix/single_byte_tables.h"

namespace vl {

std::optional<std::u16string> system_to_wide(std::string_view text, int32_t code_page) {
    return table_to_wide(text, code_page);
}

std::optional<std::string> system_from_wide(std::u16string_view text, int32_t code_page) {
    return table_from_wide(text, code_page);
}

}  // namespace vl
