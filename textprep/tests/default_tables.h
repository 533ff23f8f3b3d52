#pragma once
// The tables a freshly created pronunc.dic yields, for stage tests.
#include <string_view>

#include "base/settings_file.h"
#include "textprep/prepare_text.h"
#include "textprep/pronunciation_file.h"

namespace vl::test {

inline PronunciationTables default_tables(std::u16string_view language) {
    SettingsFile empty;
    PronunciationTables tables;
    read_pronunciation_tables(empty, language, tables);
    return tables;
}

}  // namespace vl::test
