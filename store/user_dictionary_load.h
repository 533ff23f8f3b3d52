#pragma once
// The engine's user dictionary: read from dict.dic of the voice's language and
// published to the process's speak requests.
#include <cstdint>
#include <filesystem>
#include <optional>

#include "base/published.h"
#include "textprep/user_dictionary.h"

namespace vl {

// The dictionary in the file, or nothing when the file cannot be read or is
// too large to hold (the caller then keeps the dictionary it has).
std::optional<UserDictionary> load_user_dictionary(const std::filesystem::path& file);

// Reads the file and publishes its dictionary; when the file cannot be read the
// published dictionary stays as it was. True when a new one was published.
bool reload_user_dictionary(Published<UserDictionary>& dictionary, const std::filesystem::path& file);

// Publishes an empty dictionary.
void clear_user_dictionary(Published<UserDictionary>& dictionary);

// What follows each reload of the settings: with use_dictionary 2 or more
// (the user dictionary in use) the file is read again, otherwise the
// dictionary is cleared.
void refresh_user_dictionary(Published<UserDictionary>& dictionary, std::int32_t use_dictionary,
                             const std::filesystem::path& file);

}  // namespace vl
