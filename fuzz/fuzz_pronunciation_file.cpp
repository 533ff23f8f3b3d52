// Reads arbitrary bytes as a pronunc.dic for each language, then runs the
// stages that use the tables over the same bytes as text. Each rewrite entry may
// multiply the text, so the stages run only with short rewrite lists.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/utf.h"
#include "fuzz/fuzz_input.h"
#include "store/pronunciation_file.h"
#include "store/settings_file.h"
#include "textprep/english_pronunciation.h"
#include "textprep/letter_runs.h"
#include "textprep/prepare_text.h"
#include "textprep/single_character.h"
#include "textprep/spelling.h"
#include "textprep/symbols.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string text = vl::utf8_to_utf16(bytes);
    for (std::u16string_view language : {vl::kRussianLanguage, vl::kUkrainianLanguage, std::u16string_view(u"409")}) {
        vl::SettingsFile file = vl::SettingsFile::parse(bytes, vl::SettingsLayout::group_separator);
        vl::PronunciationTables tables;
        vl::read_pronunciation_tables(file, language, tables);
        for (const vl::Rewrite& entry : tables.english.entries()) {
            if (entry.source.empty()) __builtin_trap();
        }
        file.to_bytes();
        if (tables.english.entries().size() + tables.spelling.entries().size() > vl::fuzz::kMaxRewrites) continue;
        std::u16string result = vl::replace_symbols(text, tables);
        result = vl::apply_spelling(result, vl::kUkrainianSpelling, tables);
        result = vl::read_letter_runs(result, tables);
        vl::apply_english_pronunciation(result, tables);
        if (!text.empty()) vl::read_single_character(text.substr(0, 1), tables);
    }
    return 0;
}
