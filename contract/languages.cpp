#include "contract/languages.h"

namespace vl {

const Language* find_language(std::u16string_view code) {
    for (const Language& language : kLanguages) {
        if (language.code == code) return &language;
    }
    return nullptr;
}

const Language* language_of_voice(std::u16string_view voice_name) {
    for (const Language& language : kLanguages) {
        if (voice_name.ends_with(language.folder) &&
            voice_name.substr(0, voice_name.size() - language.folder.size()).ends_with(u'_')) {
            return &language;
        }
    }
    return nullptr;
}

}  // namespace vl
