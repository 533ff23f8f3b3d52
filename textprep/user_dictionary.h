#pragma once
// The user's own word pronunciations (to come).
namespace vl {

struct UserDictionary {};

}  // namespace vl
