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
    // Between whole lags: the vertex of the parabola through the peak and its neighbours.
    const double before = correlation[lag - 1], peak = correlation[lag], after = lag < max_lag ? correlation[lag + 1] : peak;
    const double curve = before - 2 * peak + after;
    const double shift = curve < 0 ? 0.5 * (before - after) / curve : 0.0;
    return 10000.0 / (lag + std::clamp(shift, -0.5, 0.5));
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

TEST_F(VelnorApi, RateShortensSpeechByTheTablesFactor) {
    const double normal = static_cast<double>(speak(kSentence).samples.size());
    synth_set_speed_step(3);  // 3/7 of the length at tempo 90
    EXPECT_NEAR(static_cast<double>(speak(kSentence).samples.size()) / normal, 3.0 / 7.0, 0.1 * 3.0 / 7.0);
    synth_set_speed_step(0);  // 8/7, and tempo 50 half as long again
    synth_set_tempo(50);
    EXPECT_NEAR(static_cast<double>(speak(kSentence).samples.size()) / normal, 8.0 / 7.0 * 1.5, 0.1 * 8.0 / 7.0 * 1.5);
}

struct Reports {
    std::vector<int32_t> events;  // a word's offset, or -1 for a block of audio
};

int32_t VELNOR_CALL note_reports(void* context, const uint8_t* samples, int32_t count) {
    static_cast<Reports*>(context)->events.push_back(samples == nullptr ? count : -1);
    return 0;
}

TEST_F(VelnorApi, WordsAreReportedBeforeTheirAudioWhenAsked) {
    const std::string text = vl::to_cp1251(vl::utf8_to_utf16("Мама мыла раму, а папа читал."), '?');
    Reports reports;
    synth_set_audio_callback(note_reports);
    synth_set_callback_context(&reports);
    synth_speak(text.c_str(), 0);
    EXPECT_EQ(std::count_if(reports.events.begin(), reports.events.end(), [](int32_t e) { return e >= 0; }), 0);

    EXPECT_EQ(synth_report_words(1), 1);
    reports.events.clear();
    synth_speak(text.c_str(), 0);
    synth_report_words(0);
    std::vector<int32_t> words;
    for (size_t i = 0; i < reports.events.size(); ++i) {
        if (reports.events[i] < 0) continue;
        words.push_back(reports.events[i]);
        ASSERT_TRUE(i + 1 < reports.events.size() && reports.events[i + 1] == -1) << "audio follows each report";
    }
    // Мама, мыла, раму, а, папа, читал: by their byte offsets.
    EXPECT_EQ(words, (std::vector<int32_t>{0, 5, 10, 16, 18, 23}));
    EXPECT_EQ(reports.events.front(), 0) << "the first word is reported before any audio";
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

// 90..130 is the speaker's own range; a range twice as high moves his pitch
// by 2^0.8, and a range without width holds it level.
TEST_F(VelnorApi, PitchFollowsTheRange) {
    synth_set_pitch_low(100);
    synth_set_pitch_high(100);
    const double low = pitch_of(speak("а+").samples);
    synth_set_pitch_low(200);
    synth_set_pitch_high(200);
    const double high = pitch_of(speak("а+").samples);
    EXPECT_NEAR(high / low, std::pow(2.0, 0.8), 0.15);
}

// Pitch of every 20 ms of voiced sound, by autocorrelation; their median.
double median_pitch(const std::vector<uint8_t>& samples) {
    std::vector<double> pitches;
    for (size_t start = 0; start + 650 < samples.size(); start += 200) {
        const std::vector<uint8_t> frame(samples.begin() + static_cast<long>(start), samples.begin() + static_cast<long>(start + 650));
        if (rms(frame) < 8.0) continue;
        pitches.push_back(pitch_of(frame));
    }
    if (pitches.empty()) return 0;
    std::nth_element(pitches.begin(), pitches.begin() + static_cast<long>(pitches.size() / 2), pitches.end());
    return pitches[pitches.size() / 2];
}

TEST_F(VelnorApi, FourVoicesSpeakInDistinctPitchRanges) {
    // Male2, Male1, Female1, Female2: each higher than the one before.
    double previous = 0;
    for (const int32_t voice : {2, 0, 1, 3}) {
        synth_select_voice(voice);
        const double pitch = median_pitch(speak(kSentence).samples);
        EXPECT_GT(pitch, previous * 1.04) << "voice " << voice;
        previous = pitch;
    }
    synth_select_voice(0);
    const double male = median_pitch(speak(kSentence).samples);
    EXPECT_GT(male, 80);
    EXPECT_LT(male, 170);
    EXPECT_GT(previous, 200);
}

// The recordings' stressed vowels are longer than their reduced ones.
TEST_F(VelnorApi, StressedVowelsAreLongerAndHigher) {
    const Capture stressed = speak("па+па+па+па+");
    const Capture plain = speak("папапапа");
    EXPECT_GT(stressed.samples.size(), plain.samples.size() * 23 / 20);
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
    const Capture a = speak("а+");
    const Capture m = speak("м");
    EXPECT_GT(zero_crossing_rate(s.samples), zero_crossing_rate(sh.samples));
    EXPECT_GT(zero_crossing_rate(sh.samples), zero_crossing_rate(a.samples));
    EXPECT_LT(rms(m.samples), rms(a.samples));
    // A front vowel's high second formant against a back vowel's low one.
    EXPECT_GT(brightness(speak("и+").samples), brightness(speak("у+").samples) * 1.1);
    EXPECT_NE(speak("па").samples, speak("ба").samples);
    EXPECT_NE(speak("са").samples, speak("за").samples);
}

// The longest stretch of exact silence: a pause (speech is never that still for long).
size_t longest_silence(const std::vector<uint8_t>& samples) {
    size_t longest = 0, run = 0;
    for (const uint8_t s : samples) {
        run = s == 128 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST_F(VelnorApi, PunctuationPauses) {
    EXPECT_LT(longest_silence(speak("да+ да+").samples), 1000u);
    synth_set_pause(100);
    EXPECT_NEAR(static_cast<double>(longest_silence(speak("да+, да+").samples)), 6200, 300);
    EXPECT_NEAR(static_cast<double>(longest_silence(speak("да+. да+").samples)), 10200, 300);
    // A text spoken sentence by sentence keeps the pause between them.
    const std::vector<uint8_t> ended = speak("да+ да+.").samples;
    EXPECT_GE(std::find_if(ended.rbegin(), ended.rend(), [](uint8_t s) { return s != 128; }) - ended.rbegin(), 10000);
    synth_set_pause(0);
    EXPECT_LT(longest_silence(speak("да+. да+").samples), 1000u);
    // Without a set pause it follows the rate.
    synth_set_pause(-1);
    const size_t normal = longest_silence(speak("да+. да+").samples);
    synth_set_speed_step(2);
    const size_t fast = longest_silence(speak("да+. да+").samples);
    EXPECT_GT(normal, 2000u);
    EXPECT_LT(fast, normal / 2);
}

TEST_F(VelnorApi, DigitsAreReadAsNumbers) {
    const size_t letter = speak("а+").samples.size();
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
