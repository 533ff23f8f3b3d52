#pragma once
// What the voices of one language share: the language code, its data folders,
// pronunciation tables and user dictionary. Each voice speaks with its own
// language's, whatever other voices the process holds.
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "base/published.h"
#include "engine/voice_setup.h"
#include "textprep/pronunciation_tables.h"
#include "textprep/user_dictionary.h"

namespace vl {

struct LanguageState {
    Published<std::u16string> language;  // the voice token's language code, such as "419"
    Published<DataFolders> folders;
    Published<PronunciationTables> tables;
    Published<UserDictionary> dictionary;
};

// The languages the process's voices were set up for, one record each.
class LanguageStates {
public:
    // The record of the language code, made on first use.
    std::shared_ptr<LanguageState> find_or_add(std::u16string_view code);
    std::vector<std::shared_ptr<LanguageState>> all() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<LanguageState>> languages_;
};

}  // namespace vl
