// The units the builder cuts from an utterance know where in their stretch of
// speech (between pauses) they were spoken and how that stretch ended.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "tools/vlvoice/voice_builder.h"
#include "velnor/phonetics/phone_set.h"
#include "velnor/voice/voice_data.h"

namespace {

using vl::voice_tool::Utterance;

// A question of two stretches, "s aa d , i d u ?", 0.1 s a phone, spoken at
// 125 Hz and then at 100 Hz (pitch marks every 8 ms, then every 10 ms).
Utterance question() {
    Utterance u;
    u.name = "test";
    u.question = true;
    const char* names[] = {"pau", "s", "aa", "d", "pau", "i", "d", "u", "pau"};
    for (int i = 0; i < 9; ++i) u.phones.push_back({*velnor::phone_by_name(names[i]), 0.1 * (i + 1)});
    u.audio.assign(9000, 0);
    for (size_t i = 0; i < u.audio.size(); ++i) u.audio[i] = static_cast<int16_t>(i % 80 < 40 ? 3000 : -3000);
    for (double s = 0.004; s < 0.9; s += s < 0.45 ? 0.008 : 0.010) u.frames.push_back({s, {}});
    return u;
}

TEST(VoiceBuilder, UnitsKnowTheirPlaceInTheirStretchAndHowItEnded) {
    vl::voice_tool::VoiceBuilder builder;
    builder.add(question());
    const std::vector<uint8_t> file = builder.finish({});
    std::vector<uint64_t> aligned((file.size() + 7) / 8);
    std::memcpy(aligned.data(), file.data(), file.size());
    const auto read = velnor::read_voice({reinterpret_cast<const uint8_t*>(aligned.data()), file.size()});
    ASSERT_TRUE(std::holds_alternative<velnor::VoiceData>(read)) << std::get<std::string>(read);
    const auto& units = std::get<velnor::VoiceData>(read).units;
    ASSERT_EQ(units.size(), 6u);
    struct Expected {
        int before, after, flags;
    };
    const Expected expected[] = {{0, 1, velnor::kContinues}, {0, 0, velnor::kContinues}, {1, 0, 0},
                                 {0, 1, velnor::kEndsQuestion | velnor::kContinues},
                                 {1, 1, velnor::kEndsQuestion | velnor::kContinues}, {1, 0, velnor::kEndsQuestion}};
    for (size_t i = 0; i < units.size(); ++i) {
        EXPECT_EQ(units[i].vowels_before, expected[i].before) << "unit " << i;
        EXPECT_EQ(units[i].vowels_after, expected[i].after) << "unit " << i;
        EXPECT_EQ(units[i].flags, expected[i].flags) << "unit " << i;
    }
}

}  // namespace
