#include "store/user_dictionary_load.h"

#include <new>
#include <string>

#include "store/file_io.h"

namespace vl {

std::optional<UserDictionary> load_user_dictionary(const std::filesystem::path& file) {
    // A file too large to hold in memory counts as unreadable: the reload runs
    // on the watcher thread, where an escaping exception would end the host.
    try {
        const std::optional<std::string> bytes = read_file(file);
        if (!bytes) return std::nullopt;
        return UserDictionary::parse(*bytes);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool reload_user_dictionary(Published<UserDictionary>& dictionary, const std::filesystem::path& file) {
    std::optional<UserDictionary> loaded = load_user_dictionary(file);
    if (!loaded) return false;
    dictionary.publish(std::move(*loaded));
    return true;
}

void clear_user_dictionary(Published<UserDictionary>& dictionary) { dictionary.publish(UserDictionary()); }

void refresh_user_dictionary(Published<UserDictionary>& dictionary, std::int32_t use_dictionary,
                             const std::filesystem::path& file) {
    if (use_dictionary >= 2) {
        reload_user_dictionary(dictionary, file);
    } else {
        clear_user_dictionary(dictionary);
    }
}

}  // namespace vl
