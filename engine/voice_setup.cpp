#include "engine/voice_setup.h"

#include <system_error>

#include "base/char_class.h"
#include "contract/data_layout.h"
#include "engine/engine_state.h"
#include "engine/load_settings.h"
#include "engine/speak_driver.h"
#include "engine/synth_engine.h"
#include "engine/synthesis_turn.h"
#include "engine/voice_choice.h"
#include "engine/voices.h"
#include "platform/language_name.h"
#include "platform/shared_files_lock.h"
#include "store/pronunciation_migration.h"
#include "store/pronunciation_setup.h"
#include "store/user_dictionary_load.h"
#include "textprep/prepare_text.h"
#include "textprep/user_dictionary.h"

namespace vl {
namespace {

void create_folder(const std::filesystem::path& folder) {
    std::error_code ignored;
    if (!std::filesystem::is_directory(folder, ignored)) std::filesystem::create_directory(folder, ignored);
}

}  // namespace

uint32_t language_id(std::u16string_view language_code) {
    uint32_t id = 0;
    for (char16_t c : language_code) {
        const int digit = hex_digit_value(c);
        if (digit < 0) break;
        id = id * 16 + static_cast<uint32_t>(digit);
    }
    return id;
}

DataFolders data_folders(const std::filesystem::path& application_data, std::u16string_view language_code) {
    DataFolders folders;
    if (application_data.empty()) return folders;
    folders.data = data_folder(application_data);
    folders.dictionaries = dictionaries_folder(folders.data);
    folders.language = folders.dictionaries / language_english_name(language_id(language_code));
    return folders;
}

int32_t set_up_voice(VoiceToken& token, const std::filesystem::path& application_data, EngineState& state,
                     SynthEngine& engine, VoiceChoice& voice) {
    if (engine.ready() == 0) return kStatusFail;
    std::u16string name;
    if (const int32_t status = token.voice_name(name); status < 0) return status;
    std::optional<std::u16string> language;
    if (const int32_t status = token.language(language); status < 0) return status;

    {
        const std::lock_guard lifetime(state.voices_mutex);
        // Without a language in the token the voice keeps the one it had.
        const std::u16string code = language ? std::move(*language) : *voice_language(state, voice).language.get();
        const std::shared_ptr<LanguageState> own = state.languages.find_or_add(code);
        const DataFolders folders = data_folders(application_data, code);
        own->folders.publish(folders);
        if (folders.data.empty()) {
            // No application-data folder: the defaults, and no file anywhere.
            use_default_settings(state.settings);
            set_up_pronunciation_tables({}, code, own->tables, false);
            state.log.close();
        } else {
            create_folder(folders.data);
            create_folder(folders.dictionaries);
            create_folder(folders.language);
            // Shared files are rewritten only under the configurer's mutex; without
            // it they are only read.
            const SharedFilesLock files(state.shared_files_mutex);
            if (files.owned()) {
                migrate_pronunciation_from_settings(folders.data / kSettingsFileName,
                                                    data_folders(application_data, kRussianLanguage).language);
            }
            load_settings(folders.data, state.settings, files.owned());
            set_up_pronunciation_tables(folders.language, code, own->tables, files.owned());
        }
        if (state.settings.use_dictionary >= 2 && !folders.language.empty()) {
            reload_user_dictionary(own->dictionary, folders.language / kUserDictionaryFileName);
        }
        if (!folders.data.empty()) state.log.open(folders.data / kLogFileName);
        voice.language = own;
    }

    // The library's turn is taken without the voices' lock: a release never
    // waits behind a set-up that waits for a turn.
    const int32_t index = voice_index(name);
    const SynthesisTurn turn(state.synthesis);
    engine.set_audio_callback(audio_chunk_callback);
    engine.set_volume(100);
    engine.select_voice(index);
    voice.voice = index;
    return kStatusOk;
}

}  // namespace vl
