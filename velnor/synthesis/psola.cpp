#include "velnor/synthesis/psola.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "velnor/voice/mu_law.h"

namespace velnor {
namespace {

constexpr float kRate = static_cast<float>(kVoiceSampleRate);
constexpr int kMinHalf = 20, kMaxHalf = 200;  // a grain's half width in the recording, samples
constexpr int kUnmarkedHalf = 80;             // around a unit too short to hold a pitch mark
constexpr int kWindowSteps = 512;

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
    int left, right;  // half widths
};

// The pitch mark of the unit nearest to `position`, with the distances to its neighbours.
Grain grain_at(const VoiceData& voice, const Unit& u, double position) {
    if (u.mark_count == 0) return {std::llround(position), kUnmarkedHalf, kUnmarkedHalf};
    const uint32_t* first = voice.marks.data() + u.first_mark;
    const uint32_t* last = first + u.mark_count;
    const uint32_t* at = std::lower_bound(first, last, static_cast<uint32_t>(std::max(position, 0.0)));
    if (at == last || (at != first && position - at[-1] < at[0] - position)) --at;
    const size_t index = static_cast<size_t>(at - voice.marks.data());
    const int left = index > 0 ? static_cast<int>(*at - voice.marks[index - 1]) : kUnmarkedHalf;
    const int right = index + 1 < voice.marks.size() ? static_cast<int>(voice.marks[index + 1] - *at) : kUnmarkedHalf;
    return {*at, std::clamp(left, kMinHalf, kMaxHalf), std::clamp(right, kMinHalf, kMaxHalf)};
}

// The phrase's samples not yet handed over: a window that slides along the
// phrase, so that a phrase of any length needs little memory.
class Accumulator {
public:
    float* at(int64_t sample, int64_t count) {
        const int64_t end = sample + count - base_;
        if (end > static_cast<int64_t>(buffer_.size())) buffer_.resize(static_cast<size_t>(end) + 4096, 0.0f);
        return buffer_.data() + (sample - base_);
    }
    int64_t base() const { return base_; }
    float value(int64_t sample) const {
        const int64_t i = sample - base_;
        return i < static_cast<int64_t>(buffer_.size()) ? buffer_[static_cast<size_t>(i)] : 0.0f;
    }
    // Forgets the samples before `sample`, which have been handed over.
    void drop_before(int64_t sample) {
        const int64_t count = std::min<int64_t>(sample - base_, static_cast<int64_t>(buffer_.size()));
        if (count < 8192) return;
        buffer_.erase(buffer_.begin(), buffer_.begin() + count);
        base_ += count;
    }

private:
    std::vector<float> buffer_;
    int64_t base_ = 0;
};

// Adds the grain, read `scale` times as fast as recorded, centred on `at` of the output.
void add_grain(const VoiceData& voice, const Grain& g, float scale, int64_t at, int64_t total, Accumulator& out) {
    const auto& code = mu_law_table();
    const auto& window = half_window();
    const int64_t samples = static_cast<int64_t>(voice.samples.size());
    const int left = static_cast<int>(static_cast<float>(g.left) / scale);
    const int right = static_cast<int>(static_cast<float>(g.right) / scale);
    const int64_t first = std::max<int64_t>(at - left, out.base()), last = std::min<int64_t>(at + right, total - 1);
    if (first > last) return;
    float* sound = out.at(first, last - first + 1) - first;
    for (int64_t o = first; o <= last; ++o) {
        const int i = static_cast<int>(o - at);
        const float w = i < 0 ? window[(left + i) * kWindowSteps / left] : window[(right - i) * kWindowSteps / std::max(right, 1)];
        const float source = static_cast<float>(g.centre) + static_cast<float>(i) * scale;
        const int64_t s = static_cast<int64_t>(std::floor(source));
        if (s < 0 || s + 1 >= samples) continue;
        const float frac = source - static_cast<float>(s);
        sound[o] += (code[voice.samples[s]] * (1.0f - frac) + code[voice.samples[s + 1]] * frac) * w;
    }
}

}  // namespace

bool render_phrase(const VoiceData& voice, std::span<const Segment> segments, float formant_scale,
                   std::span<const WordStart> words, BlockOutput& out) {
    int64_t total = 0;
    for (const Segment& s : segments) total += s.length;
    if (total == 0) return !out.stopped();
    Accumulator sound;
    int64_t emitted = 0;
    size_t next_word = 0;
    // Hands over the finished samples before `limit`, with the words that start among them.
    auto emit_until = [&](int64_t limit) {
        limit = std::min(limit, total);
        while (emitted < limit) {
            while (next_word < words.size() && words[next_word].sample <= emitted)
                if (!out.report_word(words[next_word++].text_offset)) return false;
            const int64_t end = next_word < words.size() ? std::min<int64_t>(limit, words[next_word].sample) : limit;
            for (; emitted < end; ++emitted)
                if (!out.put(sound.value(emitted))) return false;
        }
        sound.drop_before(emitted);
        return true;
    };

    const int reach = static_cast<int>(kMaxHalf / std::min(formant_scale, 1.0f)) + 1;
    size_t index = 0;
    double segment_start = 0;
    for (double t = 0; t < static_cast<double>(total);) {
        while (index + 1 < segments.size() && t >= segment_start + segments[index].length)
            segment_start += segments[index++].length;
        const Segment& s = segments[index];
        const Unit& u = voice.units[s.unit];
        const double r = std::clamp((t - segment_start) / std::max<double>(s.length, 1), 0.0, 1.0);
        const Grain g = grain_at(voice, u, u.start + r * (u.end - u.start));
        add_grain(voice, g, formant_scale, std::llround(t), total, sound);
        const float f0 = s.f0_start + static_cast<float>(r) * (s.f0_end - s.f0_start);
        t += f0 > 0 ? kRate / f0 : g.right;
        if (t > reach && !emit_until(static_cast<int64_t>(t) - reach)) return false;
    }
    return emit_until(total);
}

}  // namespace velnor
