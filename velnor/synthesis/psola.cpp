#include "velnor/synthesis/psola.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "velnor/voice/mu_law.h"
#include "velnor/voice/phone_voicing.h"

namespace velnor {
namespace {

constexpr float kRate = static_cast<float>(kVoiceSampleRate);
constexpr int kMinHalf = 20, kMaxHalf = 200;  // a grain's half width in the recording, samples
constexpr int kUnmarkedHalf = 80;             // where no pitch mark lies near
constexpr float kLowestPitch = 50, kHighestPitch = 400;  // a mark spacing outside these is no glottal period
constexpr int kWindowSteps = 512;
constexpr int64_t kEdgeFade = 50;  // samples over which a phrase fades in from and out to silence

// The rising half of a Hann window, from 0 to 1.
const std::array<float, kWindowSteps + 1>& half_window() {
    static const std::array<float, kWindowSteps + 1> table = [] {
        std::array<float, kWindowSteps + 1> t{};
        for (int i = 0; i <= kWindowSteps; ++i)
            t[i] = 0.5f - 0.5f * std::cos(3.14159265f * static_cast<float>(i) / kWindowSteps);
        return t;
    }();
    return table;
}

struct Grain {
    int64_t centre;   // in the recording
    int left, right;  // half widths: the distances to the neighbouring marks
    bool marked;
};

// The pitch mark nearest to `position` of the recording, with the distances
// to its neighbours; an unmarked grain there when no mark lies near.
Grain grain_at(const VoiceData& voice, double position) {
    const auto& marks = voice.marks;
    const auto at = std::lower_bound(marks.begin(), marks.end(), static_cast<uint32_t>(std::max(position, 0.0)));
    size_t index = static_cast<size_t>(at - marks.begin());
    if (index == marks.size() || (index > 0 && position - marks[index - 1] < marks[index] - position)) --index;
    if (marks.empty() || std::fabs(marks[index] - position) > kMaxHalf)
        return {std::llround(position), kUnmarkedHalf, kUnmarkedHalf, false};
    const int left = index > 0 ? static_cast<int>(marks[index] - marks[index - 1]) : kUnmarkedHalf;
    const int right = index + 1 < marks.size() ? static_cast<int>(marks[index + 1] - marks[index]) : kUnmarkedHalf;
    return {marks[index], std::clamp(left, kMinHalf, kMaxHalf), std::clamp(right, kMinHalf, kMaxHalf), true};
}

// Adds the grain, read `scale` times as fast as recorded and multiplied by
// `gain`, centred on `at` of the output (the renderer's accumulator).
template <typename Accumulator>
void add_grain(const VoiceData& voice, const Grain& g, float scale, float gain, int64_t at, Accumulator& out) {
    const auto& code = mu_law_table();
    const auto& window = half_window();
    const int64_t samples = static_cast<int64_t>(voice.samples.size());
    const int left = std::max(static_cast<int>(static_cast<float>(g.left) / scale), 1);
    const int right = std::max(static_cast<int>(static_cast<float>(g.right) / scale), 1);
    const int64_t first = std::max<int64_t>(at - left, out.base()), last = at + right;
    if (first > last) return;
    float* sound = out.at(first, last - first + 1) - first;
    for (int64_t o = first; o <= last; ++o) {
        const int i = static_cast<int>(o - at);
        const float w = gain * (i < 0 ? window[(left + i) * kWindowSteps / left] : window[(right - i) * kWindowSteps / right]);
        // Offsets from the centre in float, the centre itself exact: a float
        // holds no sample position beyond 2^24 (28 minutes) exactly.
        const float offset = static_cast<float>(i) * scale;
        const float whole = std::floor(offset);
        const int64_t s = g.centre + static_cast<int64_t>(whole);
        if (s < 0 || s + 1 >= samples) continue;
        const float frac = offset - whole;
        sound[o] += (frac == 0.0f ? code[voice.samples[s]]
                                  : code[voice.samples[s]] * (1.0f - frac) + code[voice.samples[s + 1]] * frac) * w;
    }
}

// The phrase cut out of its recordings starts and ends wherever a grain
// happens to be: faded, it meets the silence around it without a click.
// `end` is where the phrase ends, if known yet.
float edge_fade(int64_t sample, std::optional<int64_t> end) {
    const int64_t from_edge = end ? std::min(sample, *end - 1 - sample) : sample;
    if (from_edge >= kEdgeFade) return 1.0f;
    return half_window()[static_cast<size_t>(from_edge * kWindowSteps / kEdgeFade)];
}

}  // namespace

float PitchMap::operator()(float hz) const {
    if (shift == 1.0f && swing == 1.0f) return hz;
    return std::clamp(centre_hz * shift * std::pow(hz / centre_hz, swing), 40.0f, 600.0f);
}

// The phrase's samples not yet handed over: a window that slides along the
// phrase, so that a phrase of any length needs little memory.
float* PhraseRenderer::Accumulator::at(int64_t sample, int64_t count) {
    const int64_t end = sample + count - base_;
    if (end > static_cast<int64_t>(buffer_.size())) buffer_.resize(static_cast<size_t>(end) + 4096, 0.0f);
    return buffer_.data() + (sample - base_);
}

float PhraseRenderer::Accumulator::value(int64_t sample) const {
    const int64_t i = sample - base_;
    return i < static_cast<int64_t>(buffer_.size()) ? buffer_[static_cast<size_t>(i)] : 0.0f;
}

// Forgets the samples before `sample`, which have been handed over.
void PhraseRenderer::Accumulator::drop_before(int64_t sample) {
    const int64_t count = std::min<int64_t>(sample - base_, static_cast<int64_t>(buffer_.size()));
    if (count < 8192) return;
    buffer_.erase(buffer_.begin(), buffer_.begin() + count);
    base_ += count;
}

// Hands over the finished samples before `limit`, with the words that start among them.
bool PhraseRenderer::emit_until(int64_t limit, bool last) {
    limit = std::min(limit, total_);
    const std::optional<int64_t> end = last ? std::optional(total_) : std::nullopt;
    size_t next_word = 0;
    while (emitted_ < limit) {
        while (next_word < words_.size() && words_[next_word].sample <= emitted_)
            if (!out_.report_word(words_[next_word++].text_offset)) return false;
        const int64_t until = next_word < words_.size() ? std::min<int64_t>(limit, words_[next_word].sample) : limit;
        for (; emitted_ < until; ++emitted_)
            if (!out_.put(sound_.value(emitted_) * edge_fade(emitted_, end))) return false;
    }
    words_.erase(words_.begin(), words_.begin() + static_cast<long>(next_word));
    sound_.drop_before(emitted_);
    return true;
}

bool PhraseRenderer::add(std::span<const Segment> segments, std::span<const WordStart> words, bool last) {
    for (const WordStart& w : words) words_.push_back({static_cast<uint32_t>(w.sample + total_), w.text_offset});
    segments_.insert(segments_.end(), segments.begin(), segments.end());
    for (const Segment& s : segments) total_ += s.length;
    if (segments_.empty()) return !out_.stopped();
    auto source_of = [&](const Segment& s, double t) {
        const Unit& u = voice_.units[s.unit];
        return u.start + (t - segment_start_) * (u.end - u.start) / std::max<double>(s.length, 1);
    };
    if (!started_) {
        started_ = true;
        const Unit& u = voice_.units[segments_[0].unit];
        next_grain_ = (grain_at(voice_, u.start).centre - static_cast<double>(u.start)) * segments_[0].length / (u.end - u.start);
    }

    // Output time t maps into each segment's unit linearly; the grain there
    // is the recording's mark nearest to the mapped place, and the next grain
    // follows after that mark's period, moved to the pitch asked for.
    const int reach = static_cast<int>(kMaxHalf / std::min(formant_scale_, 1.0f)) + 1;
    double& t = next_grain_;
    size_t index = 0;
    while (t < static_cast<double>(total_)) {
        while (index + 1 < segments_.size() && t >= segment_start_ + segments_[index].length)
            segment_start_ += segments_[index++].length;
        const Segment& s = segments_[index];
        const double r = std::clamp((t - segment_start_) / std::max<double>(s.length, 1), 0.0, 1.0);
        const Grain g = grain_at(voice_, source_of(s, t));
        const float gain = s.gain_start + static_cast<float>(r) * (s.gain_end - s.gain_start);
        add_grain(voice_, g, formant_scale_, gain, std::llround(t), sound_);
        const float own = kRate / static_cast<float>(g.right);
        const bool voiced = g.marked && is_voiced(voice_.units[s.unit].phone) && own >= kLowestPitch && own <= kHighestPitch;
        const float factor = s.pitch_start + static_cast<float>(r) * (s.pitch_end - s.pitch_start);
        const float raise = voiced ? pitch_(own) * factor / own : 1.0f;
        t += raise == 1.0f ? g.right : g.right / raise;
        if (t > reach && !emit_until(static_cast<int64_t>(t) - reach, last)) return false;
    }
    segments_.erase(segments_.begin(), segments_.begin() + static_cast<long>(index));
    return last ? emit_until(total_, true) : true;
}

}  // namespace velnor
