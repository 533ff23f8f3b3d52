#include "configurer/core/tests/model_round_trip.h"

#include <cstdint>
#include <system_error>

#include "base/utf.h"
#include "configurer/core/configuration_files.h"
#include "configurer/core/list_operations.h"
#include "store/pronunciation_migration.h"

namespace vl::test {
namespace {

namespace fs = std::filesystem;

// Answers every question with Yes.
class YesUi : public UserInterface {
public:
    Answer message_box(const Message& message) override {
        return message.kind == MessageKind::question_yes_no || message.kind == MessageKind::question_yes_no_cancel
                   ? Answer::yes
                   : Answer::ok;
    }
};

// Characters that the files' syntax gives a meaning, letters of both scripts and cases, and odd code units.
constexpr char16_t kAlphabet[] = {u'a',    u'J',    u'ж',    u'Ж',    u'ё',    u'є',  u'1',  u'+',  u'-',
                                  u'=',    u':',    u';',    u'[',    u']',    u' ',  u'\t', u'\r', u'\n',
                                  u'%',    u'€',    u'₽',    0xD83D,  0xDE00,  0xFFFD, 0xFEFF, u'\0', u'"',
                                  u'\\',   u'.',    u'\u200E', u'İ',  u'ґ'};

class Bytes {
public:
    explicit Bytes(std::string_view input) : input_(input) {}
    bool empty() const { return input_.empty(); }
    unsigned next() {
        if (input_.empty()) return 0;
        const auto byte = static_cast<unsigned char>(input_.front());
        input_.remove_prefix(1);
        return byte;
    }
    std::u16string text() {
        std::u16string text(next() % 6, u'\0');
        for (char16_t& c : text) c = kAlphabet[next() % std::size(kAlphabet)];
        return text;
    }

private:
    std::string_view input_;
};

void operate(ConfigurerState& state, Bytes& bytes, UserInterface& ui) {
    state.language = bytes.next() % kLanguageCount;
    const auto kind = static_cast<ListKind>(bytes.next() % kListCount);
    const unsigned operation = bytes.next() % 4;
    if (operation == 3) {  // empty the list, one delete at a time
        while (list_size(state, kind) > 0) {
            select_entry(state, kind, list_size(state, kind) - 1);
            delete_entry(state, kind, ui);
        }
        return;
    }
    if (list_size(state, kind) > 0) select_entry(state, kind, bytes.next() % list_size(state, kind));
    if (operation == 2) {
        delete_entry(state, kind, ui);
        return;
    }
    const DialogVariant variant = operation == 0 ? DialogVariant::add : DialogVariant::edit;
    const std::u16string source = bytes.text();
    const std::u16string replacement = bytes.text();
    if (kind == ListKind::Symbols) {
        confirm_symbol_dialog(state, variant, source, replacement, static_cast<uint8_t>(bytes.next() % 2), ui);
    } else {
        confirm_entry_dialog(state, kind, variant, source, replacement, ui);
    }
}

template <typename Entry>
std::string compare(const char* name, const EntryList<Entry>& built, const EntryList<Entry>& read) {
    if (built.entries == read.entries) return {};
    return std::string(name) + ": " + std::to_string(built.entries.size()) + " entries built, " +
           std::to_string(read.entries.size()) + " read back";
}

}  // namespace

std::string model_round_trip(std::string_view input, const fs::path& application_data) {
    const fs::path data = application_data / "VelnorSAPI";
    std::error_code ignored;
    fs::remove_all(data, ignored);
    fs::create_directories(data);

    YesUi ui;
    ConfigurerState state;
    load_configuration(state, application_data, ui);
    Bytes bytes(input);
    while (!bytes.empty()) operate(state, bytes, ui);

    apply_configuration(state, application_data, /*silent=*/true, ui,
                        {u"VelnorSAPI_" + utf8_to_utf16(application_data.filename().string())});
    migrate_pronunciation_from_settings(data / "prefs.ini", data / "dicts" / "Russian");
    ConfigurerState read;
    load_configuration(read, application_data, ui);
    std::string difference;
    for (std::size_t index = 0; index < kLanguageCount && difference.empty(); ++index) {
        const LanguageLists& built = state.languages[index];
        const LanguageLists& back = read.languages[index];
        difference = compare("latin letters", built.latin_letters, back.latin_letters);
        if (difference.empty()) difference = compare("cyrillic letters", built.cyrillic_letters, back.cyrillic_letters);
        if (difference.empty())
            difference = compare("latin combinations", built.latin_combinations, back.latin_combinations);
        if (difference.empty()) difference = compare("symbols", built.symbols, back.symbols);
        if (difference.empty()) difference = compare("user dictionary", built.user_dictionary, back.user_dictionary);
        if (!difference.empty()) difference = std::string(kLanguages[index].configurer_dictionary) + " " + difference;
    }
    return difference;
}

}  // namespace vl::test
