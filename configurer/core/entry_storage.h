#pragma once
// What the configurer's files can hold of an entry, by the files' own rules:
// the settings-file key lines of the pronunciation groups and the lines of the
// user dictionary file. The writers skip what fails it and the editing dialogs
// refuse it, so that nothing is stored that would not read back as it was.
#include <cstddef>
#include <string_view>

#include "configurer/core/configurer_state.h"
#include "configurer/core/field_check.h"

namespace vl {

// The 1-based position of the first character of the field that its file
// cannot hold back exactly, 0 when it holds all of them (an empty text yields 0).
std::size_t unstorable_position(ListKind kind, Field field, std::u16string_view text);

}  // namespace vl
