#include "engine/request_walker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/client_text.h"

namespace vl {
namespace {

std::u16string_view piece(std::u16string_view text, size_t end) {
    return end == std::u16string_view::npos ? u"(none)" : text.substr(0, end);
}

TEST(ClientText, SentencesEndAtTheirMarksAndEmptyLines) {
    const auto first = [](std::u16string_view text) { return piece(text, sentence_end(text, 0, text.size())); };
    EXPECT_EQ(first(u"Да. Нет."), u"Да.");
    EXPECT_EQ(first(u"Что?! Ничего."), u"Что?!");
    EXPECT_EQ(first(u"Он сказал: «Иди!» И ушёл."), u"Он сказал: «Иди!»");
    EXPECT_EQ(first(u"И т. д. и т. п. Конец"), u"И т. д. и т. п.");  // lower case goes on
    EXPECT_EQ(first(u"Пи = 3.14 ровно"), u"(none)");
    EXPECT_EQ(first(u"Ждём…\nИдём"), u"Ждём…");
    EXPECT_EQ(first(u"Глава 1\r\n\r\nТекст"), u"Глава 1");
    EXPECT_EQ(first(u"строка\nещё строка"), u"(none)");
    EXPECT_EQ(first(u"Конец."), u"Конец.");
    EXPECT_EQ(first(u""), u"(none)");
    EXPECT_EQ(first(u"...."), u"....");
    EXPECT_EQ(sentence_end(u"Да. Нет.", 0, 2), std::u16string_view::npos) << "the limit bounds the search";
}

TEST(ClientText, InitialsAbbreviationsAndDialogueEndNoSentence) {
    const auto sentences = [](std::u16string_view text) {
        std::vector<std::u16string> found;
        for (size_t start = 0, end; start < text.size(); start = end) {
            end = sentence_end(text, start, text.size());
            if (end == std::u16string_view::npos) end = text.size();
            found.emplace_back(text.substr(start, end - start));
            while (end < text.size() && is_text_space(text[end])) ++end;
        }
        return found;
    };
    EXPECT_EQ(sentences(u"А. С. Пушкин жил в г. Москве. См. рис. 5 и табл. 2."),
              (std::vector<std::u16string>{u"А. С. Пушкин жил в г. Москве.", u"См. рис. 5 и табл. 2."}));
    EXPECT_EQ(sentences(u"«Почему?» — спросил он. Т. е. так, ул. Шевченка, стр. 3, им. Горького и др. Всё."),
              (std::vector<std::u16string>{u"«Почему?» — спросил он.", u"Т. е. так, ул. Шевченка, стр. 3, им. Горького и др. Всё."}));
    EXPECT_EQ(sentences(u"Пришёл Я. Потом ушёл. Было 1990 г. Вул. Франка, див. ІМ. Далі."),
              (std::vector<std::u16string>{u"Пришёл Я. Потом ушёл.", u"Было 1990 г. Вул. Франка, див. ІМ. Далі."}));
}

TEST(ClientText, WordsLeaveTheirPunctuationBehind) {
    const auto words = [](std::u16string_view text) {
        std::vector<std::u16string> found;
        for (WordSpan w = next_word(text, 0); w.start < text.size(); w = next_word(text, w.end)) {
            found.emplace_back(text.substr(w.start, w.end - w.start));
        }
        return found;
    };
    EXPECT_EQ(words(u"«Да!» — сказал он, кто-то  в 3.14 & ФСБ..."),
              (std::vector<std::u16string>{u"Да", u"сказал", u"он", u"кто-то", u"в", u"3.14", u"&", u"ФСБ"}));
    EXPECT_TRUE(words(u" — ... ,\t\n").empty());
    EXPECT_TRUE(words(u"").empty());
}

TextFragment fragment(FragmentAction action, std::u16string_view text, uint32_t source, int32_t rate = 0) {
    return TextFragment{action, rate, 100, 0, text, source};
}

// Each step as text: speech as its spans joined by "|", with "<n>" when it opens sentence n.
std::vector<std::u16string> walk(RequestWalker& walker, size_t limit = 100) {
    std::vector<std::u16string> steps;
    Step step;
    while (steps.size() < limit && walker.next(step)) {
        std::u16string line;
        if (step.kind == Step::Kind::bookmark) line = u"bookmark " + std::u16string(step.fragment->text);
        if (step.kind == Step::Kind::silence) line = u"silence";
        if (step.opens_sentence) line += u"<" + std::u16string(1, static_cast<char16_t>(u'0' + step.sentence)) + u">";
        for (const ClientSpan& span : step.spans) line += (line.empty() || line.back() == u'>' ? u"" : u"|") + std::u16string(span.text());
        steps.push_back(line);
    }
    return steps;
}

TEST(RequestWalker, CutsAtSentencesBookmarksSilencesAndMarkup) {
    const std::vector<TextFragment> fragments = {
        fragment(FragmentAction::speak, u"  Раз, два. Три ", 0),
        fragment(FragmentAction::section, u"ignored", 0),
        fragment(FragmentAction::speak, u"", 0),
        fragment(FragmentAction::speak, u"четыре ", 20),
        fragment(FragmentAction::bookmark, u"5", 30),
        fragment(FragmentAction::speak, u"пять", 31, -2),
        fragment(FragmentAction::silence, u"", 40),
        fragment(FragmentAction::spell_out, u"АБ.", 41),
        fragment(FragmentAction::speak, u" Шесть", 50),
    };
    RequestWalker walker(fragments);
    EXPECT_EQ(walk(walker), (std::vector<std::u16string>{u"<0>Раз, два.", u"<1>Три |четыре ", u"bookmark 5",
                                                        u"пять", u"silence", u"АБ.", u"<2>Шесть"}));
    // Skips back and on by sentences.
    EXPECT_EQ(walker.seek_sentence(1), 1u);
    EXPECT_EQ(walk(walker, 2), (std::vector<std::u16string>{u"<1>Три |четыре ", u"bookmark 5"}));
    EXPECT_EQ(walker.seek_sentence(2), 2u);
    EXPECT_EQ(walk(walker), std::vector<std::u16string>{u"<2>Шесть"});
    EXPECT_EQ(walker.seek_sentence(9), 3u) << "past the end: the count of sentences";
    EXPECT_TRUE(walk(walker).empty());
    EXPECT_EQ(walker.seek_sentence(0), 0u);
    EXPECT_EQ(walk(walker, 1), std::vector<std::u16string>{u"<0>Раз, два."});
}

TEST(RequestWalker, SentencesHaveTheirPlaceInTheClientsText) {
    const std::u16string client = u"Раз <b/>два. Три";
    const std::vector<TextFragment> fragments = {
        fragment(FragmentAction::speak, std::u16string_view(client).substr(0, 4), 0),
        fragment(FragmentAction::speak, std::u16string_view(client).substr(8), 8, 3),
    };
    RequestWalker walker(fragments);
    Step step;
    std::vector<std::u16string> sentences;
    while (walker.next(step)) {
        if (step.opens_sentence) sentences.push_back(client.substr(step.sentence_start, step.sentence_length));
    }
    EXPECT_EQ(sentences, (std::vector<std::u16string>{u"Раз <b/>два.", u"Три"}));
}

TEST(RequestWalker, LongTextWithoutSentenceEndsIsCutAtBlanks) {
    std::u16string book;
    while (book.size() < 3 * kLongestSentence) book += u"слово ";
    std::u16string one_word(3 * kLongestSentence, u'ж');
    one_word[kLongestSentence - 1] = 0xD83D;  // a surrogate pair across the cut stays whole
    one_word[kLongestSentence] = 0xDE00;
    for (const std::u16string* text : {&book, &one_word}) {
        const std::vector<TextFragment> fragments = {fragment(FragmentAction::speak, *text, 0)};
        RequestWalker walker(fragments);
        Step step;
        size_t covered = 0;
        while (walker.next(step)) {
            ASSERT_EQ(step.spans.size(), 1u);
            EXPECT_LE(step.spans[0].end - step.spans[0].start, kLongestSentence);
            EXPECT_NE(text->at(step.spans[0].end - 1), 0xD83D);
            covered = step.spans[0].end;
        }
        EXPECT_EQ(covered, text->size());
    }
}

}  // namespace
}  // namespace vl
