// Speaks sentences into WAV files for the voice evaluation (bench/voice_eval.sh),
// with the recorded voice (the velnor library, its voice file named by
// VELNOR_VOICE) or with the formant synthesiser it replaced.
// Usage: bench_voice_eval_speak --voice|--formant LIST OUTDIR
// LIST holds lines "NAME<TAB>TEXT", the text in code page 1251. Writes
// OUTDIR/NAME.wav and prints the seconds of audio made and the seconds of
// processor time taken.
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "velnor/block_output.h"
#include "velnor/formant/speaker.h"
#include "velnor/include/velnor_api.h"

namespace {

int32_t VELNOR_CALL collect(void* context, const uint8_t* samples, int32_t count) {
    if (samples != nullptr) static_cast<std::vector<uint8_t>*>(context)->insert(
        static_cast<std::vector<uint8_t>*>(context)->end(), samples, samples + count);
    return 0;
}

void speak_formant(const std::string& text, std::vector<uint8_t>& audio) {
    velnor::SharedSettings shared;
    std::atomic<bool> stop{false};
    const velnor::SpeechSettings settings = shared.snapshot();
    velnor::BlockOutput out(collect, &audio, 1.0f, {&stop, &shared.stop_epoch, 0});
    velnor::formant::Speaker speaker(settings, 0x9E3779B9u, out);
    velnor::formant::read_text(text.c_str(), speaker);
    out.finish();
}

void write_wav(const std::string& path, const std::vector<uint8_t>& audio) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + static_cast<uint32_t>(audio.size()));
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(10000);
    u32(10000);
    u16(1);
    u16(8);
    out.write("data", 4);
    u32(static_cast<uint32_t>(audio.size()));
    out.write(reinterpret_cast<const char*>(audio.data()), static_cast<std::streamsize>(audio.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::string(argv[1]) != "--voice" && std::string(argv[1]) != "--formant")) {
        std::cerr << "usage: bench_voice_eval_speak --voice|--formant LIST OUTDIR\n";
        return 2;
    }
    const bool formant = std::string(argv[1]) == "--formant";
    if (!formant && !synth_ready()) return 1;
    std::ifstream list(argv[2]);
    double audio_seconds = 0, cpu_seconds = 0;
    for (std::string line; std::getline(list, line);) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        const std::string name = line.substr(0, tab), text = line.substr(tab + 1);
        std::vector<uint8_t> audio;
        const std::clock_t start = std::clock();
        if (formant) {
            speak_formant(text, audio);
        } else {
            synth_set_audio_callback(collect);
            synth_set_callback_context(&audio);
            synth_speak(text.c_str(), 0);
        }
        cpu_seconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        audio_seconds += static_cast<double>(audio.size()) / 10000.0;
        write_wav(std::string(argv[3]) + "/" + name + ".wav", audio);
    }
    std::cout << audio_seconds << " " << cpu_seconds << "\n";
    return 0;
}
