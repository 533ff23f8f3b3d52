#pragma once
// What the pronunciation rules ask of a phone: softness, voicing, sonority.
#include <array>
#include <initializer_list>

#include "velnor/phonetics/phone_set.h"

namespace velnor {

inline constexpr PhoneId phone(std::string_view name) { return *phone_by_name(name); }

namespace phone_features {

enum : uint8_t { kSoft = 1, kSonorant = 2, kVoicesBefore = 4, kDevoicesBefore = 8 };

constexpr std::array<uint8_t, kPhoneNames.size()> make_features() {
    std::array<uint8_t, kPhoneNames.size()> features{};
    auto mark = [&](uint8_t feature, std::initializer_list<std::string_view> names) {
        for (std::string_view name : names) features[phone(name)] |= feature;
    };
    mark(kSoft, {"pp", "bb", "tt", "dd", "kk", "gg", "ch", "ff", "vv", "ss", "zz", "sch", "hh", "mm", "nn", "ll",
                 "rr", "j"});
    mark(kSonorant, {"m", "mm", "n", "nn", "l", "ll", "r", "rr", "j"});
    mark(kVoicesBefore, {"b", "bb", "zh", "z", "zz", "d", "dd", "g", "gg"});
    mark(kDevoicesBefore, {"p", "pp", "sh", "s", "ss", "t", "tt", "k", "kk", "sch", "ch", "h", "hh"});
    return features;
}

// For each phone its voicing pair (the voiceless one for a voiced consonant
// and the other way round), or the phone itself when it has none.
constexpr std::array<PhoneId, kPhoneNames.size()> make_pairs() {
    std::array<PhoneId, kPhoneNames.size()> pairs{};
    for (size_t i = 0; i < pairs.size(); ++i) pairs[i] = static_cast<PhoneId>(i);
    constexpr std::string_view kVoicedVoiceless[][2] = {
        {"b", "p"}, {"bb", "pp"}, {"v", "f"}, {"vv", "ff"}, {"zh", "sh"}, {"z", "s"},
        {"zz", "ss"}, {"g", "k"}, {"gg", "kk"}, {"d", "t"}, {"dd", "tt"},
    };
    for (const auto& pair : kVoicedVoiceless) {
        pairs[phone(pair[0])] = phone(pair[1]);
        pairs[phone(pair[1])] = phone(pair[0]);
    }
    return pairs;
}

inline constexpr auto kFeatures = make_features();
inline constexpr auto kVoicingPair = make_pairs();

}  // namespace phone_features

// Soft (palatal or palatalised) consonants, with j and the always soft ch and sch.
constexpr bool is_soft(PhoneId p) { return phone_features::kFeatures[p] & phone_features::kSoft; }
constexpr bool is_sonorant(PhoneId p) { return phone_features::kFeatures[p] & phone_features::kSonorant; }
// The obstruents that voice a consonant before them (v and vv do not).
constexpr bool voices_before(PhoneId p) { return phone_features::kFeatures[p] & phone_features::kVoicesBefore; }
// The obstruents that devoice a consonant before them.
constexpr bool devoices_before(PhoneId p) { return phone_features::kFeatures[p] & phone_features::kDevoicesBefore; }
// A consonant with a voicing pair: voiced ones are those that voice others, with v and vv.
constexpr bool has_voicing_pair(PhoneId p) { return phone_features::kVoicingPair[p] != p; }
constexpr PhoneId voicing_pair(PhoneId p) { return phone_features::kVoicingPair[p]; }
constexpr bool is_voiced_of_pair(PhoneId p) {
    return has_voicing_pair(p) && (voices_before(p) || p == phone("v") || p == phone("vv"));
}

}  // namespace velnor
