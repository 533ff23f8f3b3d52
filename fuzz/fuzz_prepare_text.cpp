// The whole text preparation, every stage together, with a pronunc.dic and a
// user dictionary taken from the input, for both languages and every
// use_dictionary. The English rewrite list is bounded by the pipeline itself,
// so the lists are not kept short here.
#include <cstddef>
#include <cstdint>

#include "base/utf.h"
#include "fuzz/fuzz_reader.h"
#include "store/pronunciation_file.h"
#include "store/settings_file.h"
#include "textprep/prepare_text.h"
#include "textprep/user_dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vl::fuzz::FuzzReader input(data, size);
    const auto options = input.take<uint8_t>();
    const std::string_view pronunciation = input.bytes(input.take<uint16_t>());
    const std::string_view dictionary_bytes = input.bytes(input.take<uint16_t>());
    const std::u16string text = vl::utf8_to_utf16(input.rest());

    const std::u16string_view language = options & 1 ? vl::kUkrainianLanguage : vl::kRussianLanguage;
    vl::SettingsFile file = vl::SettingsFile::parse(pronunciation, vl::SettingsLayout::group_separator);
    vl::PronunciationTables tables;
    vl::read_pronunciation_tables(file, language, tables);
    const vl::UserDictionary dictionary = vl::UserDictionary::parse(dictionary_bytes);
    const vl::PrepareContext context{language, (options >> 1) & 3, (options >> 3) & 1, tables, dictionary};
    if (!text.empty()) vl::prepare_text(text, context);
    return 0;
}
