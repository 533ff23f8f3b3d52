#pragma once
// The folder of the library (or program) file that holds this code.
#include <filesystem>

namespace vl {

std::filesystem::path module_folder();

}  // namespace vl
