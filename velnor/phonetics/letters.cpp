#include "velnor/phonetics/letters.h"

namespace velnor {

bool is_letter(uint8_t byte) {
    if (byte >= 0xC0 || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')) return true;
    switch (byte) {
    case 0xA8: case 0xB8:  // Ё ё
    case 0xB2: case 0xB3:  // І і
    case 0xAF: case 0xBF:  // Ї ї
    case 0xAA: case 0xBA:  // Є є
    case 0xA5: case 0xB4:  // Ґ ґ
        return true;
    default:
        return false;
    }
}

void append_russian(uint8_t letter, std::string& out) {
    // Latin letters by the Russian letters nearest their usual sound.
    static constexpr Cp1251 kLatin[26] = {
        cp1251("а"), cp1251("б"), cp1251("к"), cp1251("д"), cp1251("е"), cp1251("ф"), cp1251("г"),
        cp1251("х"), cp1251("и"), cp1251("дж"), cp1251("к"), cp1251("л"), cp1251("м"), cp1251("н"),
        cp1251("о"), cp1251("п"), cp1251("к"), cp1251("р"), cp1251("с"), cp1251("т"), cp1251("у"),
        cp1251("в"), cp1251("в"), cp1251("кс"), cp1251("ы"), cp1251("з"),
    };
    if (letter >= 'A' && letter <= 'Z') letter = static_cast<uint8_t>(letter - 'A' + 'a');
    if (letter >= 'a' && letter <= 'z') {
        out += kLatin[letter - 'a'].view();
        return;
    }
    if (letter >= 0xC0 && letter < 0xE0) letter = static_cast<uint8_t>(letter + 0x20);
    switch (letter) {
    case 0xA8: case 0xB8: out += static_cast<char>(cp1251_letter("ё")); return;
    case 0xB2: case 0xB3: out += static_cast<char>(cp1251_letter("и")); return;
    case 0xAF: case 0xBF: out += cp1251("йи").view(); return;
    case 0xAA: case 0xBA: out += static_cast<char>(cp1251_letter("е")); return;
    case 0xA5: case 0xB4: out += static_cast<char>(cp1251_letter("г")); return;
    default:
        if (letter >= 0xE0) out += static_cast<char>(letter);
    }
}

}  // namespace velnor
