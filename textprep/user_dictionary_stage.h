#pragma once
// Words found in the user dictionary are replaced; every word leaves in lower case.
#include <string>
#include <string_view>
#include "textprep/user_dictionary.h"
namespace vl {

std::u16string apply_user_dictionary(std::u16string_view text, const UserDictionary& dictionary);

}  // namespace vl
