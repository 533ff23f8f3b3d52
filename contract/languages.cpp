#include "contract/languages.h"

namespace vl {

const Language* find_language(std::u16string_view code) {
    for (const Language& language : kLanguages) {
        if (language.code == code) return &language;
    }
    return nullptr;
}

std::u16string voice_name(const Language& language, const VoiceKind& kind) {
    return std::u16string(u"Velnor_") + std::u16string(kind.name) + u"_" + std::u16string(language.folder);
}

std::optional<std::size_t> voice_kind_index(std::u16string_view name) {
    for (const Language& language : kLanguages) {
        for (std::size_t index = 0; index < kVoiceKinds.size(); ++index)
            if (voice_name(language, kVoiceKinds[index]) == name) return index;
    }
    return std::nullopt;
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
