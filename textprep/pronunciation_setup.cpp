#include "textprep/pronunciation_setup.h"

#include "textprep/pronunciation_file.h"
#include "textprep/pronunciation_migration.h"

namespace vl {

bool set_up_pronunciation_tables(const std::filesystem::path& settings_path, const std::filesystem::path& russian_folder,
                                 const std::filesystem::path& language_folder, std::u16string_view language,
                                 Published<PronunciationTables>& tables) {
    migrate_pronunciation_from_settings(settings_path, russian_folder);
    PronunciationTables loaded = *tables.get();
    if (!load_pronunciation_tables(language_folder, language, loaded)) return false;
    tables.publish(std::move(loaded));
    return true;
}

void release_pronunciation_tables(Published<PronunciationTables>& tables) {
    PronunciationTables kept;
    kept.symbols = tables.get()->symbols;
    tables.publish(std::move(kept));
}

}  // namespace vl
