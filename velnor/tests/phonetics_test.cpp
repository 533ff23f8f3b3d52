// Letters to phones against the corpus's own labels, phrases and word offsets,
// and the stress lexicon's image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1251.h"
#include "base/utf.h"
#include "velnor/phonetics/lexicon.h"
#include "velnor/phonetics/lexicon_format.h"
#include "velnor/phonetics/phone_text.h"
#include "velnor/phonetics/utterance.h"

namespace velnor {
namespace {

std::string cp(std::string_view utf8) { return vl::to_cp1251(vl::utf8_to_utf16(utf8), '?'); }

LexiconEntry entry(std::string_view word, uint8_t vowel, bool function_word = false, bool e_as_o = false) {
    return {cp(word), {vowel, e_as_o, function_word}};
}

// The festvox-ru dictionary's first entries for the words of the table below.
std::vector<uint8_t> corpus_lexicon() {
    return build_lexicon({
        entry("без", 0, true), entry("было", 1, true), entry("в", 0, true), entry("вас", 1),
        entry("верёвочки", 2), entry("волнистых", 2), entry("время", 1), entry("всего", 2, true),
        entry("гусев", 1), entry("её", 2), entry("же", 0, true), entry("зеленью", 1), entry("и", 0, true),
        entry("конец", 2), entry("корреспондент", 4), entry("лось", 1), entry("луч", 1), entry("лучше", 1),
        entry("маленький", 1), entry("мальчик", 1), entry("мужеством", 1), entry("на", 0, true),
        entry("набережной", 1), entry("не", 0, true), entry("немногим", 2), entry("ну", 1, true),
        entry("объявлением", 3), entry("ожидал", 3), entry("он", 1), entry("отца", 2), entry("перед", 0, true),
        entry("подъездов", 2), entry("познакомиться", 3), entry("после", 1, true), entry("прядь", 1),
        entry("с", 0, true), entry("сидел", 2), entry("со", 0, true), entry("солнца", 1), entry("спокойным", 2),
        entry("тротуарах", 3), entry("у", 0, true), entry("улицу", 1), entry("целует", 2), entry("чем", 1, true),
        entry("через", 0, true), entry("что", 1, true), entry("чувствовал", 1), entry("шапки", 1),
        entry("шли", 1), entry("щёки", 1), entry("это", 1), entry("звездыземли", 4), entry("там", 1),
        entry("видны", 2), entry("над", 0, true), entry("этой", 1), entry("машиной", 2), entry("ткнул", 1),
        entry("трубкой", 1), entry("сторону", 1), entry("лесов", 2), entry("искоркой", 1),
    });
}

std::string phones_of(std::string_view utf8, const Lexicon* lexicon) {
    std::string text = phone_text(cp(utf8), lexicon);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

TEST(LettersToPhones, GiveTheRecordingsLabels) {
    const std::vector<uint8_t> image = corpus_lexicon();
    const Lexicon lexicon(image);
    ASSERT_TRUE(lexicon.valid());
    // Each text is a stretch of a corpus sentence, its phones those of the labels.
    const struct {
        const char* text;
        const char* phones;
    } kCases[] = {
        {"Корреспондент,", "k ay rr ae s p a n dd ee n t"},            // doubled consonant, both reductions
        {"В это время,", "v ee t a v rr ee mm a"},                     // a preposition is not devoiced
        {"без шапки,", "bb i s sh aa p kk i"},                          // assimilated to the next word
        {"с зеленью,", "z zz ee ll ae nn j u"},
        {"прядь волнистых вол+ос", "p rr aa tt v a l nn ii s t ay h v a l oo s"},  // final devoicing
        {"через улицу.", "ch ae rr i z uu ll ae c u"},                  // before the next word's stress
        {"Со спокойным мужеством, Скайлс,",                           // ... and the next phrase's
         "s ay s p a k oo j n y m m uu zh ay s t v a m pau s k aa j l s"},
        {"ожидал всего,", "a zh i d aa l f ss i v oo"},                 // его
        {"луч солнца.", "l uu ch s oo n c a"},                          // silent л
        {"Лось чувствовал:", "l oo ss ch uu s t v ay v ay l"},          // silent в
        {"познакомиться,", "p ay z n a k oo mm ae tt ss a"},
        {"Ну и что же у вас,", "n uu i sh t oo zh ay u v aa s"},        // что
        {"перед объявлением,", "pp ae rr ae d ay b j a v ll ee nn ae j e m"},  // ъ
        {"Не было на тротуарах,", "nn ee b ay l ay n ay t r ay t u aa r ay h"},
        {"немногим лучше,", "nn i m n oo gg i m l uu t sh e"},          // чш
        {"конец, верёвочки,", "k a nn ee c pau vv i rr oo v ay ch kk i"},  // ё
        {"Он целует её в щёки,", "oo n c y l uu j e t j e j oo f sch oo kk i"},
        {"подъездов,", "p a d j ee z d ay f"},
        {"Свет красноватой звезды-земли,", "s vv ee t k r ay s n a v aa t ay j z vv ae z d ay zz i m ll ii"},
        {"там ещё видны", "t aa m j e sch oo vv i d n yy"},
        {"Над этой машиной, - он ткнул трубкой в сторону лесов,",  // a dash, в: unstressed syllables
         "n a d ee t ay j m a sh ii n ay j pau oo n t k n uu l t r uu p k ay j f s t oo r ay n ur ll i s oo f"},
        {"- с искоркой.", "s yy s k ay r k ay j"},                      // и after a hard s
        {"Гусев, после", "g uu ss i f pau p oo s ll e"},
        // The Ukrainian letters as the Russian sounds nearest them.
        {"Ґусев, после", "g uu ss i f pau p oo s ll e"},
        {"сідел маленький мальчик,", "ss i dd ee l m aa ll ae nn kk i j m aa ll ch ae k"},
    };
    for (const auto& c : kCases) EXPECT_EQ(phones_of(c.text, &lexicon), c.phones) << c.text;

    // Without the lexicon the text's marks, after the stressed vowel, and the rules.
    EXPECT_EQ(phones_of("воло+с за у+хо,", nullptr), "v a l oo s z a uu h a");
    EXPECT_EQ(phones_of("лучше чем отца.", &lexicon), "l uu t sh y ch ee m a t c aa");
}

TEST(Lexicon, StressesUnknownWordsByTheEndingsOfItsWords) {
    const std::vector<uint8_t> image = build_lexicon({
        entry("желание", 2), entry("сияние", 2), entry("знание", 1), entry("стояние", 3), entry("лето", 1),
    });
    const Lexicon lexicon(image);
    ASSERT_TRUE(lexicon.valid());
    EXPECT_EQ(lexicon.vowels_after_stress(cp("купание")), 2);  // "ание": two of three words
    EXPECT_EQ(lexicon.vowels_after_stress(cp("стояние")), 2);
    EXPECT_FALSE(lexicon.vowels_after_stress(cp("лето")));
    EXPECT_EQ(phones_of("купание", &lexicon), "k u p aa nn ae j e");
}

TEST(PhraseReader, EndsPhrasesAtPunctuationAndKeepsWordOffsets) {
    const std::string text = cp("Привет, мир! Как дела? Да... 12 шт - и всё;  «ура»");
    PhraseReader reader(text, nullptr);
    struct Expected {
        PhraseEnd end;
        std::vector<uint32_t> offsets;
    };
    const std::vector<Expected> expected = {
        {PhraseEnd::comma, {0}},       {PhraseEnd::exclamation, {8}}, {PhraseEnd::question, {13, 17}},
        {PhraseEnd::statement, {23}},  {PhraseEnd::comma, {29, 32}},  {PhraseEnd::comma, {37, 39}},
        {PhraseEnd::none, {46}},
    };
    for (const Expected& e : expected) {
        const std::optional<Phrase> phrase = reader.next();
        ASSERT_TRUE(phrase.has_value());
        EXPECT_EQ(phrase->end, e.end);
        std::vector<uint32_t> offsets;
        for (const SpokenWord& w : phrase->words) offsets.push_back(w.text_offset);
        EXPECT_EQ(offsets, e.offsets);
        ASSERT_FALSE(phrase->phones.empty());
        for (const SpokenPhone& p : phrase->phones) {
            EXPECT_NE(p.phone, kPause);
            EXPECT_LT(p.word, phrase->words.size());
        }
    }
    EXPECT_FALSE(reader.next().has_value());

    // A run of digits too long for a number is read digit by digit, each its
    // own word, and split into phrases of a bounded number of words.
    const std::string digits(70000, '7');
    PhraseReader long_reader(digits, nullptr);
    uint32_t next_offset = 0;
    while (const std::optional<Phrase> phrase = long_reader.next()) {
        ASSERT_LE(phrase->words.size(), 40u);
        for (const SpokenWord& w : phrase->words) EXPECT_EQ(w.text_offset, next_offset++);
    }
    EXPECT_EQ(next_offset, digits.size());
}

TEST(Lexicon, FindsItsWordsAndRefusesDamagedImages) {
    std::vector<LexiconEntry> entries;
    for (int i = 0; i < 100; ++i) {  // distinct words sharing their beginnings
        const std::string word = cp("слово") + std::string(1 + i / 32, static_cast<char>(0xE0 + i % 32));
        entries.push_back({word, {static_cast<uint8_t>(1 + i % 3), i % 2 == 0, i % 5 == 0}});
    }
    const std::vector<LexiconEntry> distinct = entries;
    entries.push_back({entries[3].word, {9, false, false}});  // a second entry for a word: the first is kept
    entries.push_back({"latin", {1, false, false}});          // not a word of the lexicon's letters
    const std::vector<uint8_t> image = build_lexicon(entries);
    EXPECT_EQ(build_lexicon(std::vector(distinct.rbegin(), distinct.rend())), image) << "not in the given order";

    const Lexicon lexicon(image);
    ASSERT_TRUE(lexicon.valid());
    EXPECT_EQ(lexicon.size(), distinct.size());
    for (const LexiconEntry& e : distinct) EXPECT_EQ(lexicon.find(e.word), e.stress) << e.word.size();
    EXPECT_FALSE(lexicon.find("latin"));
    EXPECT_FALSE(lexicon.find(cp("слов")));
    EXPECT_FALSE(lexicon.find(""));

    // Every shorter image is refused; any changed byte is refused or read safely.
    for (size_t size = 0; size < image.size(); ++size)
        EXPECT_FALSE(Lexicon(std::span(image.data(), size)).valid()) << size;
    for (size_t at = 0; at < image.size(); ++at) {
        std::vector<uint8_t> damaged = image;
        damaged[at] ^= 0x5A;
        const Lexicon read(damaged);
        for (const LexiconEntry& e : entries) (void)read.find(e.word);
        if (at < lexicon_format::kHeaderSize) {
            EXPECT_FALSE(read.valid()) << "header byte " << at;
        }
    }
}

}  // namespace
}  // namespace velnor
