#pragma once
// Loading a library at run time, as a program outside this project does.

namespace vl::dict::test {

// Loads the library file (once) and looks the function up by name; null when
// either fails.
void* library_function(const char* library, const char* name);

}  // namespace vl::dict::test
