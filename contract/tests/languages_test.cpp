#include "contract/languages.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(Languages, FoundByTokenCodeAndByVoiceName) {
    EXPECT_EQ(find_language(u"419"), &kLanguages[0]);
    EXPECT_EQ(find_language(u"422")->folder, u"Ukrainian");
    EXPECT_EQ(find_language(u"0419"), nullptr);  // compared as text
    EXPECT_EQ(find_language(u""), nullptr);
    EXPECT_EQ(language_of_voice(u"Velnor_Female2_Ukrainian"), find_language(u"422"));
    EXPECT_EQ(language_of_voice(u"Velnor_Male1_Russian"), &kRussian);
    EXPECT_EQ(language_of_voice(u"Russian"), nullptr);
    EXPECT_EQ(language_of_voice(u"Velnor_Male1_NotRussian"), nullptr);
    for (const Language& language : kLanguages) {
        EXPECT_EQ(language.letters->group.substr(language.letters->group.find(u'_')), u"_letters");
        EXPECT_FALSE(language.symbols.empty());
    }
    EXPECT_TRUE(kRussian.main_dictionary);
    EXPECT_FALSE(find_language(u"422")->main_dictionary);
}

}  // namespace
}  // namespace vl
