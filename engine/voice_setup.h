#pragma once
// Voice set-up: a voice token tells the engine which voice and language to
// speak; set-up finds or creates the data folders, loads the settings, tables
// and user dictionary, prepares the synthesis engine and opens the log.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vl {

class SynthEngine;
struct EngineState;
struct VoiceChoice;

// Status codes shared with the speech runtime: 0 is success, negative a failure.
inline constexpr int32_t kStatusOk = 0;
inline constexpr int32_t kStatusFail = static_cast<int32_t>(0x80004005);

// What set-up reads from a voice token.
class VoiceToken {
public:
    virtual ~VoiceToken() = default;
    // The token's default value, the voice name; returns a status.
    virtual int32_t voice_name(std::u16string& name) = 0;
    // Opens the subkey "Attributes" and reads its value "Language"; returns the
    // failure status of either step. Success without a key leaves language empty.
    virtual int32_t language(std::optional<std::u16string>& language) = 0;
};

struct DataFolders {
    std::filesystem::path data;          // data_folder(application data)
    std::filesystem::path dictionaries;  // dictionaries_folder(data)
    std::filesystem::path language;      // dictionaries + the language's English name
};

// The language code read as a hexadecimal language identifier ("419" is 0x419).
uint32_t language_id(std::u16string_view language_code);
// Every folder is empty when application_data is empty.
DataFolders data_folders(const std::filesystem::path& application_data, std::u16string_view language_code);

// Sets voice up for the token: its library voice, and its language's folders,
// tables and user dictionary; loads the process's settings and opens its log.
// Returns a status.
// With an empty application_data the voice works on the defaults and no file
// is read or written.
int32_t set_up_voice(VoiceToken& token, const std::filesystem::path& application_data, EngineState& state,
                     SynthEngine& engine, VoiceChoice& voice);

}  // namespace vl
