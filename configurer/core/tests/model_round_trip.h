#pragma once
// The round trip of the configurer's model: entries taken from arbitrary bytes
// go through the dialogs' checks (added, edited, deleted, lists emptied); the
// model is applied, the engine's voice set-up moves the groups, and the
// configurer starts again. Whatever the checks let in must come back exactly.
// Shared by a unit test and a fuzz target.
#include <filesystem>
#include <string>
#include <string_view>

namespace vl::test {

// Runs the round trip in application_data (its VelnorSAPI folder is made
// afresh). Returns a description of the first list that came back different,
// or an empty text when every list came back as it was.
std::string model_round_trip(std::string_view input, const std::filesystem::path& application_data);

}  // namespace vl::test
