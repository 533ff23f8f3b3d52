#pragma once
// The folder of the library (or program) file that holds this code.
#include <filesystem>

namespace vl::xlat {

std::filesystem::path module_folder();

}  // namespace vl::xlat
