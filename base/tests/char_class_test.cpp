#include "base/char_class.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(CharClass, LetterScriptCoversCyrillicSupplement) {
    EXPECT_EQ(letter_script(u'a'), Script::latin);
    EXPECT_EQ(letter_script(u'Z'), Script::latin);
    EXPECT_EQ(letter_script(0x400), Script::cyrillic);
    EXPECT_EQ(letter_script(0x52F), Script::cyrillic);
    EXPECT_EQ(letter_script(0x530), Script::none);
    EXPECT_EQ(letter_script(u'é'), Script::none);
    EXPECT_EQ(letter_script(u'5'), Script::none);
    EXPECT_EQ(letter_script(u'+'), Script::none);
}

TEST(CharClass, UkrainianCapitalsAreNotUpperCase) {
    for (char16_t c : std::u16string_view(u"AZАЯЁ")) EXPECT_TRUE(is_upper_letter(c)) << int(c);
    for (char16_t c : std::u16string_view(u"ЄІЇҐaя")) EXPECT_FALSE(is_upper_letter(c)) << int(c);
    for (char16_t c : std::u16string_view(u"azаяё")) EXPECT_TRUE(is_lower_letter(c)) << int(c);
    for (char16_t c : std::u16string_view(u"єіїґAЯ")) EXPECT_FALSE(is_lower_letter(c)) << int(c);
}

TEST(CharClass, VowelsAndConsonantsHaveTheirExactMembers) {
    int vowels = 0;
    int consonants = 0;
    for (int c = 0; c < 0x10000; ++c) {
        vowels += is_vowel(static_cast<char16_t>(c));
        consonants += is_consonant(static_cast<char16_t>(c));
        EXPECT_FALSE(is_vowel(static_cast<char16_t>(c)) && is_consonant(static_cast<char16_t>(c)));
    }
    EXPECT_EQ(vowels, 38);
    EXPECT_EQ(consonants, 80);
    EXPECT_TRUE(is_vowel(u'y'));
    EXPECT_TRUE(is_vowel(u'Ї'));
    EXPECT_FALSE(is_vowel(u'Ґ'));
    for (char16_t c : std::u16string_view(u"йЙъьґ")) EXPECT_FALSE(is_consonant(c)) << int(c);
}

TEST(CharClass, AllCharactersIsFalseForEmptyWord) {
    EXPECT_FALSE(all_characters(u"", is_digit));
    EXPECT_TRUE(all_characters(u"042", is_digit));
    EXPECT_FALSE(all_characters(u"04a", is_digit));
}

}  // namespace
}  // namespace vl
