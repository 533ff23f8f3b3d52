#include "velnor/number_words.h"

namespace vl::velnor {
namespace {

constexpr const char* kUnits[] = {"", "оди+н", "два+", "три+", "четы+ре", "пя+ть", "ше+сть", "се+мь", "во+семь", "де+вять"};
constexpr const char* kFeminineUnits[] = {"", "одна+", "две+"};
constexpr const char* kTeens[] = {"де+сять", "оди+ннадцать", "двена+дцать", "трина+дцать", "четы+рнадцать",
                                  "пятна+дцать", "шестна+дцать", "семна+дцать", "восемна+дцать", "девятна+дцать"};
constexpr const char* kTens[] = {"", "", "два+дцать", "три+дцать", "со+рок", "пятьдеся+т", "шестьдеся+т",
                                 "се+мьдесят", "во+семьдесят", "девяно+сто"};
constexpr const char* kHundreds[] = {"", "сто+", "две+сти", "три+ста", "четы+реста", "пятьсо+т", "шестьсо+т",
                                     "семьсо+т", "восемьсо+т", "девятьсо+т"};
constexpr const char* kZero = "но+ль";

// Forms for 1, for 2..4 and for 5..20 of each group scale (thousands, millions, billions).
struct ScaleWords {
    const char* one;
    const char* few;
    const char* many;
    bool feminine;
};
constexpr ScaleWords kScales[] = {
    {"ты+сяча", "ты+сячи", "ты+сяч", true},
    {"миллио+н", "миллио+на", "миллио+нов", false},
    {"миллиа+рд", "миллиа+рда", "миллиа+рдов", false},
};

// The words above are UTF-8: ASCII and the Cyrillic а..я (two bytes each),
// which code page 1251 has at 0xE0..0xFF.
void append_word(std::string& out, const char* utf8) {
    if (*utf8 == '\0') return;
    if (!out.empty()) out += ' ';
    for (auto p = reinterpret_cast<const unsigned char*>(utf8); *p != 0; ++p) {
        if (*p < 0x80) {
            out += static_cast<char>(*p);
            continue;
        }
        const unsigned code = ((p[0] & 0x1Fu) << 6) | (p[1] & 0x3Fu);
        out += static_cast<char>(code - 0x430 + 0xE0);
        ++p;
    }
}

// Appends the words of 1..999; feminine gives "одна", "две" for the last digit.
void append_group(std::string& out, unsigned n, bool feminine) {
    append_word(out, kHundreds[n / 100]);
    const unsigned rest = n % 100;
    if (rest >= 10 && rest < 20) {
        append_word(out, kTeens[rest - 10]);
        return;
    }
    if (rest >= 20) append_word(out, kTens[rest / 10]);
    const unsigned unit = rest % 10;
    if (unit == 0) return;
    append_word(out, feminine && unit <= 2 ? kFeminineUnits[unit] : kUnits[unit]);
}

const char* scale_form(const ScaleWords& scale, unsigned n) {
    const unsigned last_two = n % 100;
    if (last_two >= 11 && last_two <= 14) return scale.many;
    if (n % 10 == 1) return scale.one;
    if (n % 10 >= 2 && n % 10 <= 4) return scale.few;
    return scale.many;
}

}  // namespace

std::string number_words(std::string_view digits) {
    std::string out;
    while (digits.size() > 1 && digits.front() == '0') {
        append_word(out, kZero);
        digits.remove_prefix(1);
    }
    unsigned long long value = 0;
    for (const char c : digits) value = value * 10 + static_cast<unsigned>(c - '0');
    if (value == 0) {
        append_word(out, kZero);
        return out;
    }
    constexpr unsigned long long kBillion = 1000000000ULL;
    const unsigned groups[] = {static_cast<unsigned>(value / kBillion % 1000),
                               static_cast<unsigned>(value / 1000000 % 1000),
                               static_cast<unsigned>(value / 1000 % 1000)};
    for (int i = 0; i < 3; ++i) {
        if (groups[i] == 0) continue;
        const ScaleWords& scale = kScales[2 - i];
        append_group(out, groups[i], scale.feminine);
        append_word(out, scale_form(scale, groups[i]));
    }
    append_group(out, static_cast<unsigned>(value % 1000), false);
    return out;
}

}  // namespace vl::velnor
