#include "store/pronunciation_setup.h"

#include "store/pronunciation_file.h"

namespace vl {
namespace {

PronunciationTables symbols_only(const PronunciationTables& tables) {
    PronunciationTables kept;
    kept.symbols = tables.symbols;
    return kept;
}

}  // namespace

bool set_up_pronunciation_tables(const std::filesystem::path& language_folder, std::u16string_view language,
                                 Published<PronunciationTables>& tables, bool may_write) {
    PronunciationTables loaded = symbols_only(*tables.get());
    if (!load_pronunciation_tables(language_folder, language, loaded, may_write)) return false;
    tables.publish(std::move(loaded));
    return true;
}

void release_pronunciation_tables(Published<PronunciationTables>& tables) {
    tables.publish(symbols_only(*tables.get()));
}

}  // namespace vl
