// The engine's contract, through its exported functions only (on Windows
// through velnor.dll, imported by ordinal).
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "velnor/include/velnor_api.h"
#include "base/cp1251.h"
#include "base/utf.h"

namespace {

struct Capture {
    std::vector<uint8_t> samples;
    std::vector<int32_t> blocks;
    size_t stop_after_blocks = 0;  // 0: never stop
};

int32_t VELNOR_CALL collect(void* context, const uint8_t* samples, int32_t count) {
    auto* capture = static_cast<Capture*>(context);
    capture->blocks.push_back(count);
    capture->samples.insert(capture->samples.end(), samples, samples + count);
    if (capture->blocks.size() == capture->stop_after_blocks) {
        synth_stop();
        return 1;
    }
    return 0;
}

Capture speak(std::string_view utf8, size_t stop_after_blocks = 0, int32_t* result = nullptr) {
    Capture capture;
    capture.stop_after_blocks = stop_after_blocks;
    synth_set_callback_context(&capture);
    const std::string text = vl::to_cp1251(vl::utf8_to_utf16(utf8), '?');
    const int32_t r = synth_speak(text.c_str(), 0);
    if (result) *result = r;
    return capture;
}

double rms(const std::vector<uint8_t>& samples) {
    double sum = 0;
    for (const uint8_t s : samples) sum += (s - 128.0) * (s - 128.0);
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

double zero_crossing_rate(const std::vector<uint8_t>& samples) {
    int crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i) crossings += (samples[i - 1] >= 128) != (samples[i] >= 128);
    return static_cast<double>(crossings) / static_cast<double>(samples.size());
}

// Share of high frequencies: loudness of the slope against loudness of the wave.
double brightness(const std::vector<uint8_t>& samples) {
    double slope = 0, level = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        slope += (samples[i] - samples[i - 1]) * (samples[i] - samples[i - 1]);
        level += (samples[i] - 128.0) * (samples[i] - 128.0);
    }
    return std::sqrt(slope / level);
}

// Pitch in Hz of the middle of the sound, by autocorrelation (40..500 Hz).
double pitch_of(const std::vector<uint8_t>& samples) {
    const size_t window = 400;
    const int max_lag = 250;
    if (samples.size() < window + max_lag) return 0;
    const size_t start = (samples.size() - window - max_lag) / 2;
    std::vector<double> correlation(max_lag + 1, 0.0);
    double best = 0;
    for (int lag = 20; lag <= max_lag; ++lag) {
        for (size_t i = start; i < start + window; ++i)
            correlation[lag] += (samples[i] - 128.0) * (samples[i + lag] - 128.0);
        best = std::max(best, correlation[lag]);
    }
    // The shortest lag that is nearly as good: multiples of the period correlate as well.
    int lag = 20;
    while (lag < max_lag && (correlation[lag] < 0.9 * best || correlation[lag] < correlation[lag + 1])) ++lag;
    return 10000.0 / lag;
}

class VelnorApi : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(synth_ready(), 0);
        synth_set_audio_callback(collect);
        synth_select_voice(0);
        synth_set_volume(100);
        synth_set_speed_step(7);
        synth_set_tempo(90);
        synth_set_pause(-1);
    }
};

const char* const kSentence = "Сего+дня хоро+шая пого+да, и мы пойдём гуля+ть в парк.";

TEST_F(VelnorApi, SettersClampTheirArguments) {
    EXPECT_EQ(synth_set_volume(150), 100);
    EXPECT_EQ(synth_set_volume(-5), 0);
    EXPECT_EQ(synth_set_tempo(5), 10);
    EXPECT_EQ(synth_set_tempo(1000), 100);
    EXPECT_EQ(synth_set_speed_step(9), 7);
    EXPECT_EQ(synth_set_speed_step(-1), 0);
    EXPECT_EQ(synth_set_pause(101), 100);
    EXPECT_EQ(synth_set_pause(-7), -1);
    EXPECT_EQ(synth_select_voice(7), 3);
    EXPECT_EQ(synth_current_voice(), 3);
    EXPECT_EQ(synth_select_voice(-2), 0);
    EXPECT_EQ(synth_current_voice(), 0);
    EXPECT_EQ(synth_select_voice(2), 2);
    EXPECT_EQ(synth_current_voice(), 2);
    EXPECT_EQ(synth_use_main_dictionary(5), 1);
    EXPECT_EQ(synth_use_main_dictionary(0), 0);
}

TEST_F(VelnorApi, DeliversSmallFirstBlocksAndNoneAbove2048) {
    std::string text;
    for (int i = 0; i < 10; ++i) text += kSentence;
    const Capture capture = speak(text);
    ASSERT_GT(capture.blocks.size(), 20u);
    EXPECT_LE(capture.blocks.front(), 256);
    for (const int32_t block : capture.blocks) {
        EXPECT_GT(block, 0);
        EXPECT_LE(block, 2048);
    }
}

TEST_F(VelnorApi, StopFromTheCallbackEndsSynthesisAtOnce) {
    int32_t result = 0;
    const Capture stopped = speak(kSentence, 2, &result);
    EXPECT_EQ(stopped.blocks.size(), 2u);
    EXPECT_EQ(result, 1);
    // The next speech is not affected.
    const Capture whole = speak(kSentence, 0, &result);
    EXPECT_EQ(result, 0);
    EXPECT_GT(whole.blocks.size(), 5u);
}

TEST_F(VelnorApi, StopOutsideSynthesisDoesNotSilenceTheNextSpeech) {
    synth_stop();
    EXPECT_GT(speak(kSentence).samples.size(), 10000u);
}

thread_local Capture t_capture;

int32_t VELNOR_CALL collect_per_thread(void*, const uint8_t* samples, int32_t count) {
    return collect(&t_capture, samples, count);
}

TEST_F(VelnorApi, ThreadsSpeakingAtOnceDoNotDisturbEachOther) {
    const std::vector<uint8_t> alone = speak(kSentence).samples;
    synth_set_audio_callback(collect_per_thread);
    const std::string text = vl::to_cp1251(vl::utf8_to_utf16(kSentence), '?');
    std::vector<uint8_t> heard[2];
    size_t stopped_blocks = 0;
    std::thread stopping([&] {
        t_capture.stop_after_blocks = 1;
        synth_speak(text.c_str(), 0);
        stopped_blocks = t_capture.blocks.size();
    });
    std::thread speaking[2];
    for (int i = 0; i < 2; ++i)
        speaking[i] = std::thread([&, i] {
            synth_speak(text.c_str(), 0);
            heard[i] = t_capture.samples;
        });
    stopping.join();
    for (std::thread& t : speaking) t.join();
    EXPECT_EQ(stopped_blocks, 1u);
    EXPECT_EQ(heard[0], alone);
    EXPECT_EQ(heard[1], alone);
}

TEST_F(VelnorApi, SameCallsGiveSameSamples) {
    const Capture first = speak(kSentence);
    const Capture second = speak(kSentence);
    EXPECT_EQ(first.samples, second.samples);
}

TEST_F(VelnorApi, SpeechShortensStrictlyAcrossTheRateTable) {
    struct Rate {
        int32_t tempo, step;
    };
    const Rate table[21] = {{10, 0}, {20, 0}, {30, 0}, {40, 0},  {50, 0},  {60, 0}, {70, 0},
                            {80, 0}, {90, 0}, {100, 0}, {90, 7}, {100, 7}, {95, 6}, {100, 6},
                            {90, 5}, {100, 5}, {90, 4}, {100, 4}, {90, 3}, {100, 3}, {90, 2}};
    size_t previous = SIZE_MAX;
    for (int row = 0; row < 21; ++row) {
        synth_set_speed_step(table[row].step);
        synth_set_tempo(table[row].tempo);
        const size_t length = speak(kSentence).samples.size();
        EXPECT_LT(length, previous) << "rate " << row - 10;
        previous = length;
    }
}

TEST_F(VelnorApi, VolumeScalesLoudness) {
    const double full = rms(speak(kSentence).samples);
    synth_set_volume(50);
    const double half = rms(speak(kSentence).samples);
    EXPECT_GT(full, 10.0);
    EXPECT_NEAR(half / full, 0.5, 0.05);
    synth_set_volume(0);
    for (const uint8_t s : speak(kSentence).samples) ASSERT_EQ(s, 128);
}

TEST_F(VelnorApi, PitchFollowsTheRange) {
    synth_set_pitch_low(100);
    synth_set_pitch_high(100);
    const double low = pitch_of(speak("а+").samples);
    synth_set_pitch_low(200);
    synth_set_pitch_high(200);
    const double high = pitch_of(speak("а+").samples);
    EXPECT_NEAR(low, 100, 8);
    EXPECT_NEAR(high, 200, 15);
}

TEST_F(VelnorApi, StressedVowelsAreLongerAndHigher) {
    synth_set_pitch_low(80);
    synth_set_pitch_high(200);
    const Capture stressed = speak("а+");
    const Capture plain = speak("а");
    EXPECT_GT(stressed.samples.size(), plain.samples.size() * 7 / 5);
    EXPECT_GT(pitch_of(stressed.samples), pitch_of(plain.samples) * 1.2);
}

TEST_F(VelnorApi, VoicesSoundDifferent) {
    std::vector<std::vector<uint8_t>> voices;
    for (int32_t voice = 0; voice < 4; ++voice) {
        synth_select_voice(voice);
        synth_set_pitch_low(150);
        synth_set_pitch_high(150);
        voices.push_back(speak("ма+ма мы+ла ра+му").samples);
    }
    for (size_t a = 0; a < 4; ++a)
        for (size_t b = a + 1; b < 4; ++b) EXPECT_NE(voices[a], voices[b]) << a << " " << b;
    // The female voices have the shorter vocal tract: more high-frequency energy.
    EXPECT_GT(zero_crossing_rate(voices[1]), zero_crossing_rate(voices[2]));
    EXPECT_GT(zero_crossing_rate(voices[3]), zero_crossing_rate(voices[0]));
}

TEST_F(VelnorApi, SoundClassesCanBeToldApart) {
    const Capture s = speak("с");
    const Capture sh = speak("ш");
    const Capture a = speak("а");
    const Capture m = speak("м");
    EXPECT_GT(zero_crossing_rate(s.samples), zero_crossing_rate(sh.samples));
    EXPECT_GT(zero_crossing_rate(sh.samples), zero_crossing_rate(a.samples));
    EXPECT_LT(rms(m.samples), rms(a.samples));
    // A front vowel's high second formant against a back vowel's low one.
    EXPECT_GT(brightness(speak("и+").samples), brightness(speak("у+").samples) * 1.25);
    EXPECT_NE(speak("па").samples, speak("ба").samples);
    EXPECT_NE(speak("са").samples, speak("за").samples);
}

TEST_F(VelnorApi, PunctuationPauses) {
    const size_t plain = speak("да+ да+").samples.size();
    synth_set_pause(100);
    EXPECT_NEAR(static_cast<double>(speak("да+, да+").samples.size() - plain), 5000, 100);
    EXPECT_NEAR(static_cast<double>(speak("да+. да+").samples.size() - plain), 10000, 100);
    // A text spoken sentence by sentence keeps the pause between them.
    EXPECT_NEAR(static_cast<double>(speak("да+ да+.").samples.size() - plain), 10000, 100);
    synth_set_pause(0);
    EXPECT_EQ(speak("да+. да+").samples.size(), plain);
    // Without a set pause it follows the rate.
    synth_set_pause(-1);
    const size_t normal = speak("да+. да+").samples.size() - plain;
    synth_set_speed_step(2);
    const size_t fast_plain = speak("да+ да+").samples.size();
    const size_t fast = speak("да+. да+").samples.size() - fast_plain;
    EXPECT_GT(normal, 2000u);
    EXPECT_LT(fast, normal / 2);
}

TEST_F(VelnorApi, DigitsAreReadAsNumbers) {
    const size_t letter = speak("а").samples.size();
    const size_t number = speak("1234567").samples.size();
    EXPECT_GT(number, letter * 15);
}

TEST_F(VelnorApi, NothingIsSpokenWithoutTextOrCallback) {
    Capture capture;
    synth_set_callback_context(&capture);
    EXPECT_EQ(synth_speak(nullptr, 0), -1);
    synth_set_audio_callback(nullptr);
    EXPECT_EQ(synth_speak("a", 0), -1);
    EXPECT_TRUE(capture.blocks.empty());
    EXPECT_TRUE(speak("").blocks.empty());
}

TEST_F(VelnorApi, AnyBytesAreSpokenSafely) {
    std::string text;
    for (int c = 1; c < 256; ++c) text += static_cast<char>(c);
    text += std::string(5000, '9') + std::string(3000, '\xE0') + "+";
    Capture capture;
    synth_set_callback_context(&capture);
    EXPECT_EQ(synth_speak(text.c_str(), 0), 0);
    EXPECT_FALSE(capture.samples.empty());
}

}  // namespace
