#pragma once
// Where the dictionary database is found when the caller names no file, and how
// a path the caller gives in the system's ANSI code page becomes UTF-8. Paths are
// read from the system wide, so no character is lost to the code page. One
// implementation per platform.
#include <string>
#include <string_view>

namespace vl {

// The package's key under HKEY_LOCAL_MACHINE whose value "db" names the database.
constexpr const char* kDatabaseRegistryKey = "SOFTWARE\\Velnor SAPI\\vldict";

// The registry value "db" (REG_SZ only) of kDatabaseRegistryKey, in UTF-8; empty
// when missing, of another type, or off Windows.
std::string registry_database_path();

// The user's own file: the application-data folder followed by the dictionary
// file's place in it, in UTF-8.
std::string default_database_path();

std::string ansi_path_to_utf8(std::string_view path);

}  // namespace vl
