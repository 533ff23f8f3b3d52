#include "velnor/phonetics/spelling.h"

#include <array>
#include <span>

#include "velnor/phonetics/letters.h"

namespace velnor {
namespace {

// A rewrite: `target` letters, where `left` comes before them and `right`
// after, spell `sounds`. In contexts "#" is the word's edge, "S" a letter that
// softens the consonant before it and "Y" a syllable start (the word's start,
// ъ, ь or a vowel letter). In sounds the names of phones, except that a, o, u,
// e, i, y are vowels still to reduce. The first rule that fits is taken.
struct Rule {
    Cp1251 left, target, right;
    std::string_view sounds;
};

#define R(left, target, right, sounds) Rule{cp1251(left), cp1251(target), cp1251(right), sounds}

constexpr Rule kRules[] = {
    // Exceptions.
    R("#", "чт", "о", "sh t"),
    R("и", "ч", "ная", "sh"),
    R("о", "ч", "ник", "sh"),
    R("не", "ч", "но", "sh"),
    R("ро", "ч", "но", "sh"),
    R("син", "т", "ез", "t"),
    R("ин", "т", "ерв", "t"),
    R("ин", "т", "ерф", "t"),
    R("ин", "т", "ерп", "t"),
    R("эс", "т", "ет", "t"),
    R("а", "н", "еля", "n"),
    R("#со", "н", "ет", "n"),
    R("тун", "н", "ел", "n"),
    R("#", "б", "екинг", "b"),
    R("#", "б", "ейкер", "b"),
    R("#мо", "д", "ест", "d"),
    R("#эк", "з", "ем", "z"),
    R("#э", "н", "ей", "n"),
    R("#б", "р", "енди#", "r"),
    R("#арти", "лл", "ер", "ll"),
    R("#же", "н", "щин", "nn"),
    R("поло", "г", "о#", "g"),
    R("стро", "г", "о#", "g"),
    R("#немно", "г", "о", "g"),
    R("#намно", "г", "о", "g"),
    R("#мно", "г", "о", "g"),
    R("#доро", "г", "о#", "g"),
    R("#бо", "г", "#", "h"),
    R("е", "г", "одня#", "v"),
    R("о", "г", "о#", "v"),
    R("е", "г", "о#", "v"),
    R("е", "г", "ося#", "v"),
    R("е", "г", "о-н", "v"),
    R("", "г", "к", "h"),
    R("кремл", "е", "в", "o"),
    R("#", "ее", "#", "j e j o"),
    R("л", "ьо", "", "j o"),
    R("", "сьо", "", "ss j o"),
    R("#", "э", "кскур", "i"),
    R("#", "э", "лектр", "i"),
    // Stressed vowels.
    R("", "+а", "", "aa"),
    R("", "+ы", "", "yy"),
    R("", "+о", "", "oo"),
    R("", "+у", "", "uu"),
    R("", "+э", "", "ee"),
    R("Y", "+ю", "", "j uu"),
    R("Y", "+я", "", "j aa"),
    R("Y", "+е", "", "j ee"),
    R("", "+е", "", "ee"),
    R("", "+я", "", "aa"),
    R("", "+ю", "", "uu"),
    R("", "+и", "", "ii"),
    // Other vowels.
    R("", "а", "", "a"),
    R("", "ы", "", "y"),
    R("", "о", "", "o"),
    R("", "у", "", "u"),
    R("", "э", "", "e"),
    R("Y", "ю", "", "j u"),
    R("Y", "я", "", "j a"),
    R("Y", "е", "", "j e"),
    R("Y", "ё", "", "j oo"),
    R("", "ё", "", "oo"),
    R("", "е", "", "e"),
    R("", "я", "", "a"),
    R("", "ю", "", "u"),
    R("", "и", "", "i"),
    // Consonants not pronounced.
    R("", "в", "ств", ""),
    R("", "ст", "с", "s"),
    R("", "сть", "с", "s"),
    R("", "рд", "ц", "r"),
    R("", "рд", "ч", "r"),
    R("", "лн", "ц", "n"),
    R("", "ст", "ц", "s"),
    R("", "зд", "ц", "z"),
    R("", "нт", "ц", "n"),
    R("", "нд", "ц", "n"),
    R("", "нд", "ш", "n"),
    R("", "ст", "н", "s"),
    R("", "зд", "н", "z"),
    R("", "нт", "с", "n"),
    R("", "нд", "с", "n"),
    R("", "нг", "т", "n"),
    R("", "сш", "ест", "sh"),
    R("", "сч", "", "sch"),
    R("", "ч", "ш", "t"),
    R("", "д", "ц", ""),
    R("", "тс", "я", "c"),
    // Doubled consonants sound once.
    R("#э", "м", "м", "m"),
    R("", "б", "б", ""),
    R("", "р", "р", ""),
    R("", "н", "н", ""),
    R("", "м", "м", ""),
    R("", "с", "с", ""),
    R("", "к", "к", ""),
    R("", "п", "п", ""),
    // Soft consonants.
    R("", "б", "S", "bb"), R("", "в", "S", "vv"), R("", "г", "S", "gg"), R("", "д", "S", "dd"),
    R("", "з", "S", "zz"), R("", "к", "S", "kk"), R("", "л", "S", "ll"), R("", "м", "S", "mm"),
    R("", "н", "S", "nn"), R("", "п", "S", "pp"), R("", "р", "S", "rr"), R("", "с", "S", "ss"),
    R("", "т", "S", "tt"), R("", "ф", "S", "ff"), R("", "х", "S", "hh"),
    R("", "б", "+S", "bb"), R("", "в", "+S", "vv"), R("", "г", "+S", "gg"), R("", "д", "+S", "dd"),
    R("", "з", "+S", "zz"), R("", "к", "+S", "kk"), R("", "л", "+S", "ll"), R("", "м", "+S", "mm"),
    R("", "н", "+S", "nn"), R("", "п", "+S", "pp"), R("", "р", "+S", "rr"), R("", "с", "+S", "ss"),
    R("", "т", "+S", "tt"), R("", "ф", "+S", "ff"), R("", "х", "+S", "hh"),
    // Hard consonants.
    R("", "б", "", "b"), R("", "в", "", "v"), R("", "г", "", "g"), R("", "д", "", "d"),
    R("", "ж", "", "zh"), R("", "з", "", "z"), R("", "к", "", "k"), R("", "л", "", "l"),
    R("", "м", "", "m"), R("", "н", "", "n"), R("", "п", "", "p"), R("", "р", "", "r"),
    R("", "с", "", "s"), R("", "т", "", "t"), R("", "ф", "", "f"), R("", "х", "", "h"),
    R("", "ц", "", "c"), R("", "ч", "", "ch"), R("", "ш", "", "sh"), R("", "щ", "", "sch"),
    R("", "й", "", "j"),
};

#undef R

constexpr Cp1251 kSoftening = cp1251("яёюиье");
constexpr Cp1251 kSyllableStart = cp1251("ъьаяоёуюэеиы");

bool in(const Cp1251& set, char c) { return set.view().find(c) != std::string_view::npos; }

// Does one context letter of a rule fit the letter at `at` (-1 and letters.size(): the word's edges)?
bool fits(char pattern, std::string_view letters, std::ptrdiff_t at) {
    const bool edge = at < 0 || at >= static_cast<std::ptrdiff_t>(letters.size());
    if (pattern == '#') return edge;
    if (pattern == 'Y' && at < 0) return true;
    if (edge) return false;
    const char c = letters[static_cast<size_t>(at)];
    if (pattern == 'S') return in(kSoftening, c);
    if (pattern == 'Y') return in(kSyllableStart, c);
    return pattern == c;
}

bool matches(const Rule& rule, std::string_view letters, size_t at) {
    if (letters.substr(at, rule.target.size) != rule.target.view()) return false;
    const auto start = static_cast<std::ptrdiff_t>(at);
    const std::string_view left = rule.left.view();
    for (size_t k = 0; k < left.size(); ++k)
        if (!fits(left[left.size() - 1 - k], letters, start - 1 - static_cast<std::ptrdiff_t>(k))) return false;
    const std::string_view right = rule.right.view();
    const std::ptrdiff_t after = start + rule.target.size;
    for (size_t k = 0; k < right.size(); ++k)
        if (!fits(right[k], letters, after + static_cast<std::ptrdiff_t>(k))) return false;
    return true;
}

// The stressed form of a vowel still to reduce, by its name in the rules.
std::optional<PhoneId> reducible_vowel(std::string_view name) {
    if (name.size() != 1 || std::string_view("aouiey").find(name[0]) == std::string_view::npos) return std::nullopt;
    return phone_by_name(std::string(2, name[0]));
}

// A rule's sounds, parsed once.
std::vector<Sound> parse_sounds(std::string_view names) {
    std::vector<Sound> sounds;
    while (!names.empty()) {
        const size_t blank = names.find(' ');
        const std::string_view name = names.substr(0, blank);
        names = blank == std::string_view::npos ? std::string_view() : names.substr(blank + 1);
        Sound sound;
        if (const std::optional<PhoneId> vowel = reducible_vowel(name)) {
            sound.phone = *vowel;
            sound.reducible = true;
        } else {
            sound.phone = *phone_by_name(name);
        }
        sounds.push_back(sound);
    }
    return sounds;
}

struct ParsedRule {
    const Rule* rule;
    std::vector<Sound> sounds;
};

// The rules by the byte their target starts with, in their order.
struct RuleIndex {
    std::array<std::vector<ParsedRule>, 256> by_first;
    RuleIndex() {
        for (const Rule& rule : kRules)
            by_first[static_cast<uint8_t>(rule.target.bytes[0])].push_back({&rule, parse_sounds(rule.sounds)});
    }
};

}  // namespace

void spell_word(std::string_view letters, uint16_t word, std::vector<Sound>& out) {
    static const RuleIndex index;
    size_t at = 0;
    while (at < letters.size()) {
        const ParsedRule* taken = nullptr;
        for (const ParsedRule& parsed : index.by_first[static_cast<uint8_t>(letters[at])]) {
            if (matches(*parsed.rule, letters, at)) {
                taken = &parsed;
                break;
            }
        }
        if (!taken) {  // a hyphen, a sign, or a "+" before no vowel
            ++at;
            continue;
        }
        for (Sound sound : taken->sounds) {
            sound.word = word;
            out.push_back(sound);
        }
        at += taken->rule->target.size;
    }
}

}  // namespace velnor
