#include "platform/system_code_page.h"

#include <windows.h>

#include <climits>

namespace vl {

std::optional<std::u16string> system_to_wide(std::string_view text, int32_t code_page) {
    if (text.empty() || text.size() > INT_MAX) return std::nullopt;
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(static_cast<UINT>(code_page), 0, text.data(), length, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::u16string result(size, u'\0');
    if (MultiByteToWideChar(static_cast<UINT>(code_page), 0, text.data(), length,
                            reinterpret_cast<wchar_t*>(result.data()), size) != size)
        return std::nullopt;
    return result;
}

std::optional<std::string> system_from_wide(std::u16string_view text, int32_t code_page) {
    if (text.empty() || text.size() > INT_MAX) return std::nullopt;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(static_cast<UINT>(code_page), 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::nullopt;
    std::string result(size, '\0');
    if (WideCharToMultiByte(static_cast<UINT>(code_page), 0, wide, length, result.data(), size, nullptr,
                            nullptr) != size)
        return std::nullopt;
    return result;
}

}  // namespace vl
