#include "engine/language_state.h"

namespace vl {

std::shared_ptr<LanguageState> LanguageStates::find_or_add(std::u16string_view code) {
    std::lock_guard lock(mutex_);
    for (const auto& language : languages_) {
        if (*language->language.get() == code) return language;
    }
    auto added = std::make_shared<LanguageState>();
    added->language.publish(std::u16string(code));
    languages_.push_back(added);
    return added;
}

std::vector<std::shared_ptr<LanguageState>> LanguageStates::all() const {
    std::lock_guard lock(mutex_);
    return languages_;
}

}  // namespace vl
