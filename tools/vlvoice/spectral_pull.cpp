#include "tools/vlvoice/spectral_pull.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

#include "tools/vlvoice/fft.h"
#include "velnor/phonetics/phone_set.h"

namespace vl::voice_tool {
namespace {

constexpr size_t kFft = 512;   // a frame and room for the filter's spread on both sides
constexpr size_t kBins = kFft / 2 + 1;
constexpr long kWindow = 256;  // samples analysed per frame
constexpr long kHop = 64;      // four frames cover every sample; their Hann windows sum to 2
constexpr size_t kBands = 40;  // mel bands over the whole band
constexpr int kParts = 5;      // stretches of a unit, each with its own mean
constexpr double kFloor = 1e6;  // band energy of the output's rounding noise, in 16-bit units
constexpr double kMaxPull = 1.5;  // log10 of power: 15 dB at most either way
constexpr double kPrior = 10;  // frames' worth of the phone's own mean in its context's

double mel(double hz) { return 2595 * std::log10(1 + hz / 700); }

using Bands = std::array<float, kBands>;

// Triangular mel bands, and where each bin lies between their centres.
struct MelBank {
    std::array<std::array<float, kBins>, kBands> weight{};
    std::array<size_t, kBands> first{}, last{};  // the bins each band weighs
    std::array<size_t, kBins> band{};            // the centre at or below the bin...
    std::array<float, kBins> toward_next{};      // ...and how far toward the next
    MelBank() {
        const double top = mel(velnor::kVoiceSampleRate / 2.0);
        auto edge_hz = [&](size_t i) { return 700 * (std::pow(10.0, top * i / (kBands + 1) / 2595) - 1); };
        for (size_t b = 0; b < kBands; ++b) {
            const double lo = edge_hz(b), mid = edge_hz(b + 1), hi = edge_hz(b + 2);
            for (size_t k = 0; k < kBins; ++k) {
                const double hz = static_cast<double>(k) * velnor::kVoiceSampleRate / kFft;
                weight[b][k] = static_cast<float>(std::max(0.0, std::min((hz - lo) / (mid - lo), (hi - hz) / (hi - mid))));
                if (weight[b][k] > 0 && last[b] == 0) first[b] = k;
                if (weight[b][k] > 0) last[b] = k + 1;
            }
        }
        for (size_t k = 0; k < kBins; ++k) {
            const double hz = static_cast<double>(k) * velnor::kVoiceSampleRate / kFft;
            const double at = std::clamp(mel(hz) / top * (kBands + 1) - 1, 0.0, kBands - 1.0);
            band[k] = std::min(kBands - 2, static_cast<size_t>(at));
            toward_next[k] = static_cast<float>(at - static_cast<double>(band[k]));
        }
    }
    Bands log_energy(const std::array<float, kBins>& power) const {
        Bands out{};
        for (size_t b = 0; b < kBands; ++b) {
            double e = 0;
            for (size_t k = first[b]; k < last[b]; ++k) e += weight[b][k] * power[k];
            out[b] = static_cast<float>(std::log10(std::max(e, kFloor)));
        }
        return out;
    }
    // Amplitude gains per bin for band gains in log10 of power.
    std::array<float, kBins> gains(const Bands& pull) const {
        std::array<float, kBins> out{};
        for (size_t k = 0; k < kBins; ++k) {
            const size_t b = band[k];
            out[k] = std::exp((pull[b] + toward_next[k] * (pull[b + 1] - pull[b])) * 1.1512925f);  // 10^(g/2)
        }
        return out;
    }
};

struct Mean {
    std::array<double, kBands> sum{};
    double count = 0;
    void add(const Bands& b) {
        for (size_t i = 0; i < kBands; ++i) sum[i] += b[i];
        ++count;
    }
};

int part_of(double position) { return std::min(kParts - 1, static_cast<int>(position * kParts)); }

// The mean log band energies of each phone, by its neighbours and the part of
// it; a context heard rarely leans on the phone's mean over all contexts.
class ContextMeans {
public:
    void add(const velnor::Unit& u, int part, const Bands& energy) {
        by_context_[key(u, part)].add(energy);
        by_phone_[u.phone * kParts + part].add(energy);
    }
    Bands of(const velnor::Unit& u, int part) const {
        const Mean& phone = by_phone_[u.phone * kParts + part];
        const auto found = by_context_.find(key(u, part));
        const Mean none;
        const Mean& context = found == by_context_.end() ? none : found->second;
        Bands m{};
        for (size_t b = 0; b < kBands; ++b)
            m[b] = static_cast<float>((context.sum[b] + kPrior * phone.sum[b] / std::max(phone.count, 1.0)) /
                                      (context.count + kPrior));
        return m;
    }

private:
    static uint32_t key(const velnor::Unit& u, int part) {
        return ((static_cast<uint32_t>(u.phone) * 256 + u.left) * 256 + u.right) * kParts + static_cast<uint32_t>(part);
    }
    std::unordered_map<uint32_t, Mean> by_context_;
    std::vector<Mean> by_phone_ = std::vector<Mean>(256 * kParts);
};

// Two real frames at once through one complex transform: the first as the
// real part, the second as the imaginary.
class FramePair {
public:
    explicit FramePair(const std::vector<float>& audio) : audio_(audio), fft_(kFft) {
        for (long i = 0; i < kWindow; ++i) hann_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * M_PI * i / kWindow));
    }
    // Sample s of the audio is element s - centre + kFft / 2.
    void analyse(long first_centre) {
        re_.fill(0);
        im_.fill(0);
        const long size = static_cast<long>(audio_.size());
        for (long i = 0; i < kWindow; ++i) {
            const long s = first_centre - kWindow / 2 + i;
            if (s >= 0 && s < size) re_[kWindow / 2 + i] = audio_[s] * hann_[i];
            if (s + kHop >= 0 && s + kHop < size) im_[kWindow / 2 + i] = audio_[s + kHop] * hann_[i];
        }
        fft_.forward(re_.data(), im_.data());
    }
    // The power spectrum of the first frame (0) or the second (1).
    std::array<float, kBins> power(int which) const {
        std::array<float, kBins> out{};
        for (size_t k = 0; k < kBins; ++k) {
            const size_t m = (kFft - k) % kFft;
            // X1 = (Z[k] + conj Z[m]) / 2, X2 = (Z[k] - conj Z[m]) / 2i
            const float r = which == 0 ? re_[k] + re_[m] : im_[k] + im_[m];
            const float i = which == 0 ? im_[k] - im_[m] : re_[m] - re_[k];
            out[k] = (r * r + i * i) / 4;
        }
        return out;
    }
    // Filters the frames by their gains and adds them, windowed, into `out`.
    void filter_into(const std::array<float, kBins>& g1, const std::array<float, kBins>& g2, long first_centre,
                     std::vector<float>& out) {
        // Y = G1 X1 + i G2 X2 = Z (G1 + G2) / 2 + conj Z[m] (G1 - G2) / 2
        std::array<float, kFft> yr, yi;
        for (size_t k = 0; k < kFft; ++k) {
            const size_t m = (kFft - k) % kFft, bin = std::min(k, m);
            const float a = (g1[bin] + g2[bin]) / 2, b = (g1[bin] - g2[bin]) / 2;
            yr[k] = a * re_[k] + b * re_[m];
            yi[k] = a * im_[k] - b * im_[m];
        }
        fft_.inverse(yr.data(), yi.data());
        const long size = static_cast<long>(out.size());
        for (size_t i = 0; i < kFft; ++i) {
            const long s = first_centre - static_cast<long>(kFft / 2) + static_cast<long>(i);
            if (s >= 0 && s < size) out[s] += yr[i] / (kFft * 2.0f);
            if (s + kHop >= 0 && s + kHop < size) out[s + kHop] += yi[i] / (kFft * 2.0f);
        }
    }

private:
    const std::vector<float>& audio_;
    Fft fft_;
    std::array<float, kWindow> hann_{};
    std::array<float, kFft> re_{}, im_{};
};

}  // namespace

std::vector<float> pull_toward_context(const std::vector<float>& audio, const std::vector<velnor::Unit>& units,
                                       double strength) {
    if (strength <= 0 || audio.empty()) return audio;
    const MelBank bank;
    FramePair pair(audio);

    // Frame f is centred on sample (f - 1) * kHop, so that four frames cover
    // every sample, the first and last included; frames come in pairs.
    const long frames = (static_cast<long>(audio.size()) / kHop + 4) / 2 * 2;
    auto centre = [](long f) { return (f - 1) * kHop; };
    // Each frame's unit and place in it; frames outside units stay as they are.
    std::vector<long> unit_of(frames, -1);
    std::vector<double> position(frames, 0);
    for (size_t u = 0; u < units.size(); ++u) {
        const double start = units[u].start, length = units[u].end - units[u].start;
        for (long f = (units[u].start + kHop - 1) / kHop + 1; f < frames && centre(f) < units[u].end; ++f) {
            unit_of[f] = static_cast<long>(u);
            position[f] = (static_cast<double>(centre(f)) - start) / length;
        }
    }

    std::vector<Bands> energy(frames);
    ContextMeans means;
    for (long f = 0; f < frames; f += 2) {
        if (unit_of[f] < 0 && unit_of[f + 1] < 0) continue;
        pair.analyse(centre(f));
        for (long g = f; g < f + 2; ++g)
            if (unit_of[g] >= 0) {
                energy[g] = bank.log_energy(pair.power(static_cast<int>(g - f)));
                means.add(units[unit_of[g]], part_of(position[g]), energy[g]);
            }
    }

    // A frame's pull: part of the way from its own energies to its context's
    // mean, which runs smoothly between the centres of the unit's parts. The
    // frame keeps its loudness.
    auto gains_of = [&](long f) {
        Bands pull{};
        if (unit_of[f] >= 0) {
            const velnor::Unit& u = units[unit_of[f]];
            const double at = std::clamp(position[f] * kParts - 0.5, 0.0, kParts - 1.0);
            const int part = std::min(kParts - 2, static_cast<int>(at));
            const double t = at - part;
            const Bands here = means.of(u, part), next = means.of(u, part + 1);
            double mean_pull = 0;
            for (size_t b = 0; b < kBands; ++b) {
                pull[b] = static_cast<float>(strength * ((1 - t) * here[b] + t * next[b] - energy[f][b]));
                mean_pull += pull[b] / kBands;
            }
            for (size_t b = 0; b < kBands; ++b)
                pull[b] = static_cast<float>(std::clamp(pull[b] - mean_pull, -kMaxPull, kMaxPull));
        }
        return bank.gains(pull);
    };
    std::vector<float> out(audio.size(), 0.0f);
    for (long f = 0; f < frames; f += 2) {
        pair.analyse(centre(f));
        pair.filter_into(gains_of(f), gains_of(f + 1), centre(f), out);
    }
    return out;
}

}  // namespace vl::voice_tool
