#include "velnor/voice/loaded_voice.h"

#include <variant>

namespace velnor {
namespace {

std::unique_ptr<LoadedVoice> load(std::string& error) {
    std::filesystem::path path = environment_path("VELNOR_VOICE");
    if (path.empty()) path = module_folder() / "velnor.voice";
    std::unique_ptr<MappedFile> file = map_file(path, error);
    if (!file) return nullptr;
    auto data = read_voice(file->bytes());
    if (auto* fault = std::get_if<std::string>(&data)) {
        error = path.string() + ": " + *fault;
        return nullptr;
    }
    const VoiceData& voice = std::get<VoiceData>(data);
    return std::unique_ptr<LoadedVoice>(new LoadedVoice{std::move(file), voice, Lexicon(voice.lexicon)});
}

}  // namespace

const LoadedVoice* loaded_voice() {
    static const std::unique_ptr<LoadedVoice> voice = [] {
        std::string error;
        std::unique_ptr<LoadedVoice> loaded;
        try {
            loaded = load(error);
        } catch (const std::exception& e) {
            error = e.what();
        }
        if (!loaded) log_line("velnor: no voice to speak with: " + error);
        return loaded;
    }();
    return voice.get();
}

}  // namespace velnor
