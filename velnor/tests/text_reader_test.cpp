#include "velnor/formant/text_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "base/cp1251.h"
#include "base/utf.h"

namespace velnor::formant {
namespace {

// Writes what the reader produces as text: phonemes by name (stressed ones
// followed by "+"), "|" for a word start, "," and "." for pauses.
class Recorder final : public PhoneSink {
public:
    std::string log;
    int stop_after_words = -1;

    void word(Break) override {
        log += '|';
        if (stop_after_words > 0) --stop_after_words;
    }
    void phone(Phone phone, bool stressed) override {
        static constexpr const char* kNames[] = {"a", "o", "u", "e", "i", "y", "j", "p", "t", "k", "b", "d", "g", "f",
                                                 "s", "sh", "sch", "h", "v", "z", "zh", "ts", "ch", "m", "n", "l", "r"};
        log += kNames[static_cast<int>(phone)];
        if (stressed) log += '+';
        log += ' ';
    }
    void pause(Break kind) override { log += kind == Break::comma ? ", " : ". "; }
    bool stopped() const override { return stop_after_words == 0; }
};

std::string read(std::string_view utf8) {
    Recorder recorder;
    const std::string text = vl::to_cp1251(vl::utf8_to_utf16(utf8), '?');
    read_text(text.c_str(), recorder);
    return recorder.log;
}

std::string read_bytes(const std::string& bytes) {
    Recorder recorder;
    read_text(bytes.c_str(), recorder);
    return recorder.log;
}

TEST(TextReader, LettersBecomePhonemesWithStressAndReducedO) {
    EXPECT_EQ(read("мо+ре"), "|m o+ r e ");
    EXPECT_EQ(read("молоко+"), "|m a l a k o+ ");
    EXPECT_EQ(read("молоко"), "|m o l o k o ");  // no stress known: written as it is
    EXPECT_EQ(read("Щи"), "|sch i ");
}

TEST(TextReader, IotatedVowelsGetAGlideAtWordStartAfterVowelsAndSigns) {
    EXPECT_EQ(read("Ёлка"), "|j o l k a ");
    EXPECT_EQ(read("моя+"), "|m a j a+ ");
    EXPECT_EQ(read("съе+л"), "|s j e+ l ");
    EXPECT_EQ(read("мяч"), "|m a ch ");
}

TEST(TextReader, UkrainianAndLatinLetters) {
    // і ї є ґ at their code page 1251 positions, upper and lower case.
    EXPECT_EQ(read_bytes("\xB3\xBF\xBA\xB4"), "|i j i j e g ");
    EXPECT_EQ(read_bytes("\xB2\xAF\xAA\xA5"), "|i j i j e g ");
    EXPECT_EQ(read("Jazz box"), "|d zh a z z |b o k s ");
}

TEST(TextReader, DigitsAreReadAsNumberWords) {
    EXPECT_EQ(read("21"), "|d v a+ d ts a t |a d i+ n ");
    EXPECT_EQ(read("в 5"), "|v |p a+ t ");
}

TEST(TextReader, LongDigitRunsAreReadDigitByDigit) {
    const std::string run(13, '1');
    std::string expected;
    for (int i = 0; i < 13; ++i) expected += "|a d i+ n ";
    EXPECT_EQ(read(run), expected);
}

TEST(TextReader, PunctuationBetweenWordsPauses) {
    EXPECT_EQ(read("а, б"), "|a , |b ");
    EXPECT_EQ(read("а... Б?! в"), "|a . |b . |v ");
    EXPECT_EQ(read("кто-то - он"), "|k t o |t o , |o n ");
    // Nothing before the first word; after the last only when punctuation follows it.
    EXPECT_EQ(read(". а"), "|a ");
    EXPECT_EQ(read(". а ."), "|a . ");
    EXPECT_EQ(read("а, б,"), "|a , |b , ");
}

TEST(TextReader, StopsAtTheNextWordOnceAsked) {
    Recorder recorder;
    recorder.stop_after_words = 2;
    read_text("a b c d", recorder);
    EXPECT_EQ(recorder.log, "|a |b ");
}

TEST(TextReader, AnyByteIsSafe) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    all += "+++9999999999999999999999+";
    EXPECT_FALSE(read_bytes(all).empty());
    EXPECT_EQ(read_bytes(""), "");
    EXPECT_EQ(read_bytes("+ + +"), "");
}

}  // namespace
}  // namespace velnor::formant
