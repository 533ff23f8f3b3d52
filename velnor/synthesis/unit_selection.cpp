#include "velnor/synthesis/unit_selection.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "velnor/voice/phone_voicing.h"

namespace velnor {
namespace {

constexpr size_t kCandidates = 40;     // best by target cost, per phone
constexpr float kContextWeight = 2.0f;  // each neighbour
constexpr float kPlaceWeight = 0.8f;    // first or last syllable of the phrase
constexpr float kEndingWeight = 1.0f;   // the last syllable from a stretch that ended otherwise
constexpr float kSpectralWeight = 0.35f;
constexpr float kPitchWeight = 6.0f;    // per unit of log frequency ratio
constexpr float kEnergyWeight = 0.08f;  // per dB

// The phone's name with a doubled letter halved: the soft consonant's hard
// pair, the stressed vowel's reduced one.
PhoneId plainer(PhoneId p) {
    const std::string_view name = kPhoneNames[p];
    if (name.size() == 2 && name[0] == name[1]) return phone_by_name(name.substr(0, 1)).value_or(kPause);
    return kPause;
}

// 0 for the same phone; less than 1 for its soft or stressed twin or a phone
// made the same way.
float context_distance(PhoneId a, PhoneId b) {
    if (a == b) return 0.0f;
    if (plainer(a) == b || plainer(b) == a || (plainer(a) != kPause && plainer(a) == plainer(b))) return 0.35f;
    if (a == kPause || b == kPause) return 1.0f;
    if (is_vowel(a) && is_vowel(b)) return 0.6f;
    if (!is_vowel(a) && !is_vowel(b) && is_voiced(a) == is_voiced(b)) return 0.75f;
    return 1.0f;
}

// context_distance for every pair of phones, worked out once.
class ContextTable {
public:
    ContextTable() {
        for (size_t a = 0; a < kPhoneNames.size(); ++a)
            for (size_t b = 0; b < kPhoneNames.size(); ++b)
                table_[a][b] = context_distance(static_cast<PhoneId>(a), static_cast<PhoneId>(b));
    }
    float operator()(PhoneId a, PhoneId b) const { return table_[a][b]; }

private:
    float table_[kPhoneNames.size()][kPhoneNames.size()];
};

const ContextTable& contexts() {
    static const ContextTable table;
    return table;
}

float target_cost(const Unit& u, const Target& t, const ContextTable& context) {
    float cost = kContextWeight * (context(u.left, t.left) + context(u.right, t.right));
    if ((u.vowels_before == 0) != (t.vowels_before == 0)) cost += kPlaceWeight;
    if ((u.vowels_after == 0) != (t.vowels_after == 0)) cost += kPlaceWeight;
    // A text that stops without punctuation may go on in the next one: any ending will do.
    if (t.vowels_after == 0 && t.end != PhraseEnd::none && !ends_alike(u, t.end)) cost += kEndingWeight;
    return cost;
}

float join_cost(const VoiceData& voice, uint32_t a, uint32_t b) {
    const Unit& x = voice.units[a];
    const Unit& y = voice.units[b];
    if (voice.follows_in_recording(a, b)) return 0.0f;
    float spectral = 0;
    for (int c = 0; c < kJoinCoefficients; ++c) {
        const float d = static_cast<float>(x.cepstrum_end[c] - y.cepstrum_start[c]) / 16.0f;
        spectral += d * d;
    }
    float cost = kSpectralWeight * std::sqrt(spectral) +
                 kEnergyWeight * static_cast<float>(std::abs(x.energy_end - y.energy_start));
    if (x.f0_end != 0 && y.f0_start != 0)
        cost += kPitchWeight * std::fabs(std::log(static_cast<float>(x.f0_end) / static_cast<float>(y.f0_start)));
    return cost;
}

struct Candidate {
    uint32_t unit;
    float target;
};

std::vector<Candidate> candidates(const VoiceData& voice, const Target& t, const std::vector<Candidate>& previous) {
    const ContextTable& context = contexts();
    std::vector<Candidate> all;
    all.reserve(voice.units_of(t.phone).size());
    for (const uint32_t u : voice.units_of(t.phone)) all.push_back({u, target_cost(voice.units[u], t, context)});
    auto better = [](const Candidate& a, const Candidate& b) { return a.target < b.target || (a.target == b.target && a.unit < b.unit); };
    if (all.size() > kCandidates) {
        std::nth_element(all.begin(), all.begin() + kCandidates, all.end(), better);
        all.resize(kCandidates);
    }
    std::sort(all.begin(), all.end(), better);
    // The units that follow the previous phone's candidates in the recordings.
    for (const Candidate& p : previous) {
        const uint32_t next = p.unit + 1;
        if (!voice.follows_in_recording(p.unit, next) || voice.units[next].phone != t.phone) continue;
        if (std::none_of(all.begin(), all.end(), [&](const Candidate& c) { return c.unit == next; }))
            all.push_back({next, target_cost(voice.units[next], t, context)});
    }
    return all;
}

}  // namespace

bool ends_alike(const Unit& unit, PhraseEnd end) {
    const uint8_t ending = end == PhraseEnd::comma      ? 0
                           : end == PhraseEnd::question ? kEndsQuestion
                                                        : kEndsStatement;
    return (unit.flags & (kEndsStatement | kEndsQuestion)) == ending;
}

std::vector<Target> phrase_targets(const VoiceData& voice, std::span<const SpokenPhone> phones, PhraseEnd end,
                                   std::vector<size_t>& phone_of_target) {
    std::vector<Target> targets;
    phone_of_target.clear();
    size_t vowels = 0;  // before the phone
    for (size_t i = 0; i < phones.size(); ++i) {
        PhoneId p = phones[i].phone;
        if (p < kPhoneNames.size() && voice.units_of(p).empty()) p = plainer(p);
        if (p == kPause || p >= kPhoneNames.size() || voice.units_of(p).empty()) continue;
        targets.push_back({p, kPause, kPause, static_cast<uint8_t>(std::min<size_t>(vowels, 255)), 0, end});
        phone_of_target.push_back(i);
        vowels += is_vowel(p);
    }
    vowels = 0;  // after the phone
    for (size_t i = targets.size(); i-- > 0;) {
        if (i > 0) targets[i].left = targets[i - 1].phone;
        if (i + 1 < targets.size()) targets[i].right = targets[i + 1].phone;
        targets[i].vowels_after = static_cast<uint8_t>(std::min<size_t>(vowels, 255));
        vowels += is_vowel(targets[i].phone);
    }
    return targets;
}

std::vector<uint32_t> select_units(const VoiceData& voice, std::span<const Target> targets,
                                   std::optional<uint32_t> previous) {
    if (targets.empty()) return {};
    std::vector<std::vector<Candidate>> columns;
    std::vector<std::vector<float>> total;
    std::vector<std::vector<uint32_t>> back;
    std::vector<Candidate> before;
    if (previous) before.push_back({*previous, 0.0f});
    columns.push_back(candidates(voice, targets[0], before));
    total.emplace_back();
    back.emplace_back(columns[0].size(), 0);
    for (const Candidate& c : columns[0])
        total[0].push_back(c.target + (previous ? join_cost(voice, *previous, c.unit) : 0.0f));
    for (size_t i = 1; i < targets.size(); ++i) {
        columns.push_back(candidates(voice, targets[i], columns[i - 1]));
        const auto& prev = columns[i - 1];
        total.emplace_back(columns[i].size());
        back.emplace_back(columns[i].size(), 0);
        for (size_t c = 0; c < columns[i].size(); ++c) {
            float best = std::numeric_limits<float>::max();
            for (size_t p = 0; p < prev.size(); ++p) {
                const float cost = total[i - 1][p] + join_cost(voice, prev[p].unit, columns[i][c].unit);
                if (cost < best) {
                    best = cost;
                    back[i][c] = static_cast<uint32_t>(p);
                }
            }
            total[i][c] = best + columns[i][c].target;
        }
    }
    std::vector<uint32_t> chosen(targets.size());
    size_t at = static_cast<size_t>(std::min_element(total.back().begin(), total.back().end()) - total.back().begin());
    for (size_t i = targets.size(); i-- > 0;) {
        chosen[i] = columns[i][at].unit;
        at = back[i][at];
    }
    return chosen;
}

}  // namespace velnor
